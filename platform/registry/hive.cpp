#include "platform/registry/hive.h"

#include <optional>

namespace platform::registry {

namespace {

constexpr size_t kMaxKeyNameBytes = 255 * 4;  // 255 characters of UTF-8
constexpr size_t kMaxKeyDepth = 512;

// The folded form of a well-formed path, without a trailing '\'.
std::optional<std::string> NormalisePath(std::string_view path)
{
    std::string folded = FoldCase(path);
    if (!folded.empty() && folded.back() == '\\')
        folded.pop_back();
    if (folded.empty())
        return folded;
    if (folded.front() == '\\' || folded.find("\\\\") != std::string::npos)
        return std::nullopt;
    // The registry's own limits: names of at most 255 characters, at most 512 levels.
    size_t depth = 1;
    size_t nameStart = 0;
    for (size_t i = 0; i <= folded.size(); ++i) {
        if (i < folded.size() && folded[i] != '\\')
            continue;
        if (i - nameStart > kMaxKeyNameBytes || depth > kMaxKeyDepth)
            return std::nullopt;
        depth++;
        nameStart = i + 1;
    }
    return folded;
}

}  // namespace

std::string FoldCase(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

const RegistryValue* HiveKey::FindValue(std::string_view name) const
{
    auto it = indexByFoldedName_.find(FoldCase(name));
    return it == indexByFoldedName_.end() ? nullptr : &values_[it->second];
}

void HiveKey::SetValue(std::string name, uint32_t type, std::vector<unsigned char> data)
{
    auto [it, inserted] = indexByFoldedName_.try_emplace(FoldCase(name), values_.size());
    if (inserted) {
        values_.push_back(RegistryValue{std::move(name), type, std::move(data)});
        return;
    }
    RegistryValue& existing = values_[it->second];
    existing.type = type;
    existing.data = std::move(data);
}

HiveKey* Hive::AddKey(std::string_view path)
{
    std::optional<std::string> folded = NormalisePath(path);
    if (!folded)
        return nullptr;
    auto [it, inserted] = keysByFoldedPath_.try_emplace(*folded);
    if (!inserted)
        return it->second.get();
    it->second = std::make_unique<HiveKey>();
    HiveKey* key = it->second.get();
    // Create missing parents upwards until one exists; each parent counts its new child.
    std::string ancestor = std::move(*folded);
    while (!ancestor.empty()) {
        size_t separator = ancestor.rfind('\\');
        ancestor.resize(separator == std::string::npos ? 0 : separator);
        auto [parent, created] = keysByFoldedPath_.try_emplace(ancestor);
        if (created)
            parent->second = std::make_unique<HiveKey>();
        parent->second->subkeyCount_++;
        if (!created)
            break;
    }
    return key;
}

const HiveKey* Hive::FindKey(std::string_view path) const
{
    std::optional<std::string> folded = NormalisePath(path);
    if (!folded)
        return nullptr;
    auto it = keysByFoldedPath_.find(*folded);
    return it == keysByFoldedPath_.end() ? nullptr : it->second.get();
}

}  // namespace platform::registry
