#pragma once

// The detail sheet as a fixed script for a sheet printer: seven empty lines,
// the title, the six labelled field texts, the date stamp and the maker's two
// footer lines, each in its own size, style and column. The texts are
// printed exactly as given; nothing is decoded, checked or recomputed here,
// and the typeface is never chosen here: it is the printer's.

#include "print_service.h"
#include "sheet_printer.h"

class QString;

// Prints one sheet on printer and sends it; the outcome is the printer's.
// monthName and year make the stamp ("... printed on  December  2026").
SheetPrinter::Outcome PrintDetailSheet(const DetailSheetTexts &texts, const QString &monthName, int year,
                                       SheetPrinter &printer);
