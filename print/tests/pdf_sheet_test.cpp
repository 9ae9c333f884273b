// The detail sheet drawn by the print service into a PDF file, read back
// with poppler's tools the way a person would check a printout: one page,
// the lines in order, the bold and italic faces, the colons under one
// another, and the leading lines of a second sheet in the font the first
// left; a sheet given up leaves the file as it was. The system's default
// printer is tried too, with CUPS_SERVER pointing at a scheduler that is
// not there, as the program loads it.

#include "cups_module.h"
#include "pdf_file.h"
#include "print_service.h"
#include "recording_destination.h"
#include "sample_sheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(DetailSheetTexts)

namespace {

constexpr int ToolTimeoutMs = 30000;

const DetailSheetTexts ValidNumber = sampleSheetTexts();

constexpr std::chrono::year_month_day PrintedOn = std::chrono::year{2026} / std::chrono::December / 7;

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
    void initTestCase();
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
    void sheetGivenUpIsNotHandedOver_data();
    void sheetGivenUpIsNotHandedOver();
    void savedAsPdfByTheService_data();
    void savedAsPdfByTheService();

private:
    QString printSheet(const DetailSheetTexts &texts);

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_pdf;
};

// The stamp's month in English, whatever the machine's language.
void PdfSheetTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::Australia));
}

void PdfSheetTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_pdf = m_folder->filePath(u"sheet.pdf"_s);
}

// Printed by the service on a printer that writes the PDF file; the
// service's message when it fails.
QString PdfSheetTest::printSheet(const DetailSheetTexts &texts)
{
    PrintService printing(std::make_unique<PdfFile>(m_pdf));
    return pressAndWait(printing, texts, PrintedOn).message;
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
    PrintService printing(std::make_unique<PdfFile>(m_pdf));
    QCOMPARE(pressAndWait(printing, ValidNumber, PrintedOn), PrintAnswer{});
    const double firstTitleTop = firstWord(wordsOf(m_pdf), u"Detail"_s).yMin;

    QCOMPARE(pressAndWait(printing, ValidNumber, PrintedOn), PrintAnswer{});
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
    const QString file = folder + u"/sheet.pdf"_s;
    PrintService printing(std::make_unique<PdfFile>(file));

    const PrintAnswer failed = pressAndWait(printing, ValidNumber, PrintedOn);
    QCOMPARE(failed.kind, PrintAnswer::Kind::Failed);
    QVERIFY2(failed.message.contains(u"\"%1\" could not start printing"_s.arg(file)), qPrintable(failed.message));

    // Nothing of the failure stays behind for the next press.
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(pressAndWait(printing, ValidNumber, PrintedOn), PrintAnswer{});
    QCOMPARE(pageCount(file), 1);
}

void PdfSheetTest::noPrintSystemIsReported_data()
{
    QTest::addColumn<QString>("module");
    QTest::addColumn<QStringList>("mustSay");

    QTest::newRow("the queue from its module")
        << QStringLiteral(NIC_CUPS_MODULE_FILE) << QStringList{u"print system cannot be reached"_s};
    const QString missing = QStringLiteral(NIC_CUPS_MODULE_FILE ".missing");
    QTest::newRow("its module missing") << missing
                                        << QStringList{u"could not be loaded"_s,
                                                       u"\n\nThe file \"%1\" is missing."_s.arg(missing)};
    QTest::newRow("a module that is not one")
        << QStringLiteral(NIC_NOT_A_MODULE_FILE)
        << QStringList{u"could not be loaded"_s,
                       u"\n\nThe file \"%1\" could not be loaded ("_s.arg(QStringLiteral(NIC_NOT_A_MODULE_FILE))};
}

void PdfSheetTest::noPrintSystemIsReported()
{
    QFETCH(QString, module);
    QFETCH(QStringList, mustSay);
    // CTest points CUPS_SERVER at a socket where no scheduler listens.
    QVERIFY(!qEnvironmentVariableIsEmpty("CUPS_SERVER"));
    PrintService printing(CupsQueueFromModule(module));

    for (int press = 0; press < 2; ++press) {
        const PrintAnswer answer = pressAndWait(printing, ValidNumber, PrintedOn);
        QCOMPARE(answer.kind, PrintAnswer::Kind::Failed);
        for (const QString &words : mustSay)
            QVERIFY2(answer.message.contains(words), qPrintable(answer.message + u"\nlacks: "_s + words));
    }
}

void PdfSheetTest::sheetGivenUpIsNotHandedOver_data()
{
    QTest::addColumn<QByteArray>("before"); // what the file held; null: there was none

    QTest::newRow("no file before: none after") << QByteArray();
    QTest::newRow("an earlier file stays as it was") << QByteArray("an earlier sheet");
}

// Given up while it is drawn, as a press that waited too long gives it up:
// nothing is written, and the next sheet into the same file is saved whole.
void PdfSheetTest::sheetGivenUpIsNotHandedOver()
{
    QFETCH(QByteArray, before);
    if (!before.isNull()) {
        QFile earlier(m_pdf);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        QCOMPARE(earlier.write(before), before.size());
    }
    PdfFile file(m_pdf);
    QPainter painter;

    QVERIFY(file.begin(painter, DetailSheetTitle.toString()).succeeded());
    DrawDetailSheet(painter, ValidNumber, u"December"_s, 2026);
    file.drop(painter);

    QVERIFY(!painter.isActive());
    // Not even a temporary file is left beside it.
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files),
             before.isNull() ? QStringList() : QStringList{u"sheet.pdf"_s});
    if (!before.isNull()) {
        QFile earlier(m_pdf);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), before);
    }

    QVERIFY(file.begin(painter, DetailSheetTitle.toString()).succeeded());
    DrawDetailSheet(painter, ValidNumber, u"December"_s, 2026);
    QVERIFY(file.finish(painter).succeeded());
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
    // The program's printer, which saving a PDF must leave alone.
    RecordingDestination::Log printer;
    PrintService printing(std::make_unique<RecordingDestination>(printer));

    const PrintAnswer answer = printing.saveSheetAsPdf(ValidNumber, PrintedOn, path);

    QCOMPARE(answer.kind, saved ? PrintAnswer::Kind::Done : PrintAnswer::Kind::Failed);
    QVERIFY2(answer.message.contains(message), qPrintable(answer.message));
    QCOMPARE(printer.begun.load(), 0);
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
