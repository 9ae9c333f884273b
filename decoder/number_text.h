#pragma once

// Numbers read from and written into texts, the way every part of the
// decoder reads a day code or a year and writes a date, an age or a Hijri
// date.

#include <string>
#include <string_view>

// The numeric reading of a text: blanks (space, tab, line feed) are skipped
// anywhere; then an optional sign, digits, an optional "." and digits, and an
// optional exponent (E or D, optional sign, digits), up to the first
// character that cannot continue the number. No digit at all reads as 0.
// A value too large for a double reads as an infinity of its sign.
double ReadNumber(std::string_view text);

// Whether the whole text is one number in the sense of ReadNumber, with at
// least one digit and nothing left over but blanks.
bool ReadsAsNumber(std::string_view text);

// Plain decimal: no sign for positive values, no leading zeros, no decimal
// point when whole; a fraction is written with "." ("1.5").
std::string WriteNumber(double value);
