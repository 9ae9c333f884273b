// Presses Print the way the main window does, through the real print
// service and the system's default printer, for the print-system tests:
// prints the sheet of 811231234V, then says on standard output what came
// back ("printed" or "message: ..."), and that it is still running.
// Exit code: 0 printed, 2 a message came back.

#include "default_print_service.h"

#include <QGuiApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);

    DefaultPrintService printing;
    const QString message = printing.printSheet({u"811231234V"_s, u"1981   May   2"_s, u"1401   6   27"_s,
                                                 u"Sturday"_s, u"Male"_s, u"45  Years   &   7  Month"_s});
    if (message.isEmpty())
        std::puts("printed");
    else
        std::printf("message: %s\n", qPrintable(QString(message).replace(u'\n', u' ')));
    // What a window would do next: go on handling events.
    QGuiApplication::processEvents();
    std::puts("still running");
    return message.isEmpty() ? 0 : 2;
}
