#pragma once

// What the print tests hand the print service as the main window does: the
// detail sheet's texts of the shared sample number after OK (the number and
// its five result fields), and a press of Print, waited for.

#include "detail_sheet.h"
#include "print_service.h"
#include "sample_numbers.h"

#include <QEventLoop>
#include <QString>

inline DetailSheetTexts sampleSheetTexts()
{
    namespace man = samples::man;
    return {QString::fromUtf8(man::Number), QString::fromUtf8(man::DateOB), QString::fromUtf8(man::HDateOB),
            QString::fromUtf8(man::DayOB),  QString::fromUtf8(man::Sex),    QString::fromUtf8(man::Age)};
}

// Texts in Sinhala, Arabic, Tamil and Chinese script in every field, as a
// user may type or paste them; the age as given.
inline DetailSheetTexts nonLatinSheetTexts(const QString &age)
{
    using namespace Qt::StringLiterals;
    return {u"\u0DC1\u0DCA\u200D\u0DBB\u0DD3 \u0644\u0627\u0646\u06A9\u0627"_s,
            u"\u0DB8\u0DD0\u0DBA\u0DD2"_s,
            u"\u0661\u0664\u0660\u0661"_s,
            u"\u0B9A\u0BA9\u0BBF"_s,
            u"\u7537"_s,
            age};
}

// Presses Print as the window does and runs the window's event loop until
// the press has ended: how it ended.
inline PrintAnswer pressAndWait(PrintService &printing, const DetailSheetTexts &texts, PrintService::Day today)
{
    PrintAnswer answer;
    QEventLoop window;
    QObject::connect(&printing, &PrintService::pressEnded, &window,
                     [&](const DetailSheetTexts &, const PrintAnswer &ended) {
                         answer = ended;
                         window.quit();
                     });
    printing.press(texts, today);
    window.exec();
    return answer;
}
