#pragma once

// Splits a byte stream into the numbers of a list, one a line: a line ends
// at LF, at CR LF or at a CR alone (old Mac exports), and lines of nothing
// but blanks are skipped. Bytes are never judged or changed: a NUL or
// invalid UTF-8 stay in their line, and a line may be of any length (it is
// held whole, so memory grows only with the longest line, never with the
// number of lines). The stream is text already: TextInput has dealt with
// byte-order marks and UTF-16.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class LineReader
{
public:
    // Fills the buffer with up to size bytes; 0 at the end of the input.
    using Source = std::function<std::size_t(char *buffer, std::size_t size)>;

    explicit LineReader(Source source);

    // The next line that is not blank, valid until the next call; false at the end.
    bool next(std::string_view &line);

private:
    static constexpr std::size_t BlockSize = 64 * 1024;

    bool fill();
    // Steps over the line end at the current position, CR LF as one.
    void skipLineEnd();

    Source m_source;
    std::string m_block;
    std::size_t m_position = 0;
    std::string m_line;                 // a line that runs over the end of a block
    bool m_afterCarriageReturn = false; // an LF that follows now ends nothing
    bool m_ended = false;
};
