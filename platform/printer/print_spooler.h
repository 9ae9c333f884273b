#pragma once

// What the system's print spooler answered to the last job that Qt handed it
// from this thread. Qt's CUPS engine sends the finished page to CUPS but
// drops CUPS's answer, so a queue that refuses jobs would look like success;
// this reads that answer back. Where the spooler's answer already reaches Qt
// (the Windows spooler), or where there is no spooler, it has nothing to say.
// It never talks to the spooler itself.

#include <QString>

namespace print_spooler {

// Empty when the last job was accepted; otherwise the spooler's reason.
QString lastJobRefusal();

} // namespace print_spooler
