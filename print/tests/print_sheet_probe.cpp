// Presses Print the way the main window does, through the real print
// service and the system's default printer, for the print-system tests:
// prints the sheet of 811231234V (or, given a file name, saves it as that
// PDF file), then says on standard output what came back ("printed",
// "waiting: ..." or "message: ..."), how long the press took ("took N ms"),
// and that it is still running.
// Exit code: 0 printed, 2 a failure came back, 3 the sheet waits in a paused queue.

#include "cups_module.h"
#include "local_clock.h"
#include "print_service.h"
#include "sample_sheet.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>

namespace {

QString oneLine(QString text)
{
    return text.replace(u'\n', u' ');
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);

    PrintService printing(CupsQueueFromModule(QStringLiteral(NIC_CUPS_MODULE_FILE)));
    const std::chrono::year_month_day today = LocalToday();
    const DetailSheetTexts texts = sampleSheetTexts();
    const QStringList arguments = QGuiApplication::arguments();
    QElapsedTimer press;
    press.start();
    PrintAnswer answer;
    if (arguments.size() > 1) {
        answer = printing.saveSheetAsPdf(texts, today, arguments.at(1));
    } else {
        answer = pressAndWait(printing, texts, today);
    }
    const qint64 took = press.elapsed();
    int code = 0;
    switch (answer.kind) {
    case PrintAnswer::Kind::Done:
        std::puts("printed");
        break;
    case PrintAnswer::Kind::Waiting:
        std::printf("waiting: %s\n", qPrintable(oneLine(answer.message)));
        code = 3;
        break;
    case PrintAnswer::Kind::Failed:
        std::printf("message: %s\n", qPrintable(oneLine(answer.message)));
        code = 2;
        break;
    }
    std::printf("took %lld ms\n", static_cast<long long>(took));
    // What a window would do next: go on handling events.
    QGuiApplication::processEvents();
    std::puts("still running");
    return code;
}
