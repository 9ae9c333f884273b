#pragma once

// Shows a text the user asked for on the command line (--help, --version)
// where that user reads it, and ends the program with exit code 0. Elsewhere
// than Windows that is standard output. A Windows program with a window has
// no console of its own, so there the text goes to its standard output when
// that leads to a pipe or a file (a script, or CI, capturing it), else to the
// console of the shell it was started from, and only when there is neither
// (started from Explorer or a shortcut) into a message box, which someone is
// there to read and close. Never returns.

class QString;

[[noreturn]] void answerCommandLine(const QString &text);
