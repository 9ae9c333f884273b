#include "text_input.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

constexpr std::size_t BlockSize = 64 * 1024;
constexpr std::size_t LongestMark = 4;
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";
constexpr std::string_view Utf32LittleEndianMark{"\xFF\xFE\0\0", 4};
constexpr std::string_view Utf32BigEndianMark{"\0\0\xFE\xFF", 4};
constexpr char32_t ReplacementCharacter = 0xFFFD;

bool isHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendUtf8(std::string &text, char32_t c)
{
    const auto byte = [&text](char32_t value) { text += static_cast<char>(value); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | (c >> 6));
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | (c >> 18));
        byte(0x80 | ((c >> 12) & 0x3F));
        byte(0x80 | ((c >> 6) & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

} // namespace

TextInput::TextInput(LineReader::Source source) : m_source(std::move(source)) {}

bool TextInput::fillRaw()
{
    if (m_rawEnded)
        return false;
    m_raw.erase(0, m_rawPosition);
    m_rawPosition = 0;
    const std::size_t kept = m_raw.size();
    m_raw.resize(kept + BlockSize);
    const std::size_t count = m_source(m_raw.data() + kept, BlockSize);
    m_raw.resize(kept + count);
    m_rawEnded = count == 0;
    return count > 0;
}

void TextInput::recognise()
{
    // Enough bytes to tell the longest mark, unless the input is shorter.
    while (m_raw.size() < LongestMark && fillRaw()) {
    }
    const std::string_view start(m_raw);
    if (start.starts_with(Utf32LittleEndianMark) || start.starts_with(Utf32BigEndianMark)) {
        m_form = Form::Refused;
        m_refusal = "the input is UTF-32, which is not read: save it as UTF-8 or UTF-16";
    } else if (start.starts_with(Utf16LittleEndianMark)) {
        m_form = Form::Utf16LittleEndian;
        m_rawPosition = Utf16LittleEndianMark.size();
    } else if (start.starts_with(Utf16BigEndianMark)) {
        m_form = Form::Utf16BigEndian;
        m_rawPosition = Utf16BigEndianMark.size();
    } else {
        m_form = Form::Bytes;
        if (start.starts_with(Utf8Mark))
            m_rawPosition = Utf8Mark.size();
    }
}

std::size_t TextInput::read(char *buffer, std::size_t size)
{
    if (m_form == Form::Unknown)
        recognise();
    switch (m_form) {
    case Form::Refused:
    case Form::Unknown:
        return 0;
    case Form::Utf16LittleEndian:
    case Form::Utf16BigEndian:
        return readUtf16(buffer, size);
    case Form::Bytes:
        break;
    }
    // What was read to recognise the form goes first; then straight through.
    if (m_rawPosition < m_raw.size()) {
        const std::size_t count = std::min(size, m_raw.size() - m_rawPosition);
        std::copy_n(m_raw.data() + m_rawPosition, count, buffer);
        m_rawPosition += count;
        return count;
    }
    return m_rawEnded ? 0 : m_source(buffer, size);
}

std::size_t TextInput::readUtf16(char *buffer, std::size_t size)
{
    while (m_pendingPosition >= m_pending.size()) {
        m_pending.clear();
        m_pendingPosition = 0;
        if (m_raw.size() - m_rawPosition < 2 && !fillRaw()) {
            // The end: a high surrogate without its pair, or an odd last byte.
            if (m_highSurrogate != 0 || m_rawPosition < m_raw.size())
                appendUtf8(m_pending, ReplacementCharacter);
            m_highSurrogate = 0;
            m_rawPosition = m_raw.size();
            if (m_pending.empty())
                return 0;
            break;
        }
        const bool little = m_form == Form::Utf16LittleEndian;
        for (; m_raw.size() - m_rawPosition >= 2; m_rawPosition += 2) {
            const auto first = static_cast<unsigned char>(m_raw[m_rawPosition]);
            const auto second = static_cast<unsigned char>(m_raw[m_rawPosition + 1]);
            const char32_t unit = little ? (char32_t{second} << 8 | first) : (char32_t{first} << 8 | second);
            if (m_highSurrogate != 0) {
                const char32_t high = m_highSurrogate;
                m_highSurrogate = 0;
                if (isLowSurrogate(unit)) {
                    appendUtf8(m_pending, 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
                    continue;
                }
                appendUtf8(m_pending, ReplacementCharacter);
            }
            if (isHighSurrogate(unit))
                m_highSurrogate = static_cast<char16_t>(unit);
            else if (isLowSurrogate(unit))
                appendUtf8(m_pending, ReplacementCharacter);
            else
                appendUtf8(m_pending, unit);
        }
    }
    const std::size_t count = std::min(size, m_pending.size() - m_pendingPosition);
    std::copy_n(m_pending.data() + m_pendingPosition, count, buffer);
    m_pendingPosition += count;
    return count;
}
