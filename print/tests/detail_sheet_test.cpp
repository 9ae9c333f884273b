// The detail sheet's script as a printer of text lines lays it out: every
// line in the character reckoning (column 1 first, one column per character
// or space) with its font, and the texts printed exactly as the fields hold
// them.

#include "detail_sheet.h"
#include "sample_sheet.h"

#include <QString>
#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(DetailSheetTexts)

namespace {

struct FontState
{
    double points = 0; // 0: the printer's own size, never set
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const FontState &, const FontState &) = default;
};

struct RecordedLine
{
    QString text;
    FontState font; // in force at its first text, or when it ended if it has none
};

// Lays a script out as a printer of text lines. A script that tabs
// backwards, which one string of columns cannot show, ends the test.
class LinePrinter
{
public:
    QList<RecordedLine> lines;

    void print(const QList<SheetStep> &script)
    {
        using Kind = SheetStep::Kind;
        for (const SheetStep &step : script) {
            const int count = int(step.number);
            switch (step.kind) {
            case Kind::Font:
                m_font = {step.number, (step.style & SheetStep::Bold) != 0, (step.style & SheetStep::Italic) != 0,
                          (step.style & SheetStep::Underline) != 0};
                break;
            case Kind::Tab:
                if (m_line.text.size() >= count)
                    qFatal("the sheet tabs back to column %d", count);
                m_line.text = m_line.text.leftJustified(count - 1, u' ');
                break;
            case Kind::Spaces:
                m_line.text += QString(count, u' ');
                break;
            case Kind::Text:
                if (!m_hasText)
                    m_line.font = m_font;
                m_hasText = true;
                m_line.text += step.text;
                break;
            case Kind::EndLine:
                if (!m_hasText)
                    m_line.font = m_font;
                lines << m_line;
                m_line = {};
                m_hasText = false;
                break;
            }
        }
    }

    // The font in force after the last step: what the next sheet starts in.
    FontState font() const { return m_font; }

private:
    FontState m_font;
    RecordedLine m_line;
    bool m_hasText = false;
};

// How a font that differs from the one wanted reads in the test's report;
// found by Qt Test beside FontState.
char *toString(const FontState &font)
{
    QString text = font.points == 0 ? u"the printer's own size"_s : u"%1 points"_s.arg(font.points);
    if (font.bold)
        text += u" bold"_s;
    if (font.italic)
        text += u" italic"_s;
    if (font.underline)
        text += u" underlined"_s;
    return QTest::toString(text);
}

constexpr int LinesPerSheet = 31;
constexpr int TitleLine = 7; // indexes from 0 into one sheet's lines, as Qt Test counts a list's
constexpr int FirstDetailLine = 10;
constexpr int StampLine = 28;
constexpr int MakerLine = 29;
constexpr int WebLine = 30;

const FontState PrintersOwn{};
const FontState Title{14, true, false, true};
const FontState AfterTitle{14, false, false, false};
const FontState Detail{11, false, false, false};
const FontState Footer{8, false, false, false};
const FontState WebAddress{8, false, true, false};

QList<RecordedLine> printOne(const DetailSheetTexts &texts, const QString &month = u"December"_s, int year = 2026)
{
    LinePrinter printer;
    printer.print(DetailSheetScript(texts, month, year));
    return printer.lines;
}

// Column n of a line in the character reckoning (1 is the first).
QString fromColumn(const RecordedLine &line, int column)
{
    return line.text.mid(column - 1);
}

// The text of a line that starts in that column (1 is the first).
QString atColumn(int column, const QString &text)
{
    return QString(column - 1, u' ') + text;
}

// Lines compared as lists, so that a failure names the first line that
// differs and shows both.
QStringList textsOf(const QList<RecordedLine> &lines)
{
    QStringList texts;
    for (const RecordedLine &line : lines)
        texts << line.text;
    return texts;
}

QList<FontState> fontsOf(const QList<RecordedLine> &lines)
{
    QList<FontState> fonts;
    for (const RecordedLine &line : lines)
        fonts << line.font;
    return fonts;
}

// Where a detail line's value starts: five spaces after its colon.
qsizetype valueStartOf(const QString &text)
{
    return text.indexOf(u':') + 1 + 5;
}

// The six detail lines, two empty lines apart.
QList<RecordedLine> detailLinesOf(const QList<RecordedLine> &lines)
{
    QList<RecordedLine> details;
    for (int i = 0; i < 6; ++i)
        details << lines[FirstDetailLine + 3 * i];
    return details;
}

DetailSheetTexts withSex(DetailSheetTexts texts, const QString &sex)
{
    texts.Sex = sex;
    return texts;
}

} // namespace

class DetailSheetTest : public QObject
{
    Q_OBJECT

private slots:
    void validNumberSheetAsItReads();
    void thirtyOneLinesCountingTheEmptyOnes();
    void titleAtColumnTwentyInBoldUnderlinedFourteenPoint();
    void fontsOfTheLines();
    void footerLinesExactly();
    void stampForSeventhOfDecember2026();
    void labelColonAndValueInTheirColumns_data();
    void labelColonAndValueInTheirColumns();
    void eachLineEndsWithItsFieldExactly_data();
    void eachLineEndsWithItsFieldExactly();
    void emptyResultFieldsEndAfterColonAndFiveSpaces();
    void leavesThePrinterInPlainEightPoint();
};

// The whole sheet as it reads on paper, line by line with each line's font.
void DetailSheetTest::validNumberSheetAsItReads()
{
    const QList<RecordedLine> lines = printOne(sampleSheetTexts());

    QList<RecordedLine> expected(7, RecordedLine{QString(), PrintersOwn});
    expected << RecordedLine{atColumn(20, u"Detail of Sri Lanka National Identity Card Holder"_s), Title}
             << RecordedLine{QString(), AfterTitle} << RecordedLine{QString(), AfterTitle};
    const QStringList details{
        u"Identity Card No    :     811231234V"_s,
        u"Date Of Birth       :     1981   May   2"_s,
        u"Date Of Birth (Hijri) :     1401   Jamada al Thani   28"_s,
        u"Day Of Birth        :     Sturday"_s,
        u"Sex                 :     Male"_s,
        u"Age                 :     45  Years   &   7  Month"_s,
    };
    for (const QString &text : details)
        expected << RecordedLine{atColumn(35, text), Detail} << RecordedLine{QString(), Detail}
                 << RecordedLine{QString(), Detail};
    expected << RecordedLine{atColumn(50, u"Above detail process and printed on  December  2026"_s), Footer}
             << RecordedLine{atColumn(60, u" Vantrel Computers - Australia "_s), Footer}
             << RecordedLine{atColumn(60, u"        www.vantrel.com.au "_s), WebAddress};

    QCOMPARE(lines.size(), expected.size());
    QCOMPARE(textsOf(lines), textsOf(expected));
    QCOMPARE(fontsOf(lines), fontsOf(expected));
}

void DetailSheetTest::thirtyOneLinesCountingTheEmptyOnes()
{
    const QList<RecordedLine> lines = printOne(sampleSheetTexts());

    QCOMPARE(lines.size(), LinesPerSheet);
    QList<int> withText;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].text.trimmed().isEmpty())
            withText << i;
    }
    // The title, six details two empty lines apart, then three lines together.
    QCOMPARE(withText, (QList<int>{7, 10, 13, 16, 19, 22, 25, 28, 29, 30}));
}

void DetailSheetTest::titleAtColumnTwentyInBoldUnderlinedFourteenPoint()
{
    const RecordedLine title = printOne(sampleSheetTexts())[TitleLine];

    QCOMPARE(title.text, QString(19, u' ') + u"Detail of Sri Lanka National Identity Card Holder"_s);
    QCOMPARE(title.font, Title);
    // The print system lists the job under the same words.
    QCOMPARE(DetailSheetTitle, title.text.trimmed());
}

void DetailSheetTest::fontsOfTheLines()
{
    const QList<RecordedLine> lines = printOne(sampleSheetTexts());

    QCOMPARE(fontsOf(detailLinesOf(lines)), QList<FontState>(6, Detail));
    QCOMPARE(lines[StampLine].font, Footer);
    QCOMPARE(lines[MakerLine].font, Footer);
    QCOMPARE(lines[WebLine].font, WebAddress);
}

void DetailSheetTest::footerLinesExactly()
{
    const QList<RecordedLine> lines = printOne(sampleSheetTexts());

    QCOMPARE(fromColumn(lines[MakerLine], 60), u" Vantrel Computers - Australia "_s);
    QCOMPARE(fromColumn(lines[WebLine], 60), u"        www.vantrel.com.au "_s);
    QCOMPARE(lines[MakerLine].text.indexOf(u"Vantrel"_s), 60); // after the leading space in column 60
}

void DetailSheetTest::stampForSeventhOfDecember2026()
{
    const RecordedLine stamp = printOne(sampleSheetTexts(), u"December"_s, 2026)[StampLine];

    QCOMPARE(stamp.text, QString(49, u' ') + u"Above detail process and printed on  December  2026"_s);
}

// One row per detail line: where its colon and its value stand.
void DetailSheetTest::labelColonAndValueInTheirColumns_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("colonColumn");
    QTest::addColumn<int>("valueColumn");

    QTest::newRow("identity number") << 10 << u"Identity Card No"_s << 55 << 61;
    QTest::newRow("date of birth") << 13 << u"Date Of Birth"_s << 55 << 61;
    QTest::newRow("Hijri date two columns right") << 16 << u"Date Of Birth (Hijri)"_s << 57 << 63;
    QTest::newRow("day of birth") << 19 << u"Day Of Birth"_s << 55 << 61;
    QTest::newRow("sex") << 22 << u"Sex"_s << 55 << 61;
    QTest::newRow("age") << 25 << u"Age"_s << 55 << 61;
}

void DetailSheetTest::labelColonAndValueInTheirColumns()
{
    QFETCH(int, line);
    QFETCH(QString, label);
    QFETCH(int, colonColumn);
    QFETCH(int, valueColumn);
    const RecordedLine shown = printOne(sampleSheetTexts())[line];

    QCOMPARE(shown.text.indexOf(label), 34); // label in column 35
    QCOMPARE(shown.text.indexOf(u':'), colonColumn - 1);
    QCOMPARE(valueStartOf(shown.text), valueColumn - 1);
    QVERIFY2(!shown.text.at(valueColumn - 1).isSpace(), qPrintable(shown.text));
}

// One row per state of the six fields: the values the sheet must carry.
void DetailSheetTest::eachLineEndsWithItsFieldExactly_data()
{
    QTest::addColumn<DetailSheetTexts>("texts");

    QTest::newRow("valid number") << sampleSheetTexts();
    QTest::newRow("number typed and results empty") << DetailSheetTexts{u"811231234V"_s, {}, {}, {}, {}, {}};
    QTest::newRow("all fields empty") << DetailSheetTexts{};
    // The Hijri field keeps the text of the last valid number.
    QTest::newRow("invalid number after a valid one")
        << DetailSheetTexts{u"81123X234V"_s, {}, u"1401   6   27"_s, {}, {}, {}};
    QTest::newRow("sex changed by hand") << withSex(sampleSheetTexts(), u"Mle  (typed)"_s);
    QTest::newRow("ten thousand character identity text")
        << DetailSheetTexts{QString(10000, u'9'), u"1981   May   2"_s, {}, {}, {}, {}};
    QTest::newRow("non-Latin text") << nonLatinSheetTexts(u"  "_s);
}

void DetailSheetTest::eachLineEndsWithItsFieldExactly()
{
    QFETCH(DetailSheetTexts, texts);
    const QList<RecordedLine> lines = printOne(texts);

    // The sheet is printed in full whatever the fields hold.
    QCOMPARE(lines.size(), LinesPerSheet);
    const QStringList values{texts.IdNo, texts.DateOB, texts.HDateOB, texts.DayOB, texts.Sex, texts.Age};
    const QList<RecordedLine> details = detailLinesOf(lines);
    QStringList printedValues;
    for (const RecordedLine &line : details)
        printedValues << line.text.mid(valueStartOf(line.text));
    QCOMPARE(printedValues, values);
    for (int i = 0; i < 6; ++i) {
        // Nothing after the value.
        QVERIFY2(details[i].text.size() == valueStartOf(details[i].text) + values[i].size(),
                 qPrintable(u"detail line %1: \"%2\""_s.arg(i + 1).arg(details[i].text)));
    }
}

void DetailSheetTest::emptyResultFieldsEndAfterColonAndFiveSpaces()
{
    const QList<RecordedLine> lines = printOne({u"811231234V"_s, {}, {}, {}, {}, {}});

    QCOMPARE(fromColumn(lines[FirstDetailLine + 3], 35), u"Date Of Birth       :     "_s);
    QCOMPARE(fromColumn(lines[FirstDetailLine + 6], 35), u"Date Of Birth (Hijri) :     "_s);
    QCOMPARE(fromColumn(lines[FirstDetailLine + 15], 35), u"Age                 :     "_s);
}

// What the next sheet's leading empty lines are measured in, where the
// printer keeps its font: the footer's plain 8 points, italic switched off
// again after the web address.
void DetailSheetTest::leavesThePrinterInPlainEightPoint()
{
    LinePrinter printer;
    printer.print(DetailSheetScript(sampleSheetTexts(), u"December"_s, 2026));

    QCOMPARE(printer.font(), Footer);
}

QTEST_GUILESS_MAIN(DetailSheetTest)
#include "detail_sheet_test.moc"
