#pragma once

// The detail sheet's texts of the sample number, as the main window hands
// them to the print service after OK.

#include "print_service.h"
#include "sample_numbers.h"

#include <QString>

inline DetailSheetTexts sampleSheetTexts()
{
    return {QString::fromLatin1(sample::Number), QString::fromLatin1(sample::DateOB),
            QString::fromLatin1(sample::SheetHDateOB), QString::fromLatin1(sample::DayOB),
            QString::fromLatin1(sample::Sex), QString::fromLatin1(sample::Age)};
}
