// The print service over a recording printer: the date stamp from the clock
// in the user's language (this test runs with English as that language),
// the message for each way a printer fails or holds the sheet back, never a
// second sheet on its own, and the name a saved sheet is offered under.

#include "default_print_service.h"
#include "recording_sheet_printer.h"
#include "sample_sheet.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace {

// Before any test: LC_ALL would do it on Linux only, Windows reads the
// language from its own settings.
[[maybe_unused]] const bool EnglishMonths = [] {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::Australia));
    return true;
}();

constexpr int StampLine = 28;

const DetailSheetTexts ValidNumber = sampleSheetTexts();

struct StampCase
{
    const char *name;
    QDate today;
    QString stamp;
};

class PrintServiceStamp : public testing::TestWithParam<StampCase>
{};

TEST_P(PrintServiceStamp, FullMonthNameAndGregorianYearOfToday)
{
    RecordingSheetPrinter printer;
    DefaultPrintService service(printer, [today = GetParam().today] { return today; });

    EXPECT_EQ(service.printSheet(ValidNumber), PrintAnswer{});
    ASSERT_GT(printer.lines.size(), StampLine);
    EXPECT_EQ(printer.lines[StampLine].text.mid(49), GetParam().stamp);
}

INSTANTIATE_TEST_SUITE_P(DefaultPrintService, PrintServiceStamp,
                         testing::Values(StampCase{"seventh_of_december_2026", QDate(2026, 12, 7),
                                                   u"Above detail process and printed on  December  2026"_s},
                                         StampCase{"first_of_january", QDate(2027, 1, 1),
                                                   u"Above detail process and printed on  January  2027"_s},
                                         StampCase{"leap_day", QDate(2028, 2, 29),
                                                   u"Above detail process and printed on  February  2028"_s},
                                         StampCase{"year_with_fewer_digits", QDate(999, 9, 30),
                                                   u"Above detail process and printed on  September  999"_s}),
                         [](const testing::TestParamInfo<StampCase> &row) { return row.param.name; });

// One row per answer a printer can give besides a plain success: what kind
// of answer the window gets and what its message must tell.
struct FailureCase
{
    const char *name;
    SheetPrinter::Outcome answer;
    PrintAnswer::Kind kind;
    QStringList mustSay;
    QStringList mustNotSay = {};
};

class PrintServiceFailure : public testing::TestWithParam<FailureCase>
{};

TEST_P(PrintServiceFailure, SaysWhatWentWrongAndPrintsOnlyOnce)
{
    const FailureCase &row = GetParam();
    RecordingSheetPrinter printer;
    printer.answer = row.answer;
    DefaultPrintService service(printer, [] { return QDate(2026, 12, 7); });

    const PrintAnswer answer = service.printSheet(ValidNumber);

    EXPECT_EQ(answer.kind, row.kind);
    for (const QString &words : row.mustSay)
        EXPECT_TRUE(answer.message.contains(words))
            << answer.message.toStdString() << "\nlacks: " << words.toStdString();
    for (const QString &words : row.mustNotSay)
        EXPECT_FALSE(answer.message.contains(words))
            << answer.message.toStdString() << "\nsays: " << words.toStdString();
    EXPECT_EQ(printer.sheetsEnded, 1) << "no retry the user did not ask for";
    EXPECT_EQ(printer.lines.size(), 31);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultPrintService, PrintServiceFailure,
    testing::Values(FailureCase{"no_print_system",
                                {SheetPrinter::Failure::NoPrintSystem, {}, {}},
                                PrintAnswer::Kind::Failed,
                                {u"print system cannot be reached"_s, u"not printed"_s},
                                {u"No default printer"_s}},
                    FailureCase{"no_default_printer",
                                {SheetPrinter::Failure::NoPrinter, {}, {}},
                                PrintAnswer::Kind::Failed,
                                {u"No default printer"_s, u"not printed"_s},
                                {u"cannot be reached"_s}},
                    FailureCase{"named_default_printer_is_not_there",
                                {SheetPrinter::Failure::NamedPrinterMissing, u"NoSuchQueue"_s, {}},
                                PrintAnswer::Kind::Failed,
                                {u"\"NoSuchQueue\", named as the default printer, is not found"_s, u"not printed"_s},
                                {u"No default printer"_s}},
                    FailureCase{"printer_own_save_dialog_cancelled",
                                {SheetPrinter::Failure::CancelledByUser, u"Microsoft Print to PDF"_s, {}},
                                PrintAnswer::Kind::Failed,
                                {u"\"Microsoft Print to PDF\" was cancelled"_s, u"not printed"_s},
                                {u"switched on"_s}},
                    FailureCase{"queue_refuses_jobs",
                                {SheetPrinter::Failure::Refusing, u"Office Laser"_s, {}},
                                PrintAnswer::Kind::Failed,
                                {u"\"Office Laser\" is not accepting jobs"_s, u"not printed"_s}},
                    FailureCase{
                        "print_system_does_not_answer",
                        {SheetPrinter::Failure::NoAnswer, u"Office Laser"_s, {}, false, std::chrono::seconds(25)},
                        PrintAnswer::Kind::Failed,
                        {u"did not answer within 25 seconds"_s, u"not printed"_s}},
                    FailureCase{"printer_cannot_start_a_job",
                                {SheetPrinter::Failure::CannotStart, u"Office Laser"_s, {}},
                                PrintAnswer::Kind::Failed,
                                {u"\"Office Laser\""_s, u"could not start"_s, u"not printed"_s}},
                    FailureCase{"printer_fails_while_printing",
                                {SheetPrinter::Failure::FailedWhilePrinting, u"Office Laser"_s, {}},
                                PrintAnswer::Kind::Failed,
                                {u"\"Office Laser\""_s, u"went wrong"_s}},
                    FailureCase{"print_system_gives_its_reason",
                                {SheetPrinter::Failure::FailedWhilePrinting, u"SheetPdf"_s,
                                 u"The print system said: The printer is out of paper."_s},
                                PrintAnswer::Kind::Failed,
                                {u"\"SheetPdf\""_s, u"\n\nThe print system said: The printer is out of paper."_s}},
                    FailureCase{"paused_queue_holds_the_sheet",
                                {SheetPrinter::Failure::None, u"Office Laser"_s, {}, true},
                                PrintAnswer::Kind::Waiting,
                                {u"waiting in the queue of \"Office Laser\""_s, u"paused"_s, u"Resume"_s},
                                {u"not printed"_s}}),
    [](const testing::TestParamInfo<FailureCase> &row) { return row.param.name; });

TEST(DefaultPrintService, EveryPressPrintsOneSheetAfterAFailureToo)
{
    RecordingSheetPrinter printer;
    printer.answer = {SheetPrinter::Failure::CannotStart, u"Office Laser"_s, {}};
    DefaultPrintService service(printer, [] { return QDate(2026, 12, 7); });

    EXPECT_EQ(service.printSheet(ValidNumber).kind, PrintAnswer::Kind::Failed);
    printer.answer = {};
    EXPECT_EQ(service.printSheet(ValidNumber), PrintAnswer{});

    EXPECT_EQ(printer.sheetsEnded, 2);
    EXPECT_EQ(printer.lines.size(), 2 * 31);
}

struct PdfNameCase
{
    const char *name;
    QString idNo;
    QString fileName;
};

class SheetPdfNameFrom : public testing::TestWithParam<PdfNameCase>
{};

TEST_P(SheetPdfNameFrom, TheNumberAsTypedWithNothingAFileNameCannotHold)
{
    EXPECT_EQ(SheetPdfName({GetParam().idNo, {}, {}, {}, {}, {}}), GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultPrintService, SheetPdfNameFrom,
    testing::Values(PdfNameCase{"valid_number", u"811231234V"_s, u"811231234V.pdf"_s},
                    PdfNameCase{"slashes_and_colons", u"81/123:1234V"_s, u"81-123-1234V.pdf"_s},
                    PdfNameCase{"climbing_out_of_the_folder", u"../../etc/passwd"_s, u"etc-passwd.pdf"_s},
                    PdfNameCase{"empty_field", QString(), u"Detail sheet.pdf"_s},
                    PdfNameCase{"only_unsafe_characters", u"***"_s, u"Detail sheet.pdf"_s},
                    PdfNameCase{"a_pasted_page", QString(100'000, u'8'), QString(64, u'8') + u".pdf"_s},
                    PdfNameCase{"a_windows_device", u"con"_s, u"Detail sheet.pdf"_s},
                    PdfNameCase{"a_windows_device_with_a_dot", u"LPT1.txt"_s, u"Detail sheet.pdf"_s}),
    [](const testing::TestParamInfo<PdfNameCase> &row) { return row.param.name; });

} // namespace
