// The Windows printer's one question from another thread: whether a window
// of the printer's own (a driver asking where to save its file) is open on
// the thread that opened the sheet, so that the time the user spends there
// is not counted against the print system.

#include "windows_printer.h"

#include <QPainter>
#include <QTest>

#include <windows.h>

#include <future>
#include <thread>

class WindowsPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void asksTheUserWhileTheSheetsThreadShowsAWindow();
};

void WindowsPrinterTest::asksTheUserWhileTheSheetsThreadShowsAWindow()
{
    WindowsPrinter printer;
    // Each step on the sheet's own thread: a window is shown and hidden by
    // its own thread, which would otherwise have to answer for it.
    std::promise<HWND> shown;
    std::promise<void> hide;
    std::promise<void> hidden;
    std::promise<void> close;
    std::thread sheet([&] {
        // The thread is the sheet's whether a printer is found or not.
        QPainter painter;
        if (printer.begin(painter, QStringLiteral("Detail sheet")).succeeded())
            printer.drop(painter);
        HWND window = CreateWindowExW(0, L"STATIC", L"Save Print Output As", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        shown.set_value(window);
        hide.get_future().wait();
        ShowWindow(window, SW_HIDE);
        hidden.set_value();
        close.get_future().wait();
        DestroyWindow(window);
    });
    const HWND window = shown.get_future().get();
    const bool whileShown = window && printer.asksTheUser();
    hide.set_value();
    hidden.get_future().wait();
    const bool whileHidden = printer.asksTheUser();
    close.set_value();
    sheet.join();
    QVERIFY2(window, "no window could be made: is there a display?");
    QVERIFY(whileShown);
    QVERIFY(!whileHidden);
    QVERIFY(!printer.asksTheUser());
}

QTEST_GUILESS_MAIN(WindowsPrinterTest)
#include "windows_printer_test.moc"
