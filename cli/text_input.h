#pragma once

// The bytes of the input as UTF-8 text, whatever form a spreadsheet saved
// them in: a UTF-8 byte-order mark at the very start is dropped, UTF-16 with
// its mark (Excel's "Unicode text", either byte order) is turned into UTF-8
// as it is read, and UTF-32 is refused with a message that names it. Bytes
// without a mark are handed on exactly as they came: nothing is judged.
// Only one block is held at a time.

#include "line_reader.h"

#include <cstddef>
#include <string>

class TextInput
{
public:
    explicit TextInput(LineReader::Source source);

    // Up to size bytes of UTF-8; 0 at the end of the input or on a refusal.
    std::size_t read(char *buffer, std::size_t size);
    // Why the input was not read (empty when it was).
    const std::string &refusal() const { return m_refusal; }

private:
    enum class Form { Unknown, Bytes, Utf16LittleEndian, Utf16BigEndian, Refused };

    void recognise();
    std::size_t readUtf16(char *buffer, std::size_t size);
    bool fillRaw();

    LineReader::Source m_source;
    Form m_form = Form::Unknown;
    std::string m_raw; // bytes read and not yet handed on
    std::size_t m_rawPosition = 0;
    bool m_rawEnded = false;
    std::string m_pending; // UTF-8 made and not yet handed on
    std::size_t m_pendingPosition = 0;
    char16_t m_highSurrogate = 0;
    std::string m_refusal;
};
