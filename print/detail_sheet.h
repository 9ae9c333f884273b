#pragma once

// The detail sheet: a fixed script of seven empty lines, the title, the six
// labelled field texts, the date stamp and the maker's two footer lines,
// each in its own size, style and column; and the drawing of that script
// with a painter. The texts are printed exactly as given; nothing is
// decoded, checked or recomputed here, and the typeface is the painter's.

#include <QList>
#include <QString>

class QPainter;

// The six field texts of the main window, exactly as they stand.
struct DetailSheetTexts
{
    QString IdNo;
    QString DateOB;
    QString HDateOB;
    QString DayOB;
    QString Sex;
    QString Age;
};

// The sheet's title, also the name the print system lists its job under.
inline constexpr QStringView DetailSheetTitle = u"Detail of Sri Lanka National Identity Card Holder";

// One step of the script in the character reckoning: a font that holds until
// the next, an item on the current line (a tab to a column, counted from 1
// at the left edge; some spaces; a text), or the end of the line, which
// ends an empty line where nothing is on it yet.
struct SheetStep
{
    enum class Kind { Font, Tab, Spaces, Text, EndLine };
    enum Style { Plain = 0, Bold = 1, Italic = 2, Underline = 4 };

    Kind kind = Kind::EndLine;
    double number = 0; // the font's size in points, the tab's column, or how many spaces
    int style = Plain; // the font's
    QString text;
};

// monthName and year make the stamp ("... printed on  December  2026").
QList<SheetStep> DetailSheetScript(const DetailSheetTexts &texts, const QString &monthName, int year);

// Draws the script on an active painter from the top-left corner of its
// window. The leading lines take the painter's font; the painter is left in
// the font the script ends with. A column is the average character width of
// the font in force and a line that font's line spacing. Every character and
// space takes one column, so what lines up in characters lines up on paper;
// a text wider than its columns pushes what follows to the right, only as
// far as real spaces need, so nothing overprints.
void DrawDetailSheet(QPainter &painter, const DetailSheetTexts &texts, const QString &monthName, int year);
