#include "detail_sheet.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextBoundaryFinder>

#include <array>

namespace {

constexpr int LeadingEmptyLines = 7;
constexpr double TitlePoints = 14;
constexpr int TitleColumn = 20;
// The first of these closes the title line, so two empty lines follow it.
constexpr int EmptyLinesAfterTitle = 3;
constexpr double DetailPoints = 11;
constexpr int LabelColumn = 35;
constexpr int SpacesAfterColon = 5;
constexpr int EmptyLinesAfterDetail = 2;
constexpr double FooterPoints = 8;
constexpr int StampColumn = 50;
constexpr int MakerColumn = 60;
constexpr int WebAddressIndent = 8;
constexpr int SpacesAfterWebAddress = 1;

// The sheet's words after the title, top to bottom.
constexpr QStringView Colon = u":";

struct DetailLine
{
    QStringView label;
    int spacesAfterLabel; // brings the colon to column 55 (57 on the Hijri line)
    QString DetailSheetTexts::*field;
};

constexpr std::array<DetailLine, 6> DetailLines{{
    {u"Identity Card No", 4, &DetailSheetTexts::IdNo},
    {u"Date Of Birth", 7, &DetailSheetTexts::DateOB},
    {u"Date Of Birth (Hijri)", 1, &DetailSheetTexts::HDateOB},
    {u"Day Of Birth", 8, &DetailSheetTexts::DayOB},
    {u"Sex", 17, &DetailSheetTexts::Sex},
    {u"Age", 17, &DetailSheetTexts::Age},
}};

constexpr QStringView StampOpening = u"Above detail process and printed on  ";
constexpr QStringView StampSeparator = u"  ";
constexpr QStringView MakerLine = u" Vantrel Computers - Australia ";
constexpr QStringView MakerWebAddress = u"www.vantrel.com.au";

// One column per character as the reader sees it, so that letters with
// combining marks (Sinhala, Tamil) count once.
int characterCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

// The font of a font step, in the typeface the painter has.
QFont fontOf(const SheetStep &step, QFont font)
{
    font.setPointSizeF(step.number);
    font.setBold(step.style & SheetStep::Bold);
    font.setItalic(step.style & SheetStep::Italic);
    font.setUnderline(step.style & SheetStep::Underline);
    return font;
}

} // namespace

QList<SheetStep> DetailSheetScript(const DetailSheetTexts &texts, const QString &monthName, int year)
{
    using Kind = SheetStep::Kind;
    QList<SheetStep> script;
    const auto font = [&script](double points, int style = SheetStep::Plain) {
        script.append({Kind::Font, points, style, {}});
    };
    const auto tab = [&script](int column) { script.append({Kind::Tab, double(column), {}, {}}); };
    const auto spaces = [&script](int count) { script.append({Kind::Spaces, double(count), {}, {}}); };
    const auto text = [&script](QStringView words) { script.append({Kind::Text, 0, {}, words.toString()}); };
    const auto endLines = [&script](int count) {
        for (int i = 0; i < count; ++i)
            script.append(SheetStep{});
    };

    // These take the height of whatever font the printer is left with.
    endLines(LeadingEmptyLines);
    font(TitlePoints, SheetStep::Bold | SheetStep::Underline);
    tab(TitleColumn);
    text(DetailSheetTitle); // the line is left open
    font(TitlePoints);
    endLines(EmptyLinesAfterTitle);

    font(DetailPoints);
    for (const DetailLine &line : DetailLines) {
        tab(LabelColumn);
        text(line.label);
        spaces(line.spacesAfterLabel);
        text(Colon);
        spaces(SpacesAfterColon);
        text(texts.*line.field);
        endLines(1 + EmptyLinesAfterDetail);
    }

    font(FooterPoints);
    tab(StampColumn);
    text(StampOpening);
    text(monthName);
    text(StampSeparator);
    text(QString::number(year));
    endLines(1);
    tab(MakerColumn);
    text(MakerLine);
    endLines(1);
    font(FooterPoints, SheetStep::Italic);
    tab(MakerColumn);
    spaces(WebAddressIndent);
    text(MakerWebAddress);
    spaces(SpacesAfterWebAddress);
    endLines(1);
    font(FooterPoints);
    return script;
}

void DrawDetailSheet(QPainter &painter, const DetailSheetTexts &texts, const QString &monthName, int year)
{
    using Kind = SheetStep::Kind;
    QPointF position;  // in the painter's units, from the top-left corner
    double inkEnd = 0; // where the last text on the line really ends
    for (const SheetStep &step : DetailSheetScript(texts, monthName, year)) {
        const QFontMetricsF metrics(painter.font(), painter.device());
        const double column = metrics.averageCharWidth();
        switch (step.kind) {
        case Kind::Font:
            painter.setFont(fontOf(step, painter.font()));
            break;
        case Kind::Tab:
            position.setX((step.number - 1) * column);
            break;
        case Kind::Spaces:
            // A text wider than its columns still gets real spaces after it.
            position.setX(
                qMax(position.x() + step.number * column, inkEnd + step.number * metrics.horizontalAdvance(u' ')));
            break;
        case Kind::Text: {
            const double left = qMax(position.x(), inkEnd);
            // Text past the right edge is left to the printer to cut off.
            painter.drawText(QPointF(left, position.y() + metrics.ascent()), step.text);
            inkEnd = left + metrics.horizontalAdvance(step.text);
            position.setX(left + characterCount(step.text) * column);
            break;
        }
        case Kind::EndLine:
            position = QPointF(0, position.y() + metrics.lineSpacing());
            inkEnd = 0;
            break;
        }
    }
}
