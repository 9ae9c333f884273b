#pragma once

// How the program tells the user it cannot start, where the user looks: a
// message box on Windows, whose programs started from Explorer have no
// console, and one plain line on standard error elsewhere. Anything that finds
// the program unable to run before its window is shown reports it here, under
// the application name, which main() sets before anything else. Never
// returns: the process ends with exit code 1, without a crash report.

class QString;

[[noreturn]] void failStartup(const QString &reason);

// The reason to give for a fatal message of Qt while the application object
// is built, in place of Qt's own text (which ends in the advice to reinstall
// the program, wrong when the desktop is simply not reachable).
QString startupFailureReason(const QString &qtMessage);
