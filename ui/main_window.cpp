// How Form1 is built and how it takes the keyboard and the close box: its
// texts, and its controls in one table with their containers, twips
// geometry, fonts, colours, stacking and tab order. What the buttons and
// timers do is in main_window_behaviour.cpp.

#include "main_window.h"

#include "classic_style.h"
#include "control_colours.h"
#include "control_table.h"
#include "desktop.h"
#include "fonts.h"
#include "invalid_number_dialog.h"
#include "main_window_sizes.h"
#include "program_identity.h"
#include "screen_faces.h"
#include "twips.h"
#include "twips_geometry.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

// The pictures live in this static library; naming their initializer keeps
// the linker from dropping them. It has to be called from the global scope.
static void initPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace {

using namespace Qt::StringLiterals;

using namespace colours;
using fonts::LargePoints;
using fonts::WindowPoints;

// Everything the window shows, in screen order. The names of the untitled
// containers and pictures are only heard through a screen reader.
const QString AboutName = u"About"_s;
const QString LogoPath = u":/pictures/logo.png"_s;
const QString LogoName = u"Vantrel Computers"_s;
const QString LineName = u"Line"_s;
const QString AboutTitle = u"Sri Lanka National Identity Card"_s;
const QString AboutText =
    u"This Software was created to know the date of birth (English && Hijri), day of birth, sex, and age from the "
    u"Sri Lankan National identity card number by Halvor J.Breckwith (Stonemarrow) "
    u"for Vantrel Computers  Australia  "_s;
const QString AboutOkCaption = u"OK"_s;
const QString EntryGroupName = u"Number"_s;
const QString EntryTitle = u"Enter NIC Number"_s;
const QString ButtonGroupName = u"Commands"_s;
const QString OkCaption = u"&OK"_s;
const QString CancelCaption = u"Cancel"_s;
const QString ExitCaption = u"E&xit"_s;
const QString PrintCaption = u"&Print"_s;
const QString DetailTitle = u"Detail"_s;
const QString DateOBCaption = u"Date Of Birth"_s;
const QString HDateOBCaption = u"Date Of Birth (Hijri)"_s;
const QString DayOBCaption = u"Day of Birth"_s;
const QString SexCaption = u"Sex"_s;
const QString AgeCaption = u"Age"_s;

} // namespace

Form1::Form1(Desktop &desktop, const CalendarService &calendars, PrintService &printing, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_desktop(desktop)
    , m_calendars(calendars)
    , m_printing(printing)
{
    initPictures();
    setObjectName(u"Form1"_s);
    presentAsTheProgram(*this);
    setFont(fonts::msSansSerif(WindowPoints));
    setPalette(pinnedPalette());
    setColours(this, Teal);
    resize(twips::toPixels(mainwindow::ClientWidth), twips::toPixels(mainwindow::ClientHeight));
    m_outer = new TwipsGeometry(this, mainwindow::OuterFrame);

    createControls();
    ScreenFaces::follow(*this);
    connectHandlers();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    using controls::Kind;
    constexpr controls::Face LargeBold{LargePoints, true};
    constexpr controls::Face LargeBoldItalic{LargePoints, true, true};
    constexpr controls::Face CaptionFont{WindowPoints, true};
    constexpr Qt::Alignment Left = Qt::AlignLeft;
    constexpr Qt::Alignment Centred = Qt::AlignHCenter;

    // The control tree, each container's controls topmost first.
    // One control a row, laid out by hand.
    // clang-format off
    static const controls::ControlRow<Form1> Controls[] = {
        {&Form1::txtHDateOB, {.name = u"txtHDateOB", .kind = Kind::TextBox, .parent = u"Form1",
                              // In the window, lined up with the "Detail" group's column.
                              .place = {1920, 3120, 2175, 285}, .alignment = Centred, .tab = 21,
                              .spoken = HDateOBCaption}},
        {&Form1::pct1, {.name = u"pct1", .kind = Kind::Panel, .parent = u"Form1", .place = {0, 0, 4575, 2295},
                        .background = Black, .tab = 15, .spoken = AboutName}},
        {&Form1::Frame3, {.name = u"Frame3", .kind = Kind::Group, .parent = u"Form1",
                          .place = {120, 2280, 4095, 2775}, .caption = DetailTitle, .face = LargeBoldItalic,
                          .text = White, .background = Teal, .tab = 2}},
        {&Form1::Timer1, {.name = u"Timer1", .kind = Kind::Timer, .parent = u"Form1"}},
        {&Form1::Frame2, {.name = u"Frame2", .kind = Kind::Group, .parent = u"Form1", .place = {120, 0, 4095, 2055},
                          .face = LargeBold, .background = Teal, .tab = 0, .spoken = EntryGroupName}},

        {&Form1::Timer3, {.name = u"Timer3", .kind = Kind::Timer, .parent = u"pct1"}},
        {&Form1::cmdAbtOK, {.name = u"cmdAbtOK", .kind = Kind::Button, .parent = u"pct1",
                            .place = {1680, 1980, 975, 195}, .caption = AboutOkCaption, .background = LightPink,
                            .tab = 18}},
        {&Form1::Image1, {.name = u"Image1", .kind = Kind::Picture, .parent = u"pct1", .place = {968, 0, 2385, 780},
                          .spoken = LogoName, .picture = LogoPath}},
        // A short line near the panel's top-left corner; black on black.
        {&Form1::Line2, {.name = u"Line2", .kind = Kind::Line, .parent = u"pct1", .place = {240, 240, 240, 15},
                         .spoken = LineName}},
        {&Form1::Label7, {.name = u"Label7", .kind = Kind::Label, .parent = u"pct1", .place = {233, 720, 3855, 255},
                          .caption = AboutTitle, .face = LargeBold, .text = White, .background = Black,
                          .alignment = Centred, .tab = 17}},
        {&Form1::Label5, {.name = u"Label5", .kind = Kind::Label, .parent = u"pct1", .place = {60, 960, 4215, 1215},
                          .caption = AboutText, .text = White, .background = Black, .alignment = Centred,
                          .tab = 16, .wraps = true}},

        // "Detail": five rows 480 apart.
        {&Form1::txtAge, {.name = u"txtAge", .kind = Kind::TextBox, .parent = u"Frame3",
                          .place = {1800, 2280, 2175, 285}, .alignment = Centred, .tab = 6, .spoken = AgeCaption}},
        {&Form1::txtSex, {.name = u"txtSex", .kind = Kind::TextBox, .parent = u"Frame3",
                          .place = {1800, 1800, 2175, 285}, .alignment = Centred, .tab = 5, .spoken = SexCaption}},
        {&Form1::txtDayOB, {.name = u"txtDayOB", .kind = Kind::TextBox, .parent = u"Frame3",
                            .place = {1800, 1320, 2175, 285}, .alignment = Centred, .tab = 4,
                            .spoken = DayOBCaption}},
        {&Form1::txtDateOB, {.name = u"txtDateOB", .kind = Kind::TextBox, .parent = u"Frame3",
                             .place = {1800, 360, 2175, 285}, .alignment = Centred, .tab = 3,
                             .spoken = DateOBCaption}},
        {&Form1::Label6, {.name = u"Label6", .kind = Kind::Label, .parent = u"Frame3", .place = {120, 840, 1695, 255},
                          .caption = HDateOBCaption, .face = CaptionFont, .text = White, .background = Teal,
                          .alignment = Left, .tab = 22, .buddy = u"txtHDateOB"}},
        {&Form1::Label4, {.name = u"Label4", .kind = Kind::Label, .parent = u"Frame3",
                          .place = {120, 2280, 1455, 255}, .caption = AgeCaption, .face = CaptionFont, .text = White,
                          .background = Teal, .alignment = Left, .tab = 14, .buddy = u"txtAge"}},
        {&Form1::Label3, {.name = u"Label3", .kind = Kind::Label, .parent = u"Frame3",
                          .place = {120, 1800, 1455, 255}, .caption = SexCaption, .face = CaptionFont, .text = White,
                          .background = Teal, .alignment = Left, .tab = 13, .buddy = u"txtSex"}},
        {&Form1::Label2, {.name = u"Label2", .kind = Kind::Label, .parent = u"Frame3",
                          .place = {120, 1320, 1455, 255}, .caption = DayOBCaption, .face = CaptionFont,
                          .text = White, .background = Teal, .alignment = Left, .tab = 12, .buddy = u"txtDayOB"}},
        {&Form1::Label1, {.name = u"Label1", .kind = Kind::Label, .parent = u"Frame3", .place = {120, 360, 1455, 255},
                          .caption = DateOBCaption, .face = CaptionFont, .text = White, .background = Teal,
                          .alignment = Left, .tab = 11, .buddy = u"txtDateOB"}},

        // The entry and the four buttons; Exit belongs to the outer group,
        // in the row of the other three.
        {&Form1::cmdExit, {.name = u"cmdExit", .kind = Kind::Button, .parent = u"Frame2",
                           .place = {2160, 1440, 735, 375}, .caption = ExitCaption, .background = Cyan, .tab = 19}},
        {&Form1::Timer2, {.name = u"Timer2", .kind = Kind::Timer, .parent = u"Frame2"}},
        {&Form1::Frame4, {.name = u"Frame4", .kind = Kind::Group, .parent = u"Frame2", .place = {120, 1200, 3855, 735},
                          .background = Teal, .tab = 7, .spoken = ButtonGroupName}},
        {&Form1::Frame1, {.name = u"Frame1", .kind = Kind::Group, .parent = u"Frame2", .place = {120, 240, 3855, 855},
                          .caption = EntryTitle, .face = LargeBoldItalic, .text = White, .background = Teal,
                          .tab = 1}},
        {&Form1::cmdPrint, {.name = u"cmdPrint", .kind = Kind::Button, .parent = u"Frame4",
                            .place = {3000, 240, 735, 375}, .caption = PrintCaption, .background = Cyan, .tab = 10,
                            // Until the window has grown for a valid number.
                            .enabled = false}},
        {&Form1::cmdCancel, {.name = u"cmdCancel", .kind = Kind::Button, .parent = u"Frame4",
                             .place = {1080, 240, 735, 375}, .caption = CancelCaption, .background = Cyan,
                             .tab = 9}},
        {&Form1::cmdtext, {.name = u"cmdtext", .kind = Kind::Button, .parent = u"Frame4",
                           .place = {120, 240, 735, 375}, .caption = OkCaption, .background = Cyan, .tab = 8}},
        {&Form1::txtIDNo, {.name = u"txtIDNo", .kind = Kind::TextBox, .parent = u"Frame1",
                           .place = {1080, 360, 1695, 285}, .face = LargeBold, .alignment = Left, .tab = 20,
                           .spoken = EntryTitle}},
    };
    // clang-format on
    controls::buildControls<Form1>(*this, Controls, createClassicStyle(this));
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    // Qt gives default and cancel buttons only to dialogs, and its push
    // buttons outside dialogs leave Enter alone, so both end up here.
    QPushButton *target = nullptr;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        target = qobject_cast<QPushButton *>(focusWidget());
        if (!target)
            target = cmdtext;
        break;
    case Qt::Key_Escape:
        target = cmdCancel;
        break;
    default:
        break;
    }
    if (!target || (event->modifiers() & ~Qt::KeypadModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (target->isEnabled())
        target->click();
    event->accept();
}

void Form1::closeEvent(QCloseEvent *event)
{
    // The close box or the window manager ends the program, as Exit does,
    // also while the dialog exists (hidden or not). A close the program asks
    // for itself, while it ends, just goes ahead.
    if (!event->spontaneous()) {
        event->accept();
        return;
    }
    event->ignore();
    m_desktop.quit();
}
