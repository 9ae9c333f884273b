// The print service over a recording printer: the date stamp from the clock
// in the user's language (this test runs with English as that language),
// the message for each way a printer fails, and never a second sheet on its
// own.

#include "default_print_service.h"
#include "recording_sheet_printer.h"

#include <gtest/gtest.h>

#include <QDate>

using namespace Qt::StringLiterals;

namespace {

constexpr int StampLine = 28;

const DetailSheetTexts ValidNumber{u"811231234V"_s, u"1981   May   2"_s, u"1401   6   27"_s,
                                   u"Sturday"_s,    u"Male"_s,           u"45  Years   &   7  Month"_s};

struct StampCase
{
    const char *name;
    QDate today;
    QString stamp;
};

class PrintServiceStamp : public testing::TestWithParam<StampCase>
{
};

TEST_P(PrintServiceStamp, FullMonthNameAndGregorianYearOfToday)
{
    RecordingSheetPrinter printer;
    DefaultPrintService service(printer, [today = GetParam().today] { return today; });

    EXPECT_EQ(service.printSheet(ValidNumber), QString());
    ASSERT_GT(printer.lines.size(), StampLine);
    EXPECT_EQ(printer.lines[StampLine].text.mid(49), GetParam().stamp);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultPrintService, PrintServiceStamp,
    testing::Values(StampCase{"seventh_of_december_2026", QDate(2026, 12, 7),
                              u"Above detail process and printed on  December  2026"_s},
                    StampCase{"first_of_january", QDate(2027, 1, 1),
                              u"Above detail process and printed on  January  2027"_s},
                    StampCase{"leap_day", QDate(2028, 2, 29), u"Above detail process and printed on  February  2028"_s},
                    StampCase{"year_with_fewer_digits", QDate(999, 9, 30),
                              u"Above detail process and printed on  September  999"_s}),
    [](const testing::TestParamInfo<StampCase> &info) { return info.param.name; });

// One row per failure a printer can report: what the message must tell.
struct FailureCase
{
    const char *name;
    SheetPrinter::Outcome answer;
    QStringList mustSay;
};

class PrintServiceFailure : public testing::TestWithParam<FailureCase>
{
};

TEST_P(PrintServiceFailure, SaysWhatWentWrongAndPrintsOnlyOnce)
{
    const FailureCase &row = GetParam();
    RecordingSheetPrinter printer;
    printer.answer = row.answer;
    DefaultPrintService service(printer, [] { return QDate(2026, 12, 7); });

    const QString message = service.printSheet(ValidNumber);

    for (const QString &words : row.mustSay)
        EXPECT_TRUE(message.contains(words)) << message.toStdString() << "\nlacks: " << words.toStdString();
    EXPECT_EQ(printer.sheetsEnded, 1) << "no retry the user did not ask for";
    EXPECT_EQ(printer.lines.size(), 31);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultPrintService, PrintServiceFailure,
    testing::Values(
        FailureCase{"no_default_printer",
                    {SheetPrinter::Failure::NoPrinter, {}, {}},
                    {u"No default printer"_s, u"not printed"_s}},
        FailureCase{"printer_cannot_start_a_job",
                    {SheetPrinter::Failure::CannotStart, u"Office Laser"_s, {}},
                    {u"\"Office Laser\""_s, u"could not start"_s, u"not printed"_s}},
        FailureCase{"printer_fails_while_printing",
                    {SheetPrinter::Failure::FailedWhilePrinting, u"Office Laser"_s, {}},
                    {u"\"Office Laser\""_s, u"went wrong"_s}},
        FailureCase{"print_system_gives_its_reason",
                    {SheetPrinter::Failure::FailedWhilePrinting, u"SheetPdf"_s, u"The printer is not accepting jobs."_s},
                    {u"\"SheetPdf\""_s, u"The print system said: The printer is not accepting jobs."_s}}),
    [](const testing::TestParamInfo<FailureCase> &info) { return info.param.name; });

TEST(DefaultPrintService, EveryPressPrintsOneSheetAfterAFailureToo)
{
    RecordingSheetPrinter printer;
    printer.answer = {SheetPrinter::Failure::CannotStart, u"Office Laser"_s, {}};
    DefaultPrintService service(printer, [] { return QDate(2026, 12, 7); });

    EXPECT_FALSE(service.printSheet(ValidNumber).isEmpty());
    printer.answer = {};
    EXPECT_TRUE(service.printSheet(ValidNumber).isEmpty());

    EXPECT_EQ(printer.sheetsEnded, 2);
    EXPECT_EQ(printer.lines.size(), 2 * 31);
}

} // namespace
