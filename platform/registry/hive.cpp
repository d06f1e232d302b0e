#include "platform/registry/hive.h"

#include <optional>

namespace platform::registry {

namespace {

constexpr size_t kMaxKeyNameBytes = 255 * 4;  // 255 characters of UTF-8
constexpr size_t kMaxKeyDepth = 512;

char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The path without a trailing '\', when it is well formed.
std::optional<std::string_view> ValidatePath(std::string_view path)
{
    if (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    if (path.empty())
        return path;
    // Every name non-empty, within the registry's own limits of length and depth.
    size_t depth = 1;
    size_t nameStart = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '\\')
            continue;
        if (i == nameStart || i - nameStart > kMaxKeyNameBytes || depth > kMaxKeyDepth)
            return std::nullopt;
        depth++;
        nameStart = i + 1;
    }
    return path;
}

}  // namespace

size_t CaseInsensitiveHash::operator()(std::string_view name) const noexcept
{
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (char c : name) {
        hash ^= static_cast<unsigned char>(FoldAscii(c));
        hash *= 1099511628211ull;
    }
    return static_cast<size_t>(hash);
}

bool CaseInsensitiveEqual::operator()(std::string_view a, std::string_view b) const noexcept
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

const RegistryValue* HiveKey::FindValue(std::string_view name) const
{
    auto it = indexByName_.find(name);
    return it == indexByName_.end() ? nullptr : &values_[it->second];
}

void HiveKey::SetValue(std::string name, uint32_t type, std::vector<unsigned char> data)
{
    auto [it, inserted] = indexByName_.try_emplace(name, values_.size());
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
    std::optional<std::string_view> valid = ValidatePath(path);
    if (!valid)
        return nullptr;
    auto [it, inserted] = keysByPath_.try_emplace(std::string(*valid));
    if (!inserted)
        return it->second.get();
    it->second = std::make_unique<HiveKey>();
    HiveKey* key = it->second.get();
    // Create missing parents upwards until one exists; each parent counts its new child.
    std::string_view ancestor = *valid;
    while (!ancestor.empty()) {
        size_t separator = ancestor.rfind('\\');
        ancestor = ancestor.substr(0, separator == std::string_view::npos ? 0 : separator);
        auto [parent, created] = keysByPath_.try_emplace(std::string(ancestor));
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
    std::optional<std::string_view> valid = ValidatePath(path);
    if (!valid)
        return nullptr;
    auto it = keysByPath_.find(*valid);
    return it == keysByPath_.end() ? nullptr : it->second.get();
}

}  // namespace platform::registry
