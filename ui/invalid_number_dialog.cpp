// frmInv: built once, on its first show, and only hidden afterwards.

#include "invalid_number_dialog.h"

#include "classic_style.h"
#include "control_colours.h"
#include "control_table.h"
#include "fonts.h"
#include "program_identity.h"
#include "screen_faces.h"
#include "twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

namespace {

using namespace Qt::StringLiterals;

// The client area sits inside a one-pixel border that this window paints
// itself, having no frame from the window manager.
constexpr int BorderPixels = 1;
constexpr double ClientWidth = 4785;
constexpr double ClientHeight = 2385;

constexpr double MessagePoints = 12;

// Everything the dialog shows, in screen order.
const QString CrossPath = u":/pictures/cross.png"_s;
const QString CrossName = u"Invalid"_s;
const QString Message = u"You have entered an invalid number"_s;
const QString OkCaption = u"OK"_s;

} // namespace

frmInv::frmInv() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(u"frmInv"_s);
    presentAsTheProgram(*this);
    setFont(fonts::msSansSerif(fonts::WindowPoints));
    setPalette(pinnedPalette());
    setColours(this, colours::Black);
    setFixedSize(twips::toPixels(ClientWidth) + 2 * BorderPixels, twips::toPixels(ClientHeight) + 2 * BorderPixels);

    // The client area lies inside the border this window paints itself.
    setContentsMargins(BorderPixels, BorderPixels, BorderPixels, BorderPixels);
    createControls();
    ScreenFaces::follow(*this);

    connect(cmdOK, &QPushButton::clicked, this, &frmInv::cmdOK_Click);
}

frmInv::~frmInv() = default;

void frmInv::createControls()
{
    using controls::Kind;

    // Topmost first; none of them overlap. Only OK takes the focus, so it
    // has it whenever the dialog is active.
    // One control a row, laid out by hand.
    // clang-format off
    static const controls::ControlRow<frmInv> Controls[] = {
        {&frmInv::cmdOK, {.name = u"cmdOK", .kind = Kind::Button, .parent = u"frmInv",
                          .place = {1905, 1800, 975, 375}, .caption = OkCaption, .face = {fonts::LargePoints},
                          .background = colours::LightYellow, .tab = 1}},
        {&frmInv::imgCross, {.name = u"imgCross", .kind = Kind::Picture, .parent = u"frmInv",
                             .place = {1800, 120, 930, 960}, .spoken = CrossName, .picture = CrossPath}},
        {&frmInv::lblMSG, {.name = u"lblMSG", .kind = Kind::Label, .parent = u"frmInv",
                           .place = {165, 1080, 4455, 255}, .caption = Message, .face = {MessagePoints, true},
                           .text = colours::Red, .background = colours::Black, .alignment = Qt::AlignHCenter,
                           .tab = 0}},
    };
    // clang-format on
    controls::buildControls<frmInv>(*this, Controls, createClassicStyle(this));
}

void frmInv::cmdOK_Click()
{
    hide();
    emit dismissed();
}

void frmInv::closeEvent(QCloseEvent *event)
{
    // Alt+F4 or the window manager: the same as OK, so the main window is
    // never left hidden with nothing on screen. A close the program asks for
    // itself, while it ends, just goes ahead.
    if (!event->spontaneous()) {
        event->accept();
        return;
    }
    event->ignore();
    cmdOK_Click();
}

void frmInv::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A push button outside a dialog leaves Enter to its window.
        cmdOK->click();
        event->accept();
        return;
    case Qt::Key_Escape:
        // There is no cancel button: Esc does nothing.
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void frmInv::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // The thin single border of a window without a title bar, in the
    // system's window-frame colour.
    // Filled strips rather than a pen, so that on a scaled screen the
    // border still covers the outermost device pixels on every side.
    QPainter painter(this);
    const QColor frame = palette().color(QPalette::WindowText);
    fillOutline(painter, rect(), BorderPixels, frame, frame);
}
