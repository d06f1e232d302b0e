#pragma once
// Writes a registry in the text format of Wine's user.reg, as wineserver saves it: keys and
// values sorted without regard to case, names escaped, hex data wrapped at 76 columns.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace test_support {

class WineRegistryWriter {
public:
    // Paths are key names joined by '\'; names are UTF-8.
    void SetValue(const std::string& keyPath, const std::string& name, uint32_t type,
                  std::vector<unsigned char> data);
    void SetBinary(const std::string& keyPath, const std::string& name, std::vector<unsigned char> data);
    void SetString(const std::string& keyPath, const std::string& name, const std::string& text);
    void SetDword(const std::string& keyPath, const std::string& name, uint32_t value);
    void AddKey(const std::string& keyPath);

    std::string Render() const;
    // Writes Render() to the file, replacing it whole (a new file renamed over the old).
    void WriteFile(const std::string& path) const;

private:
    struct Value {
        std::string name;
        uint32_t type;
        std::vector<unsigned char> data;
    };
    struct Key {
        std::string name;
        std::map<std::string, Value> valuesByFoldedName;
        std::map<std::string, std::unique_ptr<Key>> subkeysByFoldedName;
    };

    Key* FindOrAddKey(const std::string& keyPath);
    void RenderKey(const Key& key, const std::string& path, std::string* out) const;

    Key root_;
};

// Wine's escaping of a name or string (dump_strW): `escape` are the characters that take a '\'.
std::string EscapeWineString(const std::string& utf8, const char* escape);

}  // namespace test_support
