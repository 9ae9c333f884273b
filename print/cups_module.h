#pragma once

// The CUPS queue as the program reaches it: from a module of its own
// (cups-queue.so) loaded at the first sheet, for libcups and what it brings
// weigh about a tenth of the program's memory at start, and most starts
// never print. A module that is missing or will not load is a failure of
// each sheet that names the file, never of the program.

#include "sheet_destination.h"

#include <memory>

class QString;

// The default CUPS queue, from the module file where the program's install
// step puts it.
std::unique_ptr<SheetDestination> CupsQueueFromModule(const QString &file);

// The module's one entry, found by the name below: puts a new CUPS queue,
// for one sheet, in the pointer given.
extern "C" void nicMakeCupsQueue(std::unique_ptr<SheetDestination> &queue);
inline constexpr char MakeCupsQueueSymbol[] = "nicMakeCupsQueue";
