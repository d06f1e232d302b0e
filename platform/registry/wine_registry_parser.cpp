#include "platform/registry/wine_registry_parser.h"

#include "platform/registry/line_reader.h"

#include <array>
#include <cstring>

namespace platform::registry {

namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

constexpr std::array<signed char, 256> MakeHexDigitTable()
{
    std::array<signed char, 256> table{};
    table.fill(-1);
    for (int i = 0; i < 10; ++i)
        table['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
        table['a' + i] = static_cast<signed char>(10 + i);
        table['A' + i] = static_cast<signed char>(10 + i);
    }
    return table;
}
constexpr std::array<signed char, 256> kHexDigit = MakeHexDigitTable();

int HexDigit(char c) { return kHexDigit[static_cast<unsigned char>(c)]; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Builds UTF-8 text from raw bytes and UTF-16 code units from escapes, pairing surrogates;
// a surrogate without its partner becomes U+FFFD.
class NarrowTextBuilder {
public:
    explicit NarrowTextBuilder(std::string* out) : out_(out) {}
    ~NarrowTextBuilder() { Flush(); }

    void AddByte(char c)
    {
        Flush();
        out_->push_back(c);
    }

    void AddBytes(std::string_view bytes)
    {
        if (bytes.empty())
            return;
        Flush();
        out_->append(bytes);
    }

    void AddUnit(uint32_t unit)
    {
        if (pendingHigh_ != 0) {
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                AddCodePoint(0x10000 + ((pendingHigh_ - 0xD800) << 10) + (unit - 0xDC00));
                pendingHigh_ = 0;
                return;
            }
            Flush();
        }
        if (unit >= 0xD800 && unit <= 0xDBFF)
            pendingHigh_ = unit;
        else if (unit >= 0xDC00 && unit <= 0xDFFF)
            AddCodePoint(0xFFFD);
        else
            AddCodePoint(unit);
    }

    void Flush()
    {
        if (pendingHigh_ != 0) {
            AddCodePoint(0xFFFD);
            pendingHigh_ = 0;
        }
    }

private:
    void AddCodePoint(uint32_t cp)
    {
        if (cp < 0x80) {
            out_->push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out_->push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out_->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out_->push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out_->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out_->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out_->push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out_->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out_->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out_->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }

    std::string* out_;
    uint32_t pendingHigh_ = 0;
};

// Reads an escaped string from line[*pos] up to the unescaped terminator and leaves *pos
// behind it. False when the line ends first.
bool ParseEscapedString(std::string_view line, size_t* pos, char terminator, std::string* out)
{
    out->clear();
    NarrowTextBuilder text(out);
    const char stops[] = {terminator, '\\'};
    size_t i = *pos;
    while (i < line.size()) {
        // Plain bytes up to the next escape or the terminator go over in one run.
        size_t plain = line.find_first_of(std::string_view(stops, 2), i);
        if (plain == std::string_view::npos)
            plain = line.size();
        text.AddBytes(line.substr(i, plain - i));
        i = plain;
        if (i == line.size())
            break;
        char c = line[i];
        if (c == terminator) {
            *pos = i + 1;
            return true;
        }
        if (++i == line.size())
            return false;
        c = line[i++];
        switch (c) {
        case 'a': text.AddUnit('\a'); break;
        case 'b': text.AddUnit('\b'); break;
        case 'e': text.AddUnit(0x1B); break;
        case 'f': text.AddUnit('\f'); break;
        case 'n': text.AddUnit('\n'); break;
        case 'r': text.AddUnit('\r'); break;
        case 't': text.AddUnit('\t'); break;
        case 'v': text.AddUnit('\v'); break;
        case 'x': {
            uint32_t unit = 0;
            int digits = 0;
            while (digits < 4 && i < line.size() && HexDigit(line[i]) >= 0) {
                unit = unit * 16 + static_cast<uint32_t>(HexDigit(line[i++]));
                ++digits;
            }
            if (digits == 0)
                text.AddByte('x');
            else
                text.AddUnit(unit);
            break;
        }
        case '0': case '1': case '2': case '3': case '4': case '5': case '6': case '7': {
            uint32_t unit = static_cast<uint32_t>(c - '0');
            for (int digits = 1; digits < 3 && i < line.size() && line[i] >= '0' && line[i] <= '7'; ++digits)
                unit = unit * 8 + static_cast<uint32_t>(line[i++] - '0');
            text.AddUnit(unit);
            break;
        }
        default:
            text.AddByte(c);
            break;
        }
    }
    return false;
}

void SkipBlanks(std::string_view line, size_t* pos)
{
    while (*pos < line.size() && IsBlank(line[*pos]))
        ++*pos;
}

// Comma-separated bytes in hex; a '\' at the end of a line continues the list on the next.
bool ParseHexBytes(std::string_view line, LineReader& reader, std::vector<unsigned char>* data)
{
    data->reserve(line.size() / 3 + 1);
    size_t i = 0;
    for (;;) {
        // What wineserver writes, two digits and a comma, takes the fast road, written
        // straight into room made for the whole line.
        size_t filled = data->size();
        data->resize(filled + (line.size() - i) / 3);
        unsigned char* out = data->data();
        while (i + 3 <= line.size()) {
            int high = HexDigit(line[i]);
            int low = HexDigit(line[i + 1]);
            if (high < 0 || low < 0 || line[i + 2] != ',')
                break;
            out[filled++] = static_cast<unsigned char>(high << 4 | low);
            i += 3;
        }
        data->resize(filled);
        while (i < line.size() && HexDigit(line[i]) >= 0) {
            unsigned value = 0;
            while (i < line.size() && HexDigit(line[i]) >= 0) {
                value = value * 16 + static_cast<unsigned>(HexDigit(line[i++]));
                if (value > 0xFF)
                    return false;
            }
            data->push_back(static_cast<unsigned char>(value));
            SkipBlanks(line, &i);
            if (i < line.size() && line[i] == ',')
                ++i;
            SkipBlanks(line, &i);
        }
        SkipBlanks(line, &i);
        if (i == line.size())
            return true;
        if (line[i] != '\\' || i + 1 != line.size())
            return false;
        if (!reader.Next(&line))
            return false;
        i = 0;
        SkipBlanks(line, &i);
    }
}

bool ParseUnsignedHex(std::string_view text, uint32_t* value)
{
    if (text.empty() || text.size() > 8)
        return false;
    *value = 0;
    for (char c : text) {
        if (HexDigit(c) < 0)
            return false;
        *value = *value * 16 + static_cast<uint32_t>(HexDigit(c));
    }
    return true;
}

std::vector<unsigned char> StringData(const std::string& text)
{
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

// One value line (and its continuation lines) into the key; false when it is malformed.
bool ParseValue(std::string_view line, LineReader& reader, HiveKey* key)
{
    size_t pos = 1;
    std::string name;
    if (line[0] == '"' && !ParseEscapedString(line, &pos, '"', &name))
        return false;
    SkipBlanks(line, &pos);
    if (pos == line.size() || line[pos] != '=')
        return false;
    ++pos;
    SkipBlanks(line, &pos);
    std::string_view rest = line.substr(pos);

    uint32_t type = kRegNone;
    std::vector<unsigned char> data;
    auto parseStringFrom = [&](size_t prefixLength) {
        std::string text;
        size_t at = pos + prefixLength;
        if (!ParseEscapedString(line, &at, '"', &text))
            return false;
        data = StringData(text);
        return true;
    };
    if (rest.starts_with('"')) {
        type = kRegSz;
        if (!parseStringFrom(1))
            return false;
    } else if (rest.starts_with("str:\"")) {
        type = kRegSz;
        if (!parseStringFrom(5))
            return false;
    } else if (rest.starts_with("str(2):\"") || rest.starts_with("str(7):\"")) {
        type = rest[4] == '2' ? kRegExpandSz : kRegMultiSz;
        if (!parseStringFrom(8))
            return false;
    } else if (rest.starts_with("dword:")) {
        uint32_t dword = 0;
        std::string_view digits = rest.substr(6);
        while (!digits.empty() && IsBlank(digits.back()))
            digits.remove_suffix(1);
        if (!ParseUnsignedHex(digits, &dword))
            return false;
        type = kRegDword;
        data = {static_cast<unsigned char>(dword), static_cast<unsigned char>(dword >> 8),
                static_cast<unsigned char>(dword >> 16), static_cast<unsigned char>(dword >> 24)};
    } else if (rest.starts_with("hex:")) {
        type = kRegBinary;
        if (!ParseHexBytes(rest.substr(4), reader, &data))
            return false;
    } else if (rest.starts_with("hex(")) {
        size_t close = rest.find("):");
        if (close == std::string_view::npos || !ParseUnsignedHex(rest.substr(4, close - 4), &type))
            return false;
        if (!ParseHexBytes(rest.substr(close + 2), reader, &data))
            return false;
    } else {
        return false;
    }
    key->SetValue(std::move(name), type, std::move(data));
    return true;
}

std::unique_ptr<Hive> ParseLines(LineReader& reader)
{
    auto hive = std::make_unique<Hive>();
    std::string_view line;
    if (!reader.Next(&line) || line != kHeader)
        return hive;

    HiveKey* current = nullptr;  // values outside a readable key block are dropped
    std::string keyPath;
    while (reader.Next(&line)) {
        if (line.empty())
            continue;
        switch (line[0]) {
        case '[': {
            size_t pos = 1;
            current = ParseEscapedString(line, &pos, ']', &keyPath) ? hive->AddKey(keyPath) : nullptr;
            break;
        }
        case '"':
        case '@':
            if (current)
                ParseValue(line, reader, current);
            break;
        default:
            break;  // ";;" comments, "#time=", "#class=", "#link", "#arch=" and anything unreadable
        }
    }
    return hive;
}

}  // namespace

std::unique_ptr<Hive> ParseWineRegistry(std::string_view text)
{
    TextLineReader reader(text);
    return ParseLines(reader);
}

std::unique_ptr<Hive> ParseWineRegistryFile(int fd, size_t maxBytes)
{
    DescriptorLineReader reader(fd, maxBytes);
    return ParseLines(reader);
}

}  // namespace platform::registry
