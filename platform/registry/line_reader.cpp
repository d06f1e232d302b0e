#include "platform/registry/line_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform::registry {

namespace {

std::string_view WithoutCarriageReturn(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

}  // namespace

bool TextLineReader::Next(std::string_view* line)
{
    if (done_)
        return false;
    const void* newline = std::memchr(rest_.data(), '\n', rest_.size());
    size_t length = newline ? static_cast<const char*>(newline) - rest_.data() : rest_.size();
    *line = WithoutCarriageReturn(rest_.substr(0, length));
    if (newline)
        rest_.remove_prefix(length + 1);
    done_ = !newline || rest_.empty();
    return true;
}

bool DescriptorLineReader::Next(std::string_view* line)
{
    size_t searched = start_;
    for (;;) {
        const void* newline = std::memchr(buffer_.data() + searched, '\n', end_ - searched);
        if (newline) {
            size_t at = static_cast<const char*>(newline) - buffer_.data();
            *line = WithoutCarriageReturn(std::string_view(buffer_).substr(start_, at - start_));
            start_ = at + 1;
            return true;
        }
        if (endOfFile_) {
            if (start_ == end_)
                return false;
            *line = WithoutCarriageReturn(std::string_view(buffer_).substr(start_, end_ - start_));
            start_ = end_;
            return true;
        }
        searched = end_ - start_;
        Refill();
    }
}

void DescriptorLineReader::Refill()
{
    std::memmove(buffer_.data(), buffer_.data() + start_, end_ - start_);
    end_ -= start_;
    start_ = 0;
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    for (;;) {
        size_t wanted = std::min(buffer_.size() - end_, left_);
        ssize_t n = wanted == 0 ? 0 : read(fd_, buffer_.data() + end_, wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            endOfFile_ = true;  // a read error ends the file where it stands
        } else {
            end_ += static_cast<size_t>(n);
            left_ -= static_cast<size_t>(n);
        }
        return;
    }
}

}  // namespace platform::registry
