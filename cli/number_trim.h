#pragma once

// What --trim takes off both ends of a number before it is decoded: blanks
// of every script (space, tab, no-break and the typographic spaces,
// ideographic space) and the characters that show nothing (zero-width
// spaces and joiners, direction marks and embeddings, a byte-order mark),
// which a copy from a web page or a word processor brings along. Nothing
// inside the number is touched.

#include <string_view>

std::string_view TrimNumber(std::string_view text);
