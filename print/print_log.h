#pragma once

// The print log: where every press records the destination, its state and
// the print system's own status and words behind a message. It logs at
// info, which is off by default; QT_LOGGING_RULES="nic.print=true"
// turns it on.

#include <QLoggingCategory>

// Defined in the header: the program and the CUPS module each keep a copy,
// and the same rule turns both on.
inline const QLoggingCategory &lcPrint()
{
    static const QLoggingCategory category("nic.print", QtWarningMsg);
    return category;
}
