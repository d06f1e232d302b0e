#include "tests/support/wine_registry_writer.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <stdexcept>


namespace test_support {

namespace {

// A fixed save time keeps written files reproducible.
constexpr unsigned kSaveTimeSeconds = 1733900000;
constexpr const char* kSaveFileTime = "#time=1db4b6c8a4c1e00";

std::string Fold(const std::string& name)
{
    std::string folded = name;
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

std::vector<uint32_t> Utf8ToUtf16(const std::string& text)
{
    std::vector<uint32_t> units;
    for (size_t i = 0; i < text.size();) {
        auto c = static_cast<unsigned char>(text[i]);
        uint32_t cp = c;
        size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra && i + extra < text.size()) {
            cp = c & (0x3F >> extra);
            for (size_t k = 1; k <= extra; ++k)
                cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        } else {
            extra = 0;
        }
        i += extra + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            units.push_back(0xD800 + (cp >> 10));
            units.push_back(0xDC00 + (cp & 0x3FF));
        } else {
            units.push_back(cp);
        }
    }
    return units;
}

}  // namespace

std::string EscapeWineString(const std::string& utf8, const char* escape)
{
    static const char kEscapes[33] = ".......abtnvfr.............e....";
    std::vector<uint32_t> units = Utf8ToUtf16(utf8);
    std::string out;
    char buffer[16];
    for (size_t i = 0; i < units.size(); ++i) {
        uint32_t unit = units[i];
        bool nextIsHexDigit = i + 1 < units.size() && units[i + 1] < 128 && std::isxdigit(static_cast<int>(units[i + 1]));
        bool nextIsOctalDigit = i + 1 < units.size() && units[i + 1] >= '0' && units[i + 1] <= '7';
        if (unit > 127) {
            std::snprintf(buffer, sizeof buffer, nextIsHexDigit ? "\\x%04x" : "\\x%x", unit);
            out += buffer;
        } else if (unit < 32) {
            if (kEscapes[unit] != '.')
                std::snprintf(buffer, sizeof buffer, "\\%c", kEscapes[unit]);
            else
                std::snprintf(buffer, sizeof buffer, nextIsOctalDigit ? "\\%03o" : "\\%o", unit);
            out += buffer;
        } else {
            if (unit == '\\' || unit == static_cast<unsigned char>(escape[0]) || unit == static_cast<unsigned char>(escape[1]))
                out += '\\';
            out += static_cast<char>(unit);
        }
    }
    return out;
}

WineRegistryWriter::Key* WineRegistryWriter::FindOrAddKey(const std::string& keyPath)
{
    Key* key = &root_;
    size_t start = 0;
    while (start <= keyPath.size()) {
        size_t end = keyPath.find('\\', start);
        if (end == std::string::npos)
            end = keyPath.size();
        std::string name = keyPath.substr(start, end - start);
        if (name.empty())
            throw std::invalid_argument("empty key name in " + keyPath);
        auto& slot = key->subkeysByFoldedName[Fold(name)];
        if (!slot) {
            slot = std::make_unique<Key>();
            slot->name = name;
        }
        key = slot.get();
        start = end + 1;
    }
    return key;
}

void WineRegistryWriter::SetValue(const std::string& keyPath, const std::string& name, uint32_t type,
                                  std::vector<unsigned char> data)
{
    FindOrAddKey(keyPath)->valuesByFoldedName[Fold(name)] = Value{name, type, std::move(data)};
}

void WineRegistryWriter::SetBinary(const std::string& keyPath, const std::string& name, std::vector<unsigned char> data)
{
    SetValue(keyPath, name, 3, std::move(data));
}

void WineRegistryWriter::SetString(const std::string& keyPath, const std::string& name, const std::string& text)
{
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    SetValue(keyPath, name, 1, std::move(data));
}

void WineRegistryWriter::SetDword(const std::string& keyPath, const std::string& name, uint32_t value)
{
    SetValue(keyPath, name, 4,
             {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
              static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)});
}

void WineRegistryWriter::AddKey(const std::string& keyPath)
{
    FindOrAddKey(keyPath);
}

void WineRegistryWriter::RenderKey(const Key& key, const std::string& path, std::string* out) const
{
    if (!key.valuesByFoldedName.empty() || key.subkeysByFoldedName.empty()) {
        char header[32];
        std::snprintf(header, sizeof header, "] %u\n", kSaveTimeSeconds);
        *out += "\n[" + path + header + kSaveFileTime + "\n";
        for (const auto& [folded, value] : key.valuesByFoldedName) {
            int count;
            if (value.name.empty()) {
                *out += "@=";
                count = 2;
            } else {
                std::string name = EscapeWineString(value.name, "\"\"");
                *out += "\"" + name + "\"=";
                count = static_cast<int>(name.size()) + 3;
            }
            std::string text(value.data.begin(), value.data.end());
            if (!text.empty() && text.back() == '\0')
                text.pop_back();
            char buffer[32];
            if (value.type == 1 && !value.data.empty() && value.data.back() == 0) {
                *out += "\"" + EscapeWineString(text, "\"\"") + "\"\n";
                continue;
            }
            if ((value.type == 2 || value.type == 7) && !value.data.empty() && value.data.back() == 0) {
                std::snprintf(buffer, sizeof buffer, "str(%u):\"", value.type);
                *out += buffer + EscapeWineString(text, "\"\"") + "\"\n";
                continue;
            }
            if (value.type == 4 && value.data.size() == 4) {
                uint32_t dword = value.data[0] | value.data[1] << 8 | value.data[2] << 16 | static_cast<uint32_t>(value.data[3]) << 24;
                std::snprintf(buffer, sizeof buffer, "dword:%08x\n", dword);
                *out += buffer;
                continue;
            }
            if (value.type == 3)
                std::snprintf(buffer, sizeof buffer, "hex:");
            else
                std::snprintf(buffer, sizeof buffer, "hex(%x):", value.type);
            *out += buffer;
            count += static_cast<int>(std::string(buffer).size());
            static constexpr char kDigits[] = "0123456789abcdef";
            out->reserve(out->size() + value.data.size() * 3 + value.data.size() / 25 * 4 + 1);
            for (size_t i = 0; i < value.data.size(); ++i) {
                *out += kDigits[value.data[i] >> 4];
                *out += kDigits[value.data[i] & 0x0F];
                count += 2;
                if (i + 1 < value.data.size()) {
                    *out += ',';
                    if (++count > 76) {
                        *out += "\\\n  ";
                        count = 2;
                    }
                }
            }
            *out += '\n';
        }
    }
    for (const auto& [folded, subkey] : key.subkeysByFoldedName) {
        std::string name = EscapeWineString(subkey->name, "[]");
        RenderKey(*subkey, path.empty() ? name : path + "\\\\" + name, out);
    }
}

std::string WineRegistryWriter::Render() const
{
    std::string out = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n";
    for (const auto& [folded, subkey] : root_.subkeysByFoldedName)
        RenderKey(*subkey, EscapeWineString(subkey->name, "[]"), &out);
    return out;
}

void WineRegistryWriter::WriteFile(const std::string& path) const
{
    std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << Render();
        if (!file)
            throw std::runtime_error("cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot rename " + temporary);
}

}  // namespace test_support
