#pragma once
// Lines of a registry file, without their line ends (LF or CRLF). A line is valid until the
// next call. A final line end does not start another, empty line.

#include <string>
#include <string_view>

namespace platform::registry {

class LineReader {
public:
    virtual ~LineReader() = default;
    // False at the end of the text.
    virtual bool Next(std::string_view* line) = 0;
};

// The lines of a text in memory.
class TextLineReader : public LineReader {
public:
    explicit TextLineReader(std::string_view text) : rest_(text), done_(text.empty()) {}
    bool Next(std::string_view* line) override;

private:
    std::string_view rest_;
    bool done_;
};

// The lines of an open file, read from its current position a piece at a time, so that a large
// file is never held whole; reading stops at the end of the file or after `limit` bytes.
class DescriptorLineReader : public LineReader {
public:
    static constexpr size_t kDefaultBufferSize = 1 << 20;

    DescriptorLineReader(int fd, size_t limit, size_t bufferSize = kDefaultBufferSize)
        : fd_(fd), left_(limit), buffer_(bufferSize > 0 ? bufferSize : 1, '\0')
    {
    }
    bool Next(std::string_view* line) override;

private:
    // Moves what is left to the front and reads more behind it; grows for a line longer than the buffer.
    void Refill();

    int fd_;
    size_t left_;  // bytes still to be read
    std::string buffer_;
    size_t start_ = 0;  // the unread part is buffer_[start_, end_)
    size_t end_ = 0;
    bool endOfFile_ = false;
};

}  // namespace platform::registry
