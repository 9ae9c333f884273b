#pragma once

// Reading a UTF-8 text by character position, where a character is one
// Unicode code point. A well-formed multi-byte sequence is one character and
// is never split; every byte that does not begin a well-formed sequence
// counts as one character of its own, so any byte string can be read by
// position without losing or corrupting what surrounds it.

#include <cstddef>
#include <string_view>

namespace unicode_text {

// Characters first, first + 1, ... up to count of them (1-based; as many as
// exist), as the original bytes.
std::string_view substring(std::string_view text, std::size_t first, std::size_t count);

std::size_t length(std::string_view text);

// The last character, or an empty view for an empty text.
std::string_view lastCharacter(std::string_view text);

// Only "0" to "9": no other script's digits, full-width or superscript forms.
bool isAsciiDigit(std::string_view character);
// The same for one byte: a byte of a multi-byte character is never one.
constexpr bool isAsciiDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

} // namespace unicode_text
