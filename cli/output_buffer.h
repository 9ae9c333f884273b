#pragma once

// Bytes gathered into large blocks before they go to their sink (standard
// output, or a string in the tests), so that a row costs a copy and not a
// system call. Never throws on a failed write: it remembers the failure,
// drops what follows, and the caller asks failed() at the end.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class OutputBuffer
{
public:
    // Writes all the bytes or returns false.
    using Sink = std::function<bool(std::string_view bytes)>;

    explicit OutputBuffer(Sink sink);
    ~OutputBuffer();

    OutputBuffer(const OutputBuffer &) = delete;
    OutputBuffer &operator=(const OutputBuffer &) = delete;

    void append(std::string_view bytes)
    {
        m_bytes.append(bytes);
        if (m_bytes.size() >= BlockSize)
            flush();
    }
    void append(char byte)
    {
        m_bytes.push_back(byte);
        if (m_bytes.size() >= BlockSize)
            flush();
    }
    void flush();
    bool failed() const { return m_failed; }

private:
    static constexpr std::size_t BlockSize = 64 * 1024;

    Sink m_sink;
    std::string m_bytes;
    bool m_failed = false;
};
