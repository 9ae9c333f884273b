// frmInv: built once, on its first show, and only hidden afterwards.

#include "invalid_number_dialog.h"

#include "classic_style.h"
#include "control_colours.h"
#include "fonts.h"
#include "program_identity.h"
#include "program_pictures.h"
#include "twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {

using namespace Qt::StringLiterals;

// The client area sits inside a one-pixel border that this window paints
// itself, having no frame from the window manager.
constexpr int BorderPixels = 1;
constexpr double ClientWidth = 4785;
constexpr double ClientHeight = 2385;

constexpr double OkLeft = 1905, OkTop = 1800, OkWidth = 975, OkHeight = 375;
constexpr double CrossLeft = 1800, CrossTop = 120, CrossWidth = 930, CrossHeight = 960;
constexpr double MessageLeft = 165, MessageTop = 1080, MessageWidth = 4455, MessageHeight = 255;

constexpr double MessagePoints = 12;

// Everything the dialog shows, in screen order.
const QString CrossPath = u":/pictures/cross.png"_s;
const QString CrossName = u"Invalid"_s;
const QString Message = u"You have entered an invalid number"_s;
const QString OkCaption = u"OK"_s;

QRect clientRect(double left, double top, double width, double height)
{
    return {BorderPixels + twips::toPixels(left), BorderPixels + twips::toPixels(top), twips::toPixels(width),
            twips::toPixels(height)};
}

} // namespace

frmInv::frmInv()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(u"frmInv"_s);
    presentAsTheProgram(*this);
    setFont(fonts::msSansSerif(fonts::WindowPoints));
    setPalette(pinnedPalette());
    setColours(this, colours::Black);
    setFixedSize(twips::toPixels(ClientWidth) + 2 * BorderPixels, twips::toPixels(ClientHeight) + 2 * BorderPixels);

    // Created bottom first: Qt draws later siblings above earlier ones.
    lblMSG = new QLabel(this);
    lblMSG->setObjectName(u"lblMSG"_s);
    lblMSG->setFont(fonts::msSansSerif(MessagePoints, true));
    lblMSG->setTextFormat(Qt::PlainText);
    lblMSG->setText(Message);
    lblMSG->setAccessibleName(Message);
    lblMSG->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setColours(lblMSG, colours::Black, colours::Red);
    lblMSG->setGeometry(clientRect(MessageLeft, MessageTop, MessageWidth, MessageHeight));

    imgCross = new QLabel(this);
    imgCross->setObjectName(u"imgCross"_s);
    imgCross->setPixmap(sharpPicture(CrossPath, devicePixelRatioF()));
    imgCross->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imgCross->setAccessibleName(CrossName);
    imgCross->setGeometry(clientRect(CrossLeft, CrossTop, CrossWidth, CrossHeight));

    cmdOK = new QPushButton(OkCaption, this);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setFont(fonts::msSansSerif(fonts::LargePoints));
    cmdOK->setAccessibleName(OkCaption);
    setButtonFace(cmdOK, colours::LightYellow, createClassicStyle(this));
    cmdOK->setGeometry(clientRect(OkLeft, OkTop, OkWidth, OkHeight));
    // The only control that takes the focus, so it has it whenever the
    // dialog is active.
    cmdOK->setFocus(Qt::OtherFocusReason);

    connect(cmdOK, &QPushButton::clicked, this, &frmInv::cmdOK_Click);
}

frmInv::~frmInv() = default;

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
