// The print service over a recording printer: the date stamp from the clock
// in the user's language (this test runs with English as that language),
// the message for each way a printer fails or holds the sheet back, never a
// second sheet on its own, the font one sheet leaves for the next, and the
// name a saved sheet is offered under.

#include "print_service.h"
#include "recording_destination.h"
#include "sample_sheet.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SheetDestination::Outcome)
Q_DECLARE_METATYPE(PrintAnswer::Kind)
Q_DECLARE_METATYPE(std::chrono::year_month_day)

namespace {

const char *kindName(PrintAnswer::Kind kind)
{
    switch (kind) {
    case PrintAnswer::Kind::Done:
        return "Done";
    case PrintAnswer::Kind::Waiting:
        return "Waiting";
    case PrintAnswer::Kind::Failed:
        return "Failed";
    }
    return "no kind of answer";
}

} // namespace

// How an answer that differs from the one wanted reads in the test's
// report; found by Qt Test beside PrintAnswer, in the global namespace.
char *toString(PrintAnswer::Kind kind)
{
    return qstrdup(kindName(kind));
}

char *toString(const PrintAnswer &answer)
{
    return QTest::toString(QString::fromLatin1(kindName(answer.kind)) + u": "_s + answer.message);
}

namespace {

// The lines of a sheet that carry text: the title, six details, the stamp and the maker's two.
constexpr int LinesWithText = 10;
constexpr int StampLine = 7;

const DetailSheetTexts ValidNumber = sampleSheetTexts();

constexpr std::chrono::year_month_day SeventhOfDecember2026 = std::chrono::year{2026} / std::chrono::December / 7;

// The service over a recording printer.
struct ServiceOnRecorder
{
    RecordingDestination::Log log;
    PrintService service{std::make_unique<RecordingDestination>(log)};
};

} // namespace

class PrintServiceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void fullMonthNameAndGregorianYearOfToday_data();
    void fullMonthNameAndGregorianYearOfToday();
    void saysWhatWentWrongAndPrintsOnlyOnce_data();
    void saysWhatWentWrongAndPrintsOnlyOnce();
    void everyPressPrintsOneSheetAfterAFailureToo();
    void secondSheetStartsInTheFontTheFirstLeft();
    void sheetPdfNameIsTheNumberAsTypedWithNothingAFileNameCannotHold_data();
    void sheetPdfNameIsTheNumberAsTypedWithNothingAFileNameCannotHold();
};

void PrintServiceTest::initTestCase()
{
    // LC_ALL would do it on Linux only; Windows reads the language from its
    // own settings.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::Australia));
}

void PrintServiceTest::fullMonthNameAndGregorianYearOfToday_data()
{
    QTest::addColumn<std::chrono::year_month_day>("today");
    QTest::addColumn<QString>("stamp");

    QTest::newRow("seventh of December 2026")
        << SeventhOfDecember2026 << u"Above detail process and printed on  December  2026"_s;
    QTest::newRow("first of January") << std::chrono::year{2027} / std::chrono::January / 1
                                      << u"Above detail process and printed on  January  2027"_s;
    QTest::newRow("leap day") << std::chrono::year{2028} / std::chrono::February / 29
                              << u"Above detail process and printed on  February  2028"_s;
    QTest::newRow("year with fewer digits") << std::chrono::year{999} / std::chrono::September / 30
                                            << u"Above detail process and printed on  September  999"_s;
}

void PrintServiceTest::fullMonthNameAndGregorianYearOfToday()
{
    QFETCH(std::chrono::year_month_day, today);
    QFETCH(QString, stamp);
    ServiceOnRecorder printing;

    QCOMPARE(pressAndWait(printing.service, ValidNumber, today), PrintAnswer{});
    QCOMPARE(printing.log.sheets.size(), 1);
    const QList<QStringList> lines = printing.log.sheets.constFirst().lines;
    QCOMPARE(lines.size(), LinesWithText);
    QCOMPARE(lines[StampLine].join(QString()), stamp);
}

// One row per answer a printer can give besides a plain success: what kind
// of answer the window gets and what its message must tell.
void PrintServiceTest::saysWhatWentWrongAndPrintsOnlyOnce_data()
{
    using Failure = SheetDestination::Failure;
    using Outcome = SheetDestination::Outcome;
    QTest::addColumn<Outcome>("printerAnswer");
    QTest::addColumn<PrintAnswer::Kind>("kind");
    QTest::addColumn<QStringList>("mustSay");
    QTest::addColumn<QStringList>("mustNotSay");

    QTest::newRow("no print system") << Outcome{Failure::NoPrintSystem, {}, {}} << PrintAnswer::Kind::Failed
                                     << QStringList{u"print system cannot be reached"_s, u"not printed"_s}
                                     << QStringList{u"No default printer"_s};
    QTest::newRow("no default printer") << Outcome{Failure::NoPrinter, {}, {}} << PrintAnswer::Kind::Failed
                                        << QStringList{u"No default printer"_s, u"not printed"_s}
                                        << QStringList{u"cannot be reached"_s};
    QTest::newRow("named default printer is not there")
        << Outcome{Failure::NamedPrinterMissing, u"NoSuchQueue"_s, {}} << PrintAnswer::Kind::Failed
        << QStringList{u"\"NoSuchQueue\", named as the default printer, is not found"_s, u"not printed"_s}
        << QStringList{u"No default printer"_s};
    QTest::newRow("printer's own save dialog cancelled")
        << Outcome{Failure::CancelledByUser, u"Microsoft Print to PDF"_s, {}} << PrintAnswer::Kind::Failed
        << QStringList{u"\"Microsoft Print to PDF\" was cancelled"_s, u"not printed"_s}
        << QStringList{u"switched on"_s};
    QTest::newRow("queue refuses jobs") << Outcome{Failure::Refusing, u"Office Laser"_s, {}}
                                        << PrintAnswer::Kind::Failed
                                        << QStringList{u"\"Office Laser\" is not accepting jobs"_s, u"not printed"_s}
                                        << QStringList{};
    QTest::newRow("print system does not answer")
        << Outcome{Failure::NoAnswer, u"Office Laser"_s, {}, false, std::chrono::seconds(25)}
        << PrintAnswer::Kind::Failed << QStringList{u"did not answer within 25 seconds"_s, u"not printed"_s}
        << QStringList{};
    QTest::newRow("printer cannot start a job")
        << Outcome{Failure::CannotStart, u"Office Laser"_s, {}} << PrintAnswer::Kind::Failed
        << QStringList{u"\"Office Laser\""_s, u"could not start"_s, u"not printed"_s} << QStringList{};
    QTest::newRow("printer fails while printing")
        << Outcome{Failure::FailedWhilePrinting, u"Office Laser"_s, {}} << PrintAnswer::Kind::Failed
        << QStringList{u"\"Office Laser\""_s, u"went wrong"_s} << QStringList{};
    QTest::newRow("print system gives its reason")
        << Outcome{Failure::FailedWhilePrinting, u"SheetPdf"_s,
                   u"The print system said: The printer is out of paper."_s}
        << PrintAnswer::Kind::Failed
        << QStringList{u"\"SheetPdf\""_s, u"\n\nThe print system said: The printer is out of paper."_s}
        << QStringList{};
    QTest::newRow("the program's printing part is missing")
        << Outcome{Failure::PrintingPartMissing, {}, u"The file \"/usr/lib/nic-decoder/cups-queue.so\" is missing."_s}
        << PrintAnswer::Kind::Failed
        << QStringList{u"could not be loaded, so the detail sheet was not printed"_s, u"Install the program again"_s,
                       u"\n\nThe file \"/usr/lib/nic-decoder/cups-queue.so\" is missing."_s}
        << QStringList{u"cannot be reached"_s};
    QTest::newRow("paused queue holds the sheet")
        << Outcome{Failure::None, u"Office Laser"_s, {}, true} << PrintAnswer::Kind::Waiting
        << QStringList{u"waiting in the queue of \"Office Laser\""_s, u"paused"_s, u"Resume"_s}
        << QStringList{u"not printed"_s};
}

void PrintServiceTest::saysWhatWentWrongAndPrintsOnlyOnce()
{
    QFETCH(SheetDestination::Outcome, printerAnswer);
    QFETCH(PrintAnswer::Kind, kind);
    QFETCH(QStringList, mustSay);
    QFETCH(QStringList, mustNotSay);
    ServiceOnRecorder printing;
    printing.log.answer = printerAnswer;

    const PrintAnswer answer = pressAndWait(printing.service, ValidNumber, SeventhOfDecember2026);

    QCOMPARE(answer.kind, kind);
    for (const QString &words : mustSay)
        QVERIFY2(answer.message.contains(words), qPrintable(answer.message + u"\nlacks: "_s + words));
    for (const QString &words : mustNotSay)
        QVERIFY2(!answer.message.contains(words), qPrintable(answer.message + u"\nsays: "_s + words));
    // No retry the user did not ask for.
    QCOMPARE(printing.log.begun.load(), 1);
    QCOMPARE(printing.log.sheets.size(), 1);
    QCOMPARE(printing.log.sheets.constFirst().lines.size(), LinesWithText);
}

void PrintServiceTest::everyPressPrintsOneSheetAfterAFailureToo()
{
    ServiceOnRecorder printing;
    printing.log.answer = {SheetDestination::Failure::CannotStart, u"Office Laser"_s, {}};

    QCOMPARE(pressAndWait(printing.service, ValidNumber, SeventhOfDecember2026).kind, PrintAnswer::Kind::Failed);
    printing.log.answer = {};
    QCOMPARE(pressAndWait(printing.service, ValidNumber, SeventhOfDecember2026), PrintAnswer{});

    QCOMPARE(printing.log.begun.load(), 2);
    QCOMPARE(printing.log.sheets.size(), 2);
    for (const RecordedSheet &sheet : printing.log.sheets)
        QCOMPARE(detailValues(sheet).constFirst(), ValidNumber.IdNo);
}

// The next sheet's seven leading empty lines take the plain 8 points the
// first sheet ended in, so everything below them stands higher by as much
// as those lines were lower in the font the first sheet started in.
void PrintServiceTest::secondSheetStartsInTheFontTheFirstLeft()
{
    ServiceOnRecorder printing;
    QCOMPARE(pressAndWait(printing.service, ValidNumber, SeventhOfDecember2026), PrintAnswer{});
    QCOMPARE(pressAndWait(printing.service, ValidNumber, SeventhOfDecember2026), PrintAnswer{});

    QCOMPARE(printing.log.sheets.size(), 2);
    const RecordedSheet &first = printing.log.sheets.at(0);
    const RecordedSheet &second = printing.log.sheets.at(1);
    QCOMPARE(second.lines, first.lines);
    QCOMPARE(second.baselines.size(), LinesWithText);
    QFont footer = second.titleFont;
    footer.setPointSizeF(8);
    footer.setBold(false);
    footer.setUnderline(false);
    TextPage page;
    const double titleBaseline =
        7 * QFontMetricsF(footer, &page).lineSpacing() + QFontMetricsF(second.titleFont, &page).ascent();
    QCOMPARE_LT(qAbs(second.baselines.constFirst() - titleBaseline), 0.01);
    const double lift = first.baselines.constFirst() - second.baselines.constFirst();
    for (qsizetype line = 1; line < LinesWithText; ++line)
        QCOMPARE_LT(qAbs(first.baselines.at(line) - second.baselines.at(line) - lift), 0.01);
}

void PrintServiceTest::sheetPdfNameIsTheNumberAsTypedWithNothingAFileNameCannotHold_data()
{
    QTest::addColumn<QString>("idNo");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("valid number") << u"811231234V"_s << u"811231234V.pdf"_s;
    QTest::newRow("slashes and colons") << u"81/123:1234V"_s << u"81-123-1234V.pdf"_s;
    QTest::newRow("climbing out of the folder") << u"../../etc/passwd"_s << u"etc-passwd.pdf"_s;
    QTest::newRow("empty field") << QString() << u"Detail sheet.pdf"_s;
    QTest::newRow("only unsafe characters") << u"***"_s << u"Detail sheet.pdf"_s;
    QTest::newRow("a pasted page") << QString(100'000, u'8') << QString(64, u'8') + u".pdf"_s;
    QTest::newRow("a Windows device") << u"con"_s << u"Detail sheet.pdf"_s;
    QTest::newRow("a Windows device with a dot") << u"LPT1.txt"_s << u"Detail sheet.pdf"_s;
}

void PrintServiceTest::sheetPdfNameIsTheNumberAsTypedWithNothingAFileNameCannotHold()
{
    QFETCH(QString, idNo);
    QFETCH(QString, fileName);

    QCOMPARE(SheetPdfName({idNo, {}, {}, {}, {}, {}}), fileName);
}

QTEST_MAIN(PrintServiceTest)
#include "print_service_test.moc"
