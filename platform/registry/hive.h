#pragma once
// An in-memory registry tree: what HKEY_CURRENT_USER holds once the Wine
// registry file has been read, or what a unit test builds by hand.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform::registry {

// Value types as the registry tags them.
enum ValueType : uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};

struct RegistryValue {
    std::string name;  // narrow (UTF-8); empty for the default value
    uint32_t type = kRegNone;
    std::vector<unsigned char> data;
};

// Registry names compare without regard to letter case (ASCII letters; other bytes exactly).
// Both take any string type, so that lookups need no folded copy of the name.
struct CaseInsensitiveHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const noexcept;
};
struct CaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept;
};
template <typename T>
using CaseInsensitiveMap = std::unordered_map<std::string, T, CaseInsensitiveHash, CaseInsensitiveEqual>;

class HiveKey {
public:
    // Values in the order they were added, which is the enumeration order.
    const std::vector<RegistryValue>& Values() const { return values_; }
    const RegistryValue* FindValue(std::string_view name) const;
    uint32_t SubkeyCount() const { return subkeyCount_; }

    // A value of the same name (in any letter case) keeps its place and takes the new type and data.
    void SetValue(std::string name, uint32_t type, std::vector<unsigned char> data);

private:
    friend class Hive;
    std::vector<RegistryValue> values_;
    CaseInsensitiveMap<size_t> indexByName_;
    uint32_t subkeyCount_ = 0;
};

class Hive {
public:
    // Key paths are names joined by '\'; an empty path is the root, and one trailing '\' is
    // allowed. AddKey creates the key and any missing parents; a path with an empty name
    // in it ("a\\\\b", a leading '\') names no key, and gives nullptr.
    HiveKey* AddKey(std::string_view path);
    const HiveKey* FindKey(std::string_view path) const;

private:
    // By the whole path, without a trailing '\'.
    CaseInsensitiveMap<std::unique_ptr<HiveKey>> keysByPath_;
};

}  // namespace platform::registry
