// How Form1 is built and how it takes the keyboard and the close box: the
// controls with their containers, twips geometry, texts, fonts, colours,
// stacking and tab order. What the buttons and timers do is in
// main_window_behaviour.cpp.

#include "main_window.h"

#include "classic_style.h"
#include "control_colours.h"
#include "desktop.h"
#include "fonts.h"
#include "interval_timer.h"
#include "invalid_number_dialog.h"
#include "main_window_sizes.h"
#include "program_identity.h"
#include "program_pictures.h"
#include "twips.h"
#include "twips_geometry.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

#include <initializer_list>
#include <limits>
#include <optional>

// The pictures live in this static library; naming their initializer keeps
// the linker from dropping them. It has to be called from the global scope.
static void initPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace {

using namespace Qt::StringLiterals;

struct TwipsRect
{
    double left;
    double top;
    double width;
    double height;
};

// The about panel; its children are placed inside its sunken border.
constexpr int PanelBorderPixels = 2;
constexpr TwipsRect pct1Rect{0, 0, 4575, 2295};
constexpr TwipsRect Image1Rect{968, 0, 2385, 780};
constexpr TwipsRect Label7Rect{233, 720, 3855, 255};
constexpr TwipsRect Label5Rect{60, 960, 4215, 1215};
constexpr TwipsRect cmdAbtOKRect{1680, 1980, 975, 195};
// A short line near the panel's top-left corner; black on black.
constexpr TwipsRect Line2Rect{240, 240, 240, 15};

// The entry and the four buttons.
constexpr TwipsRect Frame2Rect{120, 0, 4095, 2055};
constexpr TwipsRect Frame1Rect{120, 240, 3855, 855};
constexpr TwipsRect txtIDNoRect{1080, 360, 1695, 285};
constexpr TwipsRect Frame4Rect{120, 1200, 3855, 735};
constexpr TwipsRect cmdtextRect{120, 240, 735, 375};
constexpr TwipsRect cmdCancelRect{1080, 240, 735, 375};
constexpr TwipsRect cmdExitRect{2160, 1440, 735, 375}; // in Frame2, over Frame4's row
constexpr TwipsRect cmdPrintRect{3000, 240, 735, 375};

// The "Detail" group: five rows 480 apart.
constexpr TwipsRect Frame3Rect{120, 2280, 4095, 2775};
constexpr TwipsRect Label1Rect{120, 360, 1455, 255};
constexpr TwipsRect txtDateOBRect{1800, 360, 2175, 285};
constexpr TwipsRect Label6Rect{120, 840, 1695, 255};
constexpr TwipsRect txtHDateOBRect{1920, 3120, 2175, 285}; // in the window, over Frame3's column
constexpr TwipsRect Label2Rect{120, 1320, 1455, 255};
constexpr TwipsRect txtDayOBRect{1800, 1320, 2175, 285};
constexpr TwipsRect Label3Rect{120, 1800, 1455, 255};
constexpr TwipsRect txtSexRect{1800, 1800, 2175, 285};
constexpr TwipsRect Label4Rect{120, 2280, 1455, 255};
constexpr TwipsRect txtAgeRect{1800, 2280, 2175, 285};

// A group's title starts this far in from its left edge, on a patch of the
// group's own background that interrupts the frame line.
constexpr int GroupTitleIndent = 6;
constexpr int GroupTitlePadding = 2;

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

// A caption as the user reads it: "&x" marks an access key, "&&" is one "&".
QString readableCaption(const QString &caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption.at(i);
    }
    return shown;
}

// A group drawn the same on every desktop, as the layout's frames look: an
// etched line round the rectangle, its top at half the title's height, and
// the title over that line. Desktop styles would put the title above the
// line, tint the inside or leave the frame out altogether.
class EtchedGroupBox final : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;

private:
    static void outline(QPainter &painter, const QRect &rect, const QColor &colour)
    {
        fillOutline(painter, rect, 1, colour, colour);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const QRect frame = rect().adjusted(0, metrics.height() / 2, 0, 0);
        // Two outlines, the dark one over the light one a pixel further in,
        // filled rather than stroked so that a scaled screen gets them as
        // thick as the rest, with no gap between them.
        outline(painter, frame.adjusted(1, 1, 0, 0), palette().color(QPalette::Light));
        outline(painter, frame.adjusted(0, 0, -1, -1), palette().color(QPalette::Dark));
        if (title().isEmpty())
            return;
        const int titleWidth = metrics.horizontalAdvance(readableCaption(title()));
        const QRect patch(GroupTitleIndent, 0, titleWidth + 2 * GroupTitlePadding, metrics.height());
        painter.fillRect(patch, palette().window());
        style()->drawItemText(&painter, patch, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                              title(), QPalette::WindowText);
    }
};

void place(QWidget *control, const TwipsRect &rect, QPoint origin = {})
{
    control->setGeometry(origin.x() + twips::toPixels(rect.left), origin.y() + twips::toPixels(rect.top),
                         twips::toPixels(rect.width), twips::toPixels(rect.height));
}

template<typename Control>
Control *makeControl(QWidget *container, const QString &name, const QFont &font)
{
    auto *control = new Control(container);
    control->setObjectName(name);
    // Every control carries its own font: Qt would otherwise hand down the
    // container's, and Frame2's bold face is not meant for its contents.
    control->setFont(font);
    return control;
}

QLabel *makeLabel(QWidget *container, const QString &name, const QString &caption, const QFont &font,
                  QColor text, QColor background, Qt::Alignment alignment)
{
    auto *label = makeControl<QLabel>(container, name, font);
    label->setTextFormat(Qt::PlainText);
    label->setText(readableCaption(caption));
    label->setAccessibleName(readableCaption(caption));
    // Labels keep their size and start at the top, whatever their text.
    label->setAlignment(alignment | Qt::AlignTop);
    setColours(label, background, text);
    return label;
}

QPushButton *makeButton(QWidget *container, const QString &name, const QString &caption, QColor face,
                        QStyle *faceStyle)
{
    auto *button = makeControl<QPushButton>(container, name, fonts::msSansSerif(WindowPoints));
    button->setText(caption);
    button->setAccessibleName(readableCaption(caption));
    setButtonFace(button, face, faceStyle);
    return button;
}

QLineEdit *makeTextBox(QWidget *container, const QString &name, const QString &labelCaption, const QFont &font,
                       Qt::Alignment alignment, QStyle *edgeStyle)
{
    auto *box = makeControl<QLineEdit>(container, name, font);
    if (edgeStyle)
        box->setStyle(edgeStyle);
    // No limit of its own: Qt's default would drop all past 32767 characters.
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setAlignment(alignment | Qt::AlignVCenter);
    box->setAccessibleName(labelCaption);
    return box;
}

QGroupBox *makeGroup(QWidget *container, const QString &name, const QString &title, const QFont &font,
                     std::optional<QColor> titleColour = {})
{
    QGroupBox *group = makeControl<EtchedGroupBox>(container, name, font);
    group->setTitle(title);
    setColours(group, Teal, titleColour);
    return group;
}

IntervalTimer *makeTimer(QObject *container, const QString &name)
{
    auto *timer = new IntervalTimer(container);
    timer->setObjectName(name);
    return timer;
}

// Qt draws the last-raised sibling on top; the layout lists the topmost
// first. Raising from the end of the list gets the layout's order.
void stackTopFirst(std::initializer_list<QWidget *> controls)
{
    for (auto it = std::rbegin(controls); it != std::rend(controls); ++it)
        (*it)->raise();
}

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
    stackAndOrder();
    connectHandlers();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    QStyle *classic = createClassicStyle(this);
    const QFont windowFont = fonts::msSansSerif(WindowPoints);
    const QFont largeBold = fonts::msSansSerif(LargePoints, true);
    const QFont largeBoldItalic = fonts::msSansSerif(LargePoints, true, true);
    const QFont captionFont = fonts::msSansSerif(WindowPoints, true);
    constexpr Qt::Alignment Left = Qt::AlignLeft;
    constexpr Qt::Alignment Centred = Qt::AlignHCenter;

    Timer1 = makeTimer(this, u"Timer1"_s);

    pct1 = makeControl<QFrame>(this, u"pct1"_s, windowFont);
    pct1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pct1->setLineWidth(PanelBorderPixels);
    pct1->setFocusPolicy(Qt::StrongFocus);
    pct1->setAccessibleName(AboutName);
    setColours(pct1, Black);
    place(pct1, pct1Rect);
    const QPoint inside = pct1->contentsRect().topLeft();

    Timer3 = makeTimer(pct1, u"Timer3"_s);
    Image1 = makeControl<QLabel>(pct1, u"Image1"_s, windowFont);
    // The logo lies over the top rows of the title below it; its black
    // ground is let through, so on the black panel it looks the same but
    // leaves the title's letters whole.
    QPixmap logo = sharpPicture(LogoPath, devicePixelRatioF());
    logo.setMask(logo.createMaskFromColor(Black));
    Image1->setPixmap(logo);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setAccessibleName(LogoName);
    place(Image1, Image1Rect, inside);
    auto *line = makeControl<QFrame>(pct1, u"Line2"_s, windowFont);
    line->setFrameStyle(QFrame::HLine | QFrame::Plain);
    line->setLineWidth(1);
    line->setAccessibleName(LineName);
    place(line, Line2Rect, inside);
    Line2 = line;
    Label7 = makeLabel(pct1, u"Label7"_s, AboutTitle, largeBold, White, Black, Centred);
    place(Label7, Label7Rect, inside);
    Label5 = makeLabel(pct1, u"Label5"_s, AboutText, windowFont, White, Black, Centred);
    Label5->setWordWrap(true);
    place(Label5, Label5Rect, inside);
    cmdAbtOK = makeButton(pct1, u"cmdAbtOK"_s, AboutOkCaption, LightPink, classic);
    place(cmdAbtOK, cmdAbtOKRect, inside);

    Frame2 = makeGroup(this, u"Frame2"_s, QString(), largeBold);
    Frame2->setAccessibleName(EntryGroupName);
    place(Frame2, Frame2Rect);
    Timer2 = makeTimer(Frame2, u"Timer2"_s);
    Frame1 = makeGroup(Frame2, u"Frame1"_s, EntryTitle, largeBoldItalic, White);
    Frame1->setAccessibleName(EntryTitle);
    place(Frame1, Frame1Rect);
    txtIDNo = makeTextBox(Frame1, u"txtIDNo"_s, EntryTitle, largeBold, Left, classic);
    place(txtIDNo, txtIDNoRect);
    Frame4 = makeGroup(Frame2, u"Frame4"_s, QString(), windowFont);
    Frame4->setAccessibleName(ButtonGroupName);
    place(Frame4, Frame4Rect);
    cmdtext = makeButton(Frame4, u"cmdtext"_s, OkCaption, Cyan, classic);
    place(cmdtext, cmdtextRect);
    cmdCancel = makeButton(Frame4, u"cmdCancel"_s, CancelCaption, Cyan, classic);
    place(cmdCancel, cmdCancelRect);
    cmdExit = makeButton(Frame2, u"cmdExit"_s, ExitCaption, Cyan, classic);
    place(cmdExit, cmdExitRect);
    cmdPrint = makeButton(Frame4, u"cmdPrint"_s, PrintCaption, Cyan, classic);
    place(cmdPrint, cmdPrintRect);
    cmdPrint->setEnabled(false);

    Frame3 = makeGroup(this, u"Frame3"_s, DetailTitle, largeBoldItalic, White);
    Frame3->setAccessibleName(DetailTitle);
    place(Frame3, Frame3Rect);
    const auto row = [&](QLabel *&label, const char16_t *labelName, const QString &caption,
                         const TwipsRect &labelRect, QLineEdit *&box, QWidget *boxContainer,
                         const char16_t *boxName, const TwipsRect &boxRect) {
        label = makeLabel(Frame3, QString::fromUtf16(labelName), caption, captionFont, White, Teal, Left);
        place(label, labelRect);
        box = makeTextBox(boxContainer, QString::fromUtf16(boxName), caption, windowFont, Centred, classic);
        place(box, boxRect);
        label->setBuddy(box);
    };
    row(Label1, u"Label1", DateOBCaption, Label1Rect, txtDateOB, Frame3, u"txtDateOB", txtDateOBRect);
    row(Label6, u"Label6", HDateOBCaption, Label6Rect, txtHDateOB, this, u"txtHDateOB", txtHDateOBRect);
    row(Label2, u"Label2", DayOBCaption, Label2Rect, txtDayOB, Frame3, u"txtDayOB", txtDayOBRect);
    row(Label3, u"Label3", SexCaption, Label3Rect, txtSex, Frame3, u"txtSex", txtSexRect);
    row(Label4, u"Label4", AgeCaption, Label4Rect, txtAge, Frame3, u"txtAge", txtAgeRect);
}

void Form1::stackAndOrder()
{
    stackTopFirst({txtHDateOB, pct1, Frame3, Frame2});
    stackTopFirst({cmdAbtOK, Image1, Line2, Label7, Label5});
    stackTopFirst({txtAge, txtSex, txtDayOB, txtDateOB, Label6, Label4, Label3, Label2, Label1});
    stackTopFirst({cmdExit, Frame4, Frame1});
    stackTopFirst({cmdPrint, cmdCancel, cmdtext});

    // The controls that can take the focus, in the layout's keyboard order;
    // Tab from the last comes round to the first.
    const std::initializer_list<QWidget *> tabOrder{txtDateOB, txtDayOB, txtSex,   txtAge,  cmdtext,
                                                    cmdCancel, cmdPrint, pct1,     cmdAbtOK, cmdExit,
                                                    txtIDNo,   txtHDateOB};
    for (auto it = tabOrder.begin(); it + 1 != tabOrder.end(); ++it)
        setTabOrder(*it, *(it + 1));
    // The first of them takes the focus when the window first becomes active,
    // although it lies below the visible client area.
    txtDateOB->setFocus(Qt::OtherFocusReason);
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
