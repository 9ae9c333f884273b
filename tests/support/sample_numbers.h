#pragma once

// The sample numbers the tests of every folder type in, and the texts the
// program shows for them on the tests' "today", 7 December 2026: one home,
// so a text that changes on purpose changes here once. Plain character
// strings, for the tests without Qt and with it alike; a case that only one
// test needs stays in that test's own table.

namespace sample {

// A man born on Saturday 2 May 1981.
inline constexpr const char *Number = "811231234V";
inline constexpr const char *DateOB = "1981   May   2";
inline constexpr const char *DayOB = "Sturday";
inline constexpr const char *Sex = "Male";
inline constexpr const char *Age = "45  Years   &   7  Month";
inline constexpr const char *HDateOB = "1401   Jamada al Thani   28";
// The Hijri date as the detail sheet is handed it, in numbers.
inline constexpr const char *SheetHDateOB = "1401   6   27";

} // namespace sample
