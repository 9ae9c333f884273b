#pragma once

// What the main window hands to printing: the six field texts exactly as
// they stand. The service prints one detail sheet on the default printer,
// stamped with today's month and year, and says in plain words what went
// wrong when it could not; it never ends the program and never retries on
// its own.

#include <QString>

struct DetailSheetTexts
{
    QString IdNo;
    QString DateOB;
    QString HDateOB;
    QString DayOB;
    QString Sex;
    QString Age;
};

class PrintService
{
public:
    virtual ~PrintService() = default;

    // Empty on success; otherwise a message for the user.
    virtual QString printSheet(const DetailSheetTexts &texts) = 0;
};
