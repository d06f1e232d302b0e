#include "messages/text_encoding.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <memory>
#include <type_traits>

namespace {

struct IconvCloser {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};
using IconvPtr = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

constexpr size_t kConversionFailed = static_cast<size_t>(-1);

}  // namespace

std::optional<std::string> ConvertText(std::string_view text, const char* fromCode, const char* toCode,
                                       std::string_view replacement)
{
    iconv_t opened = iconv_open(toCode, fromCode);
    if (opened == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    IconvPtr cd(opened);

    std::string input(text);  // iconv takes its input through a non-const pointer
    char* in = input.data();
    size_t inLeft = input.size();
    std::string converted;
    std::array<char, 256> chunk{};
    for (;;) {
        char* out = chunk.data();
        size_t outLeft = chunk.size();
        // A null input flushes the shift state once the text is used up.
        const bool flushing = inLeft == 0;
        size_t rc = flushing ? iconv(cd.get(), nullptr, nullptr, &out, &outLeft)
                             : iconv(cd.get(), &in, &inLeft, &out, &outLeft);
        converted.append(chunk.data(), static_cast<size_t>(out - chunk.data()));
        if (rc != kConversionFailed) {
            if (flushing)
                return converted;
            continue;
        }
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: an invalid or truncated sequence at `in`.
        if (replacement.empty() || inLeft == 0)
            return std::nullopt;
        converted.append(replacement);
        ++in;
        --inLeft;
    }
}
