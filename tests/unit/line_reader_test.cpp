#include "platform/registry/line_reader.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "tests/support/temp_dir.h"

using namespace platform::registry;

namespace {

std::vector<std::string> AllLines(LineReader& reader)
{
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(&line))
        lines.emplace_back(line);
    return lines;
}

// A file read a piece at a time gives exactly the lines of the same text in memory, wherever
// the pieces end: inside a line, between CR and LF, or in a line longer than the buffer.
TEST(LineReader, FileInPiecesGivesTheLinesOfTheTextInMemory)
{
    const std::string texts[] = {
        "",
        "\n",
        "one",
        "one\n",
        "one\ntwo\n\nthree",
        "crlf\r\nline\r\n",
        "a very long line that does not fit in a small buffer at all\nshort\n",
        "\n\n\nx\r\n\r\n",
    };
    test_support::TempDir dir;
    for (const std::string& text : texts) {
        TextLineReader inMemory(text);
        const std::vector<std::string> expected = AllLines(inMemory);
        test_support::WriteFileBytes(dir / "f", text);
        for (size_t bufferSize : {1, 2, 3, 5, 8, 64}) {
            SCOPED_TRACE(text + " / buffer " + std::to_string(bufferSize));
            int fd = open((dir / "f").c_str(), O_RDONLY);
            ASSERT_GE(fd, 0);
            DescriptorLineReader fromFile(fd, text.size(), bufferSize);
            EXPECT_EQ(AllLines(fromFile), expected);
            close(fd);
        }
    }
}

TEST(LineReader, StopsAtTheLimit)
{
    test_support::TempDir dir;
    test_support::WriteFileBytes(dir / "f", "first\nsecond\nthird\n");
    int fd = open((dir / "f").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    DescriptorLineReader reader(fd, 9, 4);
    EXPECT_EQ(AllLines(reader), (std::vector<std::string>{"first", "sec"}));
    close(fd);
}

TEST(LineReader, TextLinesEndWithoutAnExtraEmptyLine)
{
    TextLineReader reader("a\r\nb\n");
    EXPECT_EQ(AllLines(reader), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
