// The detail sheet through the real Qt printer layer into a PDF file, read
// back with poppler's tools the way a person would check a printout: one
// page, the lines in order, the bold and italic faces, the colons under one
// another, and the leading lines of a second sheet in the font the first
// left. The system's default printer is tried too, with CUPS_SERVER
// pointing at a scheduler that is not there, as the queue itself and as the
// program loads it.

#include "cups_module.h"
#include "cups_queue.h"
#include "default_print_service.h"
#include "detail_sheet.h"
#include "pdf_file.h"
#include "qt_sheet_printer.h"
#include "recording_sheet_printer.h"
#include "sample_sheet.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(DetailSheetTexts)
Q_DECLARE_METATYPE(SheetPrinter::Failure)

namespace {

constexpr int ToolTimeoutMs = 30000;

const DetailSheetTexts ValidNumber = sampleSheetTexts();

struct Word
{
    QString text;
    double xMin = 0;
    double yMin = 0;
};

// A poppler tool's standard output, or an empty string when it failed.
QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(ToolTimeoutMs) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        qWarning().noquote() << program << "failed:" << process.readAllStandardError();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pageCount(const QString &pdf)
{
    const QRegularExpressionMatch match =
        QRegularExpression(u"^Pages:\\s+(\\d+)"_s, QRegularExpression::MultilineOption)
            .match(runTool(u"pdfinfo"_s, {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Every word on the page with its top-left corner in points.
QList<Word> wordsOf(const QString &pdf)
{
    const QString html = runTool(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
    static const QRegularExpression word(
        uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"_s);
    QList<Word> words;
    for (const QRegularExpressionMatch &match : word.globalMatch(html))
        words.append({match.captured(3), match.captured(1).toDouble(), match.captured(2).toDouble()});
    return words;
}

// The PDF printer as the program makes it.
std::unique_ptr<SheetPrinter> pdfPrinterFor(const QString &file)
{
    return std::make_unique<QtSheetPrinter>(std::make_unique<PdfFile>(file));
}

Word firstWord(const QList<Word> &words, const QString &text)
{
    const auto found = std::find_if(words.begin(), words.end(), [&](const Word &w) { return w.text == text; });
    return found == words.end() ? Word{} : *found;
}

} // namespace

class PdfSheetTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void printsOnePage_data();
    void printsOnePage();
    void linesInOrder();
    void boldAndItalicFaces();
    void colonsStandUnderOneAnother();
    void secondSheetStartsInTheFontTheFirstLeft();
    void folderThatIsNotThereCannotStart();
    void noPrintSystemIsReported_data();
    void noPrintSystemIsReported();
    void sheetGivenUpIsNotHandedOver();
    void savedAsPdfByTheService_data();
    void savedAsPdfByTheService();

private:
    QString printSheet(const DetailSheetTexts &texts);

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_pdf;
};

void PdfSheetTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_pdf = m_folder->filePath(u"sheet.pdf"_s);
}

QString PdfSheetTest::printSheet(const DetailSheetTexts &texts)
{
    QtSheetPrinter printer(std::make_unique<PdfFile>(m_pdf));
    const SheetPrinter::Outcome outcome = PrintDetailSheet(texts, u"December"_s, 2026, printer);
    return outcome.succeeded() ? QString() : u"failure %1: %2"_s.arg(int(outcome.failure)).arg(outcome.reason);
}

void PdfSheetTest::printsOnePage_data()
{
    QTest::addColumn<DetailSheetTexts>("texts");

    QTest::newRow("valid number") << ValidNumber;
    QTest::newRow("result fields empty") << DetailSheetTexts{u"811231234V"_s, {}, {}, {}, {}, {}};
    // Far past the right edge: the printer cuts it off, the sheet stays one page.
    QTest::newRow("ten thousand character identity text") << DetailSheetTexts{QString(10000, u'8'), {}, {}, {}, {}, {}};
    QTest::newRow("non-Latin text") << nonLatinSheetTexts(QString());
}

void PdfSheetTest::printsOnePage()
{
    QFETCH(DetailSheetTexts, texts);

    QCOMPARE(printSheet(texts), QString());
    QCOMPARE(pageCount(m_pdf), 1);
}

void PdfSheetTest::linesInOrder()
{
    QCOMPARE(printSheet(ValidNumber), QString());
    const QString text = runTool(u"pdftotext"_s, {u"-layout"_s, m_pdf, u"-"_s});

    // The gaps between the pieces of a line are the printer's, not fixed.
    const QStringList expected{
        u"Detail of Sri Lanka National Identity Card Holder"_s,
        u"Identity Card No\\s+:\\s+811231234V"_s,
        u"Date Of Birth\\s+:\\s+1981\\s+May\\s+2"_s,
        u"Date Of Birth \\(Hijri\\)\\s+:\\s+1401\\s+Jamada\\s+al\\s+Thani\\s+28"_s,
        u"Day Of Birth\\s+:\\s+Sturday"_s,
        u"Sex\\s+:\\s+Male"_s,
        u"Age\\s+:\\s+45\\s+Years\\s+&\\s+7\\s+Month"_s,
        u"Above detail process and printed on\\s+December\\s+2026"_s,
        u"Vantrel Computers - Australia"_s,
        u"www\\.vantrel\\.com\\.au"_s,
    };
    const QStringList lines = text.split(u'\n');
    qsizetype next = 0;
    for (const QString &pattern : expected) {
        const QRegularExpression line(pattern);
        const auto found =
            std::find_if(lines.begin() + next, lines.end(), [&](const QString &l) { return line.match(l).hasMatch(); });
        QVERIFY2(found != lines.end(), qPrintable(u"not found after line %1: %2\n%3"_s.arg(next).arg(pattern, text)));
        next = found - lines.begin() + 1;
    }
}

void PdfSheetTest::boldAndItalicFaces()
{
    QCOMPARE(printSheet(ValidNumber), QString());
    const QString fonts = runTool(u"pdffonts"_s, {m_pdf});

    QVERIFY2(fonts.contains(u"Bold"_s), qPrintable(fonts));
    QVERIFY2(fonts.contains(QRegularExpression(u"Italic|Oblique"_s)), qPrintable(fonts));
    // And the regular face for everything else: three faces in all.
    QCOMPARE(fonts.split(u'\n', Qt::SkipEmptyParts).size() - 2, 3);
}

void PdfSheetTest::colonsStandUnderOneAnother()
{
    QCOMPARE(printSheet(ValidNumber), QString());
    QList<Word> colons;
    for (const Word &word : wordsOf(m_pdf)) {
        if (word.text == u":"_s)
            colons << word;
    }
    QCOMPARE(colons.size(), 6);

    const double column55 = colons[0].xMin;
    for (int line : {1, 3, 4, 5})
        QCOMPARE_LT(qAbs(colons[line].xMin - column55), 0.01);
    // The Hijri line's colon: two columns to the right, well short of three.
    const QList<Word> words = wordsOf(m_pdf);
    const double column = (firstWord(words, u"811231234V"_s).xMin - column55) / 6;
    QCOMPARE_GT(column, 0.0);
    QCOMPARE_LT(qAbs(colons[2].xMin - column55 - 2 * column), 0.01);
    // The values start six columns after their colons.
    QCOMPARE_LT(qAbs(firstWord(words, u"1401"_s).xMin - colons[2].xMin - 6 * column), 0.01);
    QCOMPARE_LT(qAbs(firstWord(words, u"Sturday"_s).xMin - column55 - 6 * column), 0.01);
}

void PdfSheetTest::secondSheetStartsInTheFontTheFirstLeft()
{
    QtSheetPrinter printer(std::make_unique<PdfFile>(m_pdf));
    QVERIFY(PrintDetailSheet(ValidNumber, u"December"_s, 2026, printer).succeeded());
    const double firstTitleTop = firstWord(wordsOf(m_pdf), u"Detail"_s).yMin;
    QCOMPARE(printer.font().pointSizeF(), 8.0);
    QVERIFY(!printer.font().bold() && !printer.font().italic() && !printer.font().underline());

    QVERIFY(PrintDetailSheet(ValidNumber, u"December"_s, 2026, printer).succeeded());
    const double secondTitleTop = firstWord(wordsOf(m_pdf), u"Detail"_s).yMin;

    QCOMPARE(pageCount(m_pdf), 1);
    QCOMPARE_GT(firstTitleTop, 0.0);
    // Seven lines of 8 points lie less deep than seven of the printer's 10.
    QCOMPARE_LT(secondTitleTop, firstTitleTop);
    QCOMPARE_GT(secondTitleTop, firstTitleTop * 0.6);
}

void PdfSheetTest::folderThatIsNotThereCannotStart()
{
    const QString folder = m_folder->filePath(u"not yet"_s);
    QtSheetPrinter printer(std::make_unique<PdfFile>(folder + u"/sheet.pdf"_s));

    const SheetPrinter::Outcome failed = PrintDetailSheet(ValidNumber, u"December"_s, 2026, printer);
    QCOMPARE(failed.failure, SheetPrinter::Failure::CannotStart);
    QCOMPARE(failed.printerName, folder + u"/sheet.pdf"_s);
    QCOMPARE(printer.font().pointSizeF(), 8.0);

    // Nothing of the failure stays behind for the next press.
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(PrintDetailSheet(ValidNumber, u"December"_s, 2026, printer).succeeded());
    QCOMPARE(pageCount(folder + u"/sheet.pdf"_s), 1);
}

void PdfSheetTest::noPrintSystemIsReported_data()
{
    using Failure = SheetPrinter::Failure;
    QTest::addColumn<QString>("module"); // none: the queue itself
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("reason");

    QTest::newRow("the queue itself") << QString() << Failure::NoPrintSystem << QString();
    QTest::newRow("the queue from its module")
        << QStringLiteral(NIC_CUPS_MODULE_FILE) << Failure::NoPrintSystem << QString();
    const QString missing = QStringLiteral(NIC_CUPS_MODULE_FILE ".missing");
    QTest::newRow("its module missing") << missing << Failure::PrintingPartMissing
                                        << u"The file \"%1\" is missing."_s.arg(missing);
    QTest::newRow("a module that is not one")
        << QStringLiteral(NIC_NOT_A_MODULE_FILE) << Failure::PrintingPartMissing << u"could not be loaded"_s;
}

void PdfSheetTest::noPrintSystemIsReported()
{
    QFETCH(QString, module);
    QFETCH(SheetPrinter::Failure, failure);
    QFETCH(QString, reason);
    // CTest points CUPS_SERVER at a socket where no scheduler listens.
    QVERIFY(!qEnvironmentVariableIsEmpty("CUPS_SERVER"));
    std::unique_ptr<SheetDelivery> queue;
    if (module.isEmpty())
        queue = std::make_unique<CupsQueue>();
    else
        queue = std::make_unique<CupsModule>(module);
    QtSheetPrinter printer(std::move(queue));

    for (int press = 0; press < 2; ++press) {
        const SheetPrinter::Outcome outcome = PrintDetailSheet(ValidNumber, u"December"_s, 2026, printer);
        QCOMPARE(outcome.failure, failure);
        QVERIFY2(outcome.reason.contains(reason), qPrintable(outcome.reason));
        QCOMPARE(printer.font().pointSizeF(), 8.0);
    }
}

// Given up while it is drawn, as the window does when the press waits too
// long: nothing is handed over, and the next sheet is not given up.
void PdfSheetTest::sheetGivenUpIsNotHandedOver()
{
    QtSheetPrinter printer(std::make_unique<PdfFile>(m_pdf));
    printer.printLine({PrintItem::string(u"811231234V"_s)}, SheetPrinter::LineEnd::Ended);
    printer.giveUp();
    QCOMPARE(printer.endDocument().failure, SheetPrinter::Failure::NoAnswer);
    QVERIFY(!QFileInfo::exists(m_pdf));

    QVERIFY(PrintDetailSheet(ValidNumber, u"December"_s, 2026, printer).succeeded());
    QCOMPARE(pageCount(m_pdf), 1);
}

void PdfSheetTest::savedAsPdfByTheService_data()
{
    QTest::addColumn<QString>("file"); // within the test's folder
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("message");

    QTest::newRow("into a folder that is there") << u"811231234V.pdf"_s << true << QString();
    QTest::newRow("into a folder that is not there")
        << u"gone/811231234V.pdf"_s << false << u"does not exist, so the detail sheet was not saved"_s;
    QTest::newRow("over a folder of that name") << u"taken.pdf"_s << false << u"could not be saved as"_s;
}

void PdfSheetTest::savedAsPdfByTheService()
{
    QFETCH(QString, file);
    QFETCH(bool, saved);
    QFETCH(QString, message);
    QVERIFY(QDir(m_folder->path()).mkdir(u"taken.pdf"_s));
    const QString path = m_folder->filePath(file);
    RecordingSheetPrinter noPrinter; // the program's printer, which saving a PDF must leave alone
    DefaultPrintService service(
        noPrinter, [] { return QDate(2026, 12, 7); }, &pdfPrinterFor);

    const PrintAnswer answer = service.saveSheetAsPdf(ValidNumber, path);

    QCOMPARE(answer.kind, saved ? PrintAnswer::Kind::Done : PrintAnswer::Kind::Failed);
    QVERIFY2(answer.message.contains(message), qPrintable(answer.message));
    QCOMPARE(noPrinter.calls, 0);
    if (!saved)
        return;
    QCOMPARE(pageCount(path), 1);
    const QString text = runTool(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    for (const QString &line :
         {u"Identity Card No +: +811231234V"_s, u"Date Of Birth +: +1981 +May +2"_s,
          u"Date Of Birth \\(Hijri\\) +: +1401 +Jamada al Thani +28"_s, u"Day Of Birth +: +Sturday"_s,
          u"Sex +: +Male"_s, u"Age +: +45 +Years +& +7 +Month"_s, u"printed on +December +2026"_s})
        QVERIFY2(text.contains(QRegularExpression(line)), qPrintable(line + u'\n' + text));
}

QTEST_MAIN(PdfSheetTest)
#include "pdf_sheet_test.moc"
