#include "unicode_text.h"

namespace unicode_text {
namespace {

// Length of the well-formed UTF-8 sequence at the start of bytes, or 1 when
// the first byte does not begin one (then that byte is a character alone).
// The ranges are the well-formed byte sequences of the Unicode standard:
// no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t sequenceLength(std::string_view bytes)
{
    // Bounds chosen between two Byte values stay a Byte; between two plain
    // numbers they would be an int narrowed on assignment (MSVC's C4244).
    using Byte = unsigned char;
    const auto byte = [&](std::size_t i) { return static_cast<Byte>(bytes[i]); };
    const auto continuation = [&](std::size_t i, Byte low = 0x80, Byte high = 0xBF) {
        return i < bytes.size() && byte(i) >= low && byte(i) <= high;
    };
    const Byte lead = byte(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(1) ? 2 : 1;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const Byte low = lead == 0xE0 ? Byte{0xA0} : Byte{0x80};
        const Byte high = lead == 0xED ? Byte{0x9F} : Byte{0xBF};
        return continuation(1, low, high) && continuation(2) ? 3 : 1;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const Byte low = lead == 0xF0 ? Byte{0x90} : Byte{0x80};
        const Byte high = lead == 0xF4 ? Byte{0x8F} : Byte{0xBF};
        return continuation(1, low, high) && continuation(2) && continuation(3) ? 4 : 1;
    }
    return 1;
}

} // namespace

std::string_view substring(std::string_view text, std::size_t first, std::size_t count)
{
    std::size_t begin = text.size();
    std::size_t position = 1;
    std::size_t offset = 0;
    while (offset < text.size() && position < first + count) {
        if (position == first)
            begin = offset;
        offset += sequenceLength(text.substr(offset));
        ++position;
    }
    return begin < offset ? text.substr(begin, offset - begin) : std::string_view{};
}

std::size_t length(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t offset = 0; offset < text.size(); offset += sequenceLength(text.substr(offset)))
        ++count;
    return count;
}

std::string_view lastCharacter(std::string_view text)
{
    // Walked from the front: only there do the character boundaries show.
    std::size_t begin = 0;
    for (std::size_t offset = 0; offset < text.size(); offset += sequenceLength(text.substr(offset)))
        begin = offset;
    return text.substr(begin);
}

bool isAsciiDigit(std::string_view character)
{
    return character.size() == 1 && isAsciiDigit(character[0]);
}

} // namespace unicode_text
