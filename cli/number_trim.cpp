#include "number_trim.h"

#include "unicode_text.h"

#include <algorithm>
#include <array>

namespace {

// UTF-8 of each character taken off, besides the ASCII blanks.
constexpr std::array<std::string_view, 32> InvisibleOrBlank{
    "\xC2\xA0",     // no-break space
    "\xE1\x9A\x80", // Ogham space mark
    "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82", "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85",
    "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89", "\xE2\x80\x8A", // en quad to hair space
    "\xE2\x80\x8B",                                                                 // zero-width space
    "\xE2\x80\x8C", "\xE2\x80\x8D",                                                 // zero-width non-joiner, joiner
    "\xE2\x80\x8E", "\xE2\x80\x8F",                                                 // left-to-right, right-to-left mark
    "\xE2\x80\xAA", "\xE2\x80\xAB", "\xE2\x80\xAC", "\xE2\x80\xAD", "\xE2\x80\xAE", // embeddings and overrides
    "\xE2\x80\xAF",                                                                 // narrow no-break space
    "\xE2\x81\x9F",                                                                 // medium mathematical space
    "\xE2\x81\xA0",                                                                 // word joiner
    "\xE2\x81\xA6", "\xE2\x81\xA7", "\xE2\x81\xA8", "\xE2\x81\xA9",                 // isolates
    "\xE3\x80\x80",                                                                 // ideographic space
    "\xEF\xBB\xBF",                                                                 // byte-order mark
};
constexpr std::string_view AsciiBlanks = " \t\r\n\v\f";

bool isTrimmed(std::string_view character)
{
    if (character.size() == 1)
        return AsciiBlanks.find(character[0]) != std::string_view::npos;
    return std::find(InvisibleOrBlank.begin(), InvisibleOrBlank.end(), character) != InvisibleOrBlank.end();
}

} // namespace

std::string_view TrimNumber(std::string_view text)
{
    // One walk from the front, where the character boundaries show.
    std::size_t begin = text.size();
    std::size_t end = 0;
    for (std::size_t offset = 0; offset < text.size();) {
        const std::string_view character = unicode_text::substring(text.substr(offset), 1, 1);
        if (!isTrimmed(character)) {
            begin = std::min(begin, offset);
            end = offset + character.size();
        }
        offset += character.size();
    }
    return begin < end ? text.substr(begin, end - begin) : std::string_view{};
}
