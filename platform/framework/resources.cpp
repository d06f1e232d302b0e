#include "platform/framework/resources.h"

#include <algorithm>

namespace framework {

namespace {

ResourceModule g_module;

template <typename Resource>
const Resource* FindById(std::span<const Resource> resources, int id)
{
    auto it = std::find_if(resources.begin(), resources.end(), [id](const Resource& r) { return r.id == id; });
    return it == resources.end() ? nullptr : &*it;
}

}  // namespace

void SetResourceModule(const ResourceModule& module)
{
    g_module = module;
}

const DialogTemplate* FindDialogTemplate(int id)
{
    return FindById(g_module.dialogs, id);
}

const IconResource* FindIconResource(int id)
{
    return FindById(g_module.icons, id);
}

std::string LoadStringResource(int id)
{
    const StringResource* found = FindById(g_module.strings, id);
    return found ? std::string(found->text) : std::string();
}

Icon Icon::Load(int resourceId)
{
    return FindIconResource(resourceId) ? Icon(resourceId) : Icon();
}

}  // namespace framework
