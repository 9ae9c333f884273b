// Run with ICU's data library swapped for one that holds no ICU data: the
// calendars must refuse to open rather than give dates from fallbacks.

#include "icu_calendar_service.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(IcuCalendarData, UnreadableDataIsRefusedWithAReason)
{
    try {
        const IcuCalendarService calendars;
        FAIL() << "the calendars opened on unreadable data";
    } catch (const CalendarDataError &error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("U_USING_"), std::string::npos) << message;
        EXPECT_NE(message.find("ICU"), std::string::npos) << message;
    }
}

} // namespace
