// A bare Qt widgets window of the main window's size: the yardstick that
// measure_startup.sh holds the program's start-up time and memory against.
// With --text it shows one line of text, so that the cost of starting Qt's
// text rendering, which any window with words pays, is in the yardstick too.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const bool withText = QApplication::arguments().contains(QStringLiteral("--text"));
    QWidget plain;
    QLabel text(QStringLiteral("National Identity Card"));
    QWidget &window = withText ? static_cast<QWidget &>(text) : plain;
    window.setWindowTitle(QStringLiteral("Bare Window"));
    window.resize(288, 152);
    window.show();
    return QApplication::exec();
}
