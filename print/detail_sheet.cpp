#include "detail_sheet.h"

#include <QString>

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

// The sheet's words, top to bottom.
constexpr QStringView Title = u"Detail of Sri Lanka National Identity Card Holder";
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

void printEmptyLines(SheetPrinter &printer, int count)
{
    for (int i = 0; i < count; ++i)
        printer.printEmptyLine();
}

} // namespace

SheetPrinter::Outcome PrintDetailSheet(const DetailSheetTexts &texts, const QString &monthName, int year,
                                       SheetPrinter &printer)
{
    using Item = PrintItem;
    using LineEnd = SheetPrinter::LineEnd;

    printer.setDocumentName(Title.toString());
    // These take the height of whatever font the printer is left with.
    printEmptyLines(printer, LeadingEmptyLines);

    printer.setFontSize(TitlePoints);
    printer.setBold(true);
    printer.setUnderline(true);
    printer.printLine({Item::tab(TitleColumn), Item::string(Title.toString())}, LineEnd::LeftOpen);
    printer.setBold(false);
    printer.setUnderline(false);
    printEmptyLines(printer, EmptyLinesAfterTitle);

    printer.setFontSize(DetailPoints);
    for (const DetailLine &line : DetailLines) {
        printer.printLine({Item::tab(LabelColumn), Item::string(line.label.toString()),
                           Item::spaces(line.spacesAfterLabel), Item::string(Colon.toString()),
                           Item::spaces(SpacesAfterColon), Item::string(texts.*line.field)},
                          LineEnd::Ended);
        printEmptyLines(printer, EmptyLinesAfterDetail);
    }

    printer.setFontSize(FooterPoints);
    printer.printLine({Item::tab(StampColumn), Item::string(StampOpening.toString()), Item::string(monthName),
                       Item::string(StampSeparator.toString()), Item::string(QString::number(year))},
                      LineEnd::Ended);
    printer.printLine({Item::tab(MakerColumn), Item::string(MakerLine.toString())}, LineEnd::Ended);
    printer.setItalic(true);
    printer.printLine({Item::tab(MakerColumn), Item::spaces(WebAddressIndent), Item::string(MakerWebAddress.toString()),
                       Item::spaces(SpacesAfterWebAddress)},
                      LineEnd::Ended);
    printer.setItalic(false);

    return printer.endDocument();
}
