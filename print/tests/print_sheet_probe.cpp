// Presses Print the way the main window does, through the real print
// service and the system's default printer, for the print-system tests:
// prints the sheet of 811231234V (or, given a file name, saves it as that
// PDF file), then says on standard output what came back ("printed",
// "waiting: ..." or "message: ..."), how long the press took ("took N ms"),
// and that it is still running.
// Exit code: 0 printed, 2 a failure came back, 3 the sheet waits in a paused queue.

#include "cups_module.h"
#include "default_print_service.h"
#include "pdf_file.h"
#include "qt_sheet_printer.h"
#include "sample_sheet.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QString oneLine(QString text)
{
    return text.replace(u'\n', u' ');
}

// The PDF printer as the program makes it.
std::unique_ptr<SheetPrinter> pdfPrinterFor(const QString &file)
{
    return std::make_unique<QtSheetPrinter>(std::make_unique<PdfFile>(file));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);

    QtSheetPrinter printer(std::make_unique<CupsModule>(QStringLiteral(NIC_CUPS_MODULE_FILE)));
    DefaultPrintService printing(printer, &QDate::currentDate, &pdfPrinterFor);
    const DetailSheetTexts texts = sampleSheetTexts();
    const QStringList arguments = QGuiApplication::arguments();
    QElapsedTimer press;
    press.start();
    const PrintAnswer answer =
        arguments.size() > 1 ? printing.saveSheetAsPdf(texts, arguments.at(1)) : printing.printSheet(texts);
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
