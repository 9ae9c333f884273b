// A bare Qt widgets window of the main window's size: the yardstick that
// measure_startup.sh holds the program's start-up time and memory against.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Window"));
    window.resize(288, 152);
    window.show();
    return QApplication::exec();
}
