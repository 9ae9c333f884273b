#pragma once

// The detail sheet's texts of the shared sample number, as the main window
// hands them to the print service after OK: the number and its five result
// fields.

#include "print_service.h"
#include "sample_numbers.h"

#include <QString>

inline DetailSheetTexts sampleSheetTexts()
{
    namespace man = samples::man;
    return {QString::fromUtf8(man::Number), QString::fromUtf8(man::DateOB), QString::fromUtf8(man::HDateOB),
            QString::fromUtf8(man::DayOB),  QString::fromUtf8(man::Sex),    QString::fromUtf8(man::Age)};
}
