#include "unicode_text.h"

namespace unicode_text {
namespace {

// Length of the well-formed UTF-8 sequence at the start of bytes, or 1 when
// the first byte does not begin one (then that byte is a character alone).
// The ranges are the well-formed byte sequences of the Unicode standard:
// no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t sequenceLength(std::string_view bytes)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto continuation = [&](std::size_t i, unsigned char low = 0x80, unsigned char high = 0xBF) {
        return i < bytes.size() && byte(i) >= low && byte(i) <= high;
    };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(1) ? 2 : 1;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return continuation(1, low, high) && continuation(2) ? 3 : 1;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
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
    return character.size() == 1 && character[0] >= '0' && character[0] <= '9';
}

} // namespace unicode_text
