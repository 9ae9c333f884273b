#pragma once

// Splits a byte stream into the numbers of a list, one a line: a UTF-8
// byte-order mark at the very start is dropped, a line ends at LF with an
// optional CR before it, and lines of nothing but blanks are skipped. Bytes
// are never judged or changed: a NUL, a stray CR or invalid UTF-8 stay in
// their line, and a line may be of any length (it is held whole, so memory
// grows only with the longest line, never with the number of lines).

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
    bool accept(std::string_view raw, std::string_view &line);

    Source m_source;
    std::string m_block;
    std::size_t m_position = 0;
    std::string m_line; // a line that runs over the end of a block
    bool m_atStart = true;
    bool m_ended = false;
};
