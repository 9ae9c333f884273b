#pragma once

// The outer geometry of a top-level window in twips, as the windows' logic
// reads and sets it. The outer size is modelled as the client area (the Qt
// widget itself) plus a fixed frame, whatever the window manager really
// draws, so the same numbers hold on every desktop. Moving places the
// frame's top-left corner.
//
// Heights and widths read back exactly as set, step after step, on every
// screen. Where the device pixel ratio is not whole (150%), Qt asks the
// window manager to size the window in steps of whole device pixels per
// logical pixel (a resize increment of 2 at 150%), so a size of ours may come
// back a device pixel off, which is one logical pixel off after rounding.
// The rule there: a size within one logical pixel of the one last set still
// reads as the twips last set; only a larger change (a user's drag) counts as
// the window's own. At whole ratios (100%, 200%) the size must match exactly.
// The window then ends each animation on the pixel nearest the twips height
// that the window manager allows.
//
// Refusals never reach the caller: a size set while the window is minimized
// or maximized is kept and applied when the window is restored (reads return
// it meanwhile), and a focus request for a hidden window is carried out when
// the window is next shown.

#include "exact_twips.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSize>

#include <deque>

class QWidget;

struct FrameMargins
{
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

class TwipsGeometry : public QObject
{
    Q_OBJECT

public:
    TwipsGeometry(QWidget *window, FrameMargins frame);

    double left() const;
    double top() const;
    double width() const;
    double height() const;

    void setWidth(double width);
    void setHeight(double height);
    // Both edges in one operation; the size stays as it is.
    void move(double left, double top);

    void requestFocus(QWidget *target);

    // Brings a minimized, maximized or full-screen window back to its normal
    // state and its normal place, where sizes set here apply at once.
    void restoreNormalState();

    // The widget of a pending focus request, for tests and diagnostics.
    QWidget *pendingFocus() const;

    // How many logical pixels a size may be off the one set and still read
    // as set, on a screen of that device pixel ratio.
    static int snapTolerance(qreal devicePixelRatio);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isRestingElsewhere() const;
    int tolerance() const;
    void applyClientSize();
    QSize clientSize() const;

    QWidget *m_window;
    ExactTwips m_width;
    ExactTwips m_height;
    ExactTwips m_left;
    ExactTwips m_top;
    // The client size (pixels) set while minimized or maximized.
    std::optional<QSize> m_deferredSize;
    QPointer<QWidget> m_pendingFocus;

    // Client sizes recently asked of the window system, newest last.
    struct SizeRequest
    {
        QSize size;
        qint64 at; // milliseconds on m_clock
    };
    std::deque<SizeRequest> m_requests;
    QElapsedTimer m_clock;
};
