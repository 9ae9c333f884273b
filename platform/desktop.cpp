#include "desktop.h"

#include "local_clock.h"
#include "twips.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

namespace {

constexpr QStringView SaveAsPdfButton = u"&Save as PDF...";
constexpr QStringView SaveDialogTitle = u"Save the detail sheet as PDF";
constexpr QStringView PdfFilter = u"PDF files (*.pdf)";
constexpr QStringView PdfSuffix = u"pdf";

} // namespace

void QtDesktop::beep()
{
    QApplication::beep();
}

std::chrono::year_month_day QtDesktop::today() const
{
    return LocalToday();
}

QSizeF QtDesktop::screenSize() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize size = screen->geometry().size();
    return {twips::fromPixels(size.width()), twips::fromPixels(size.height())};
}

Desktop::FailureChoice QtDesktop::offerPdfInstead(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Close, parent);
    QPushButton *save = box.addButton(SaveAsPdfButton.toString(), QMessageBox::AcceptRole);
    save->setObjectName(QStringLiteral("saveAsPdf"));
    box.setDefaultButton(QMessageBox::Close);
    box.setEscapeButton(QMessageBox::Close);
    box.exec();
    return box.clickedButton() == save ? FailureChoice::SaveAsPdf : FailureChoice::Close;
}

QString QtDesktop::askPdfFile(QWidget *parent, const QString &fileName)
{
    // The first folder the user may write in: without HOME, Qt's home is
    // the root folder, where nobody may save.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    for (const QString &candidate : {QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                     qEnvironmentVariableIsEmpty("HOME") ? QString() : QDir::homePath()}) {
        const QFileInfo info(candidate);
        if (!candidate.isEmpty() && info.isDir() && info.isWritable()) {
            folder = candidate;
            break;
        }
    }
    QFileDialog dialog(parent, SaveDialogTitle.toString(), QDir(folder).filePath(fileName), PdfFilter.toString());
    dialog.setObjectName(QStringLiteral("savePdfDialog"));
#ifndef Q_OS_WIN
    // Qt's own dialog on the Linux desktops, so it looks and answers the
    // same everywhere (and can be driven the same way in tests); Windows
    // users get their own, with Quick access.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
#endif
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(PdfSuffix.toString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void QtDesktop::showNotice(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::information(parent, title, text);
}

void QtDesktop::quit()
{
    // exit() rather than quit(): it ends the event loop even while a
    // message box runs its own, and closes every window on the way out.
    QApplication::closeAllWindows();
    // Called from the close box's own close event, the window that is
    // closing is skipped by closeAllWindows; nothing may stay on screen
    // while the program ends (after a press of Print that is still waiting).
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}
