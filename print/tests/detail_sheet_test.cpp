// The detail sheet as a recording printer lays it out: every line in the
// character reckoning with its font, and the texts printed exactly as the
// fields hold them.

#include "detail_sheet.h"
#include "recording_sheet_printer.h"
#include "sample_sheet.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

constexpr int LinesPerSheet = 31;
constexpr int TitleLine = 7; // indexes from 0 into one sheet's lines
constexpr int FirstDetailLine = 10;
constexpr int StampLine = 28;
constexpr int MakerLine = 29;
constexpr int WebLine = 30;

QList<RecordedLine> printOne(const DetailSheetTexts &texts, RecordingSheetPrinter &printer,
                             const QString &month = u"December"_s, int year = 2026)
{
    PrintDetailSheet(texts, month, year, printer);
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

// The whole sheet as it reads on paper, line by line with each line's font.
TEST(DetailSheetScript, ValidNumberSheetAsItReads)
{
    RecordingSheetPrinter printer;
    const QList<RecordedLine> lines = printOne(sampleSheetTexts(), printer);

    const FontState printersOwn{};
    const FontState title{14, true, false, true};
    const FontState afterTitle{14, false, false, false};
    const FontState detail{11, false, false, false};
    const FontState footer{8, false, false, false};
    const FontState webAddress{8, false, true, false};
    QList<RecordedLine> expected(7, RecordedLine{QString(), printersOwn});
    expected << RecordedLine{atColumn(20, u"Detail of Sri Lanka National Identity Card Holder"_s), title}
             << RecordedLine{QString(), afterTitle} << RecordedLine{QString(), afterTitle};
    const QStringList details{
        u"Identity Card No    :     811231234V"_s,
        u"Date Of Birth       :     1981   May   2"_s,
        u"Date Of Birth (Hijri) :     1401   Jamada al Thani   28"_s,
        u"Day Of Birth        :     Sturday"_s,
        u"Sex                 :     Male"_s,
        u"Age                 :     45  Years   &   7  Month"_s,
    };
    for (const QString &text : details)
        expected << RecordedLine{atColumn(35, text), detail} << RecordedLine{QString(), detail}
                 << RecordedLine{QString(), detail};
    expected << RecordedLine{atColumn(50, u"Above detail process and printed on  December  2026"_s), footer}
             << RecordedLine{atColumn(60, u" Vantrel Computers - Australia "_s), footer}
             << RecordedLine{atColumn(60, u"        www.vantrel.com.au "_s), webAddress};

    ASSERT_EQ(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].text, expected[i].text) << "line " << i + 1;
        EXPECT_EQ(lines[i].font, expected[i].font) << "line " << i + 1;
    }
    EXPECT_EQ(printer.sheetsEnded, 1);
    EXPECT_EQ(printer.linesWhenLastEnded, lines.size()) << "the sheet is sent after its last line";
}

TEST(DetailSheetScript, ThirtyOneLinesCountingTheEmptyOnes)
{
    RecordingSheetPrinter printer;
    const QList<RecordedLine> lines = printOne(sampleSheetTexts(), printer);

    ASSERT_EQ(lines.size(), LinesPerSheet);
    QList<int> withText;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].text.trimmed().isEmpty())
            withText << i;
    }
    // The title, six details two empty lines apart, then three lines together.
    EXPECT_EQ(withText, (QList<int>{7, 10, 13, 16, 19, 22, 25, 28, 29, 30}));
    EXPECT_EQ(printer.sheetsEnded, 1);
}

TEST(DetailSheetScript, TitleAtColumnTwentyInBoldUnderlinedFourteenPoint)
{
    RecordingSheetPrinter printer;
    const RecordedLine title = printOne(sampleSheetTexts(), printer)[TitleLine];

    EXPECT_EQ(title.text, QString(19, u' ') + u"Detail of Sri Lanka National Identity Card Holder"_s);
    EXPECT_EQ(title.font, (FontState{14, true, false, true}));
    // The print system lists the job under the same words.
    EXPECT_EQ(printer.documentName, title.text.trimmed());
}

TEST(DetailSheetScript, FontsOfTheLines)
{
    RecordingSheetPrinter printer;
    const QList<RecordedLine> lines = printOne(sampleSheetTexts(), printer);

    const FontState detail{11, false, false, false};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(lines[FirstDetailLine + 3 * i].font, detail) << "detail line " << i + 1;
    EXPECT_EQ(lines[StampLine].font, (FontState{8, false, false, false}));
    EXPECT_EQ(lines[MakerLine].font, (FontState{8, false, false, false}));
    EXPECT_EQ(lines[WebLine].font, (FontState{8, false, true, false}));
}

TEST(DetailSheetScript, FooterLinesExactly)
{
    RecordingSheetPrinter printer;
    const QList<RecordedLine> lines = printOne(sampleSheetTexts(), printer);

    EXPECT_EQ(fromColumn(lines[MakerLine], 60), u" Vantrel Computers - Australia "_s);
    EXPECT_EQ(fromColumn(lines[WebLine], 60), u"        www.vantrel.com.au "_s);
    EXPECT_EQ(lines[MakerLine].text.indexOf(u"Vantrel"_s), 60); // after the leading space in column 60
}

TEST(DetailSheetScript, StampForSeventhOfDecember2026)
{
    RecordingSheetPrinter printer;
    const RecordedLine stamp = printOne(sampleSheetTexts(), printer, u"December"_s, 2026)[StampLine];

    EXPECT_EQ(stamp.text, QString(49, u' ') + u"Above detail process and printed on  December  2026"_s);
}

// One row per detail line: where its colon and its value stand.
struct DetailColumns
{
    const char *name;
    int line;
    QString label;
    int colonColumn;
    int valueColumn;
};

class DetailLineColumns : public testing::TestWithParam<DetailColumns>
{};

TEST_P(DetailLineColumns, LabelColonAndValueInTheirColumns)
{
    const DetailColumns &row = GetParam();
    RecordingSheetPrinter printer;
    const RecordedLine line = printOne(sampleSheetTexts(), printer)[row.line];

    EXPECT_EQ(line.text.indexOf(row.label), 34) << "label in column 35";
    EXPECT_EQ(line.text.indexOf(u':'), row.colonColumn - 1);
    EXPECT_EQ(line.text.indexOf(u':') + 1 + 5, row.valueColumn - 1) << "five spaces after the colon";
    EXPECT_FALSE(line.text.at(row.valueColumn - 1).isSpace());
}

INSTANTIATE_TEST_SUITE_P(
    DetailSheet, DetailLineColumns,
    testing::Values(DetailColumns{"identity_number", 10, u"Identity Card No"_s, 55, 61},
                    DetailColumns{"date_of_birth", 13, u"Date Of Birth"_s, 55, 61},
                    DetailColumns{"hijri_date_two_columns_right", 16, u"Date Of Birth (Hijri)"_s, 57, 63},
                    DetailColumns{"day_of_birth", 19, u"Day Of Birth"_s, 55, 61},
                    DetailColumns{"sex", 22, u"Sex"_s, 55, 61}, DetailColumns{"age", 25, u"Age"_s, 55, 61}),
    [](const testing::TestParamInfo<DetailColumns> &row) { return row.param.name; });

// One row per state of the six fields: the values the sheet must carry.
struct FieldCase
{
    const char *name;
    DetailSheetTexts texts;
};

class DetailSheetValues : public testing::TestWithParam<FieldCase>
{};

TEST_P(DetailSheetValues, EachLineEndsWithItsFieldExactly)
{
    const DetailSheetTexts &texts = GetParam().texts;
    RecordingSheetPrinter printer;
    const QList<RecordedLine> lines = printOne(texts, printer);

    ASSERT_EQ(lines.size(), LinesPerSheet) << "the sheet is printed in full whatever the fields hold";
    const QStringList values{texts.IdNo, texts.DateOB, texts.HDateOB, texts.DayOB, texts.Sex, texts.Age};
    for (int i = 0; i < 6; ++i) {
        const QString &text = lines[FirstDetailLine + 3 * i].text;
        const qsizetype valueStart = text.indexOf(u':') + 1 + 5;
        EXPECT_EQ(text.mid(valueStart), values[i]) << "detail line " << i + 1;
        EXPECT_EQ(text.size(), valueStart + values[i].size()) << "nothing after the value";
    }
}

DetailSheetTexts withSex(DetailSheetTexts texts, const QString &sex)
{
    texts.Sex = sex;
    return texts;
}

INSTANTIATE_TEST_SUITE_P(
    DetailSheet, DetailSheetValues,
    testing::Values(
        FieldCase{"valid_number", sampleSheetTexts()},
        FieldCase{"number_typed_and_results_empty", {u"811231234V"_s, {}, {}, {}, {}, {}}},
        FieldCase{"all_fields_empty", {}},
        // The Hijri field keeps the text of the last valid number.
        FieldCase{"invalid_number_after_a_valid_one", {u"81123X234V"_s, {}, u"1401   6   27"_s, {}, {}, {}}},
        FieldCase{"sex_changed_by_hand", withSex(sampleSheetTexts(), u"Mle  (typed)"_s)},
        FieldCase{"ten_thousand_character_identity_text", {QString(10000, u'9'), u"1981   May   2"_s, {}, {}, {}, {}}},
        FieldCase{"non_latin_text",
                  {u"\u0DC1\u0DCA\u200D\u0DBB\u0DD3 \u0644\u0627\u0646\u06A9\u0627"_s, u"\u0DB8\u0DD0\u0DBA\u0DD2"_s,
                   u"\u0661\u0664\u0660\u0661"_s, u"\u0B9A\u0BA9\u0BBF"_s, u"\u7537"_s, u"  "_s}}),
    [](const testing::TestParamInfo<FieldCase> &row) { return row.param.name; });

TEST(DetailSheetScript, EmptyResultFieldsEndAfterColonAndFiveSpaces)
{
    RecordingSheetPrinter printer;
    const QList<RecordedLine> lines = printOne({u"811231234V"_s, {}, {}, {}, {}, {}}, printer);

    EXPECT_EQ(fromColumn(lines[FirstDetailLine + 3], 35), u"Date Of Birth       :     "_s);
    EXPECT_EQ(fromColumn(lines[FirstDetailLine + 6], 35), u"Date Of Birth (Hijri) :     "_s);
    EXPECT_EQ(fromColumn(lines[FirstDetailLine + 15], 35), u"Age                 :     "_s);
}

TEST(DetailSheetScript, SecondSheetStartsInTheFontTheFirstLeft)
{
    RecordingSheetPrinter printer;
    PrintDetailSheet(sampleSheetTexts(), u"December"_s, 2026, printer);
    PrintDetailSheet(sampleSheetTexts(), u"January"_s, 2027, printer);

    ASSERT_EQ(printer.lines.size(), 2 * LinesPerSheet);
    const QList<RecordedLine> first = printer.sheet(0, LinesPerSheet);
    const QList<RecordedLine> second = printer.sheet(1, LinesPerSheet);
    for (int i = 0; i < TitleLine; ++i) {
        EXPECT_EQ(first[i].font, FontState{}) << "the printer's own size at the first sheet";
        EXPECT_EQ(second[i].font, (FontState{8, false, false, false})) << "leading line " << i + 1;
    }
    for (int i = TitleLine; i < LinesPerSheet; ++i) {
        EXPECT_EQ(first[i].font, second[i].font) << "line " << i + 1;
        if (i != StampLine) {
            EXPECT_EQ(first[i].text, second[i].text) << "line " << i + 1;
        }
    }
    EXPECT_TRUE(second[StampLine].text.endsWith(u"printed on  January  2027"_s));
    EXPECT_EQ(printer.sheetsEnded, 2);
}

TEST(DetailSheetScript, HandsBackWhatThePrinterSaid)
{
    RecordingSheetPrinter printer;
    printer.answer = {SheetPrinter::Failure::FailedWhilePrinting, u"Office"_s, u"paper jam"_s};

    const SheetPrinter::Outcome outcome = PrintDetailSheet(sampleSheetTexts(), u"May"_s, 2026, printer);

    EXPECT_EQ(outcome.failure, SheetPrinter::Failure::FailedWhilePrinting);
    EXPECT_EQ(outcome.printerName, u"Office"_s);
    EXPECT_EQ(outcome.reason, u"paper jam"_s);
    EXPECT_EQ(printer.sheetsEnded, 1);
}

} // namespace
