#include "twips_geometry.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// An X server may answer a run of resizes late, so that for a moment the
// window reports the size of an earlier request of ours. Such an echo is no
// change of size while the requests still come: within this time of the
// newest one it still counts, however old the request echoed (a busy
// machine answers a whole animation late). Only once the requests have
// stopped for that long does an earlier size of ours count as the window's
// own, as when the window manager refuses the newest. An animation is at
// most 61 requests.
constexpr qint64 EchoWindowMilliseconds = 500;
constexpr std::size_t RememberedRequests = 64;

// The states in which the window manager, not this class, decides the size.
constexpr Qt::WindowStates RestingElsewhere = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
constexpr Qt::WindowStates Enlarged = Qt::WindowMaximized | Qt::WindowFullScreen;

} // namespace

TwipsGeometry::TwipsGeometry(QWidget *window, FrameMargins frame)
    : QObject(window)
    , m_window(window)
    , m_width(frame.left + frame.right)
    , m_height(frame.top + frame.bottom)
{
    window->installEventFilter(this);
    m_clock.start();
}

double TwipsGeometry::left() const
{
    return m_left.read(m_window->x());
}

double TwipsGeometry::top() const
{
    return m_top.read(m_window->y());
}

double TwipsGeometry::width() const
{
    return m_width.read(clientSize().width(), tolerance());
}

double TwipsGeometry::height() const
{
    return m_height.read(clientSize().height(), tolerance());
}

int TwipsGeometry::snapTolerance(qreal devicePixelRatio)
{
    return devicePixelRatio == std::floor(devicePixelRatio) ? 0 : 1;
}

int TwipsGeometry::tolerance() const
{
    return snapTolerance(m_window->devicePixelRatioF());
}

QSize TwipsGeometry::clientSize() const
{
    if (m_deferredSize)
        return *m_deferredSize;
    const QSize actual = m_window->size();
    if (m_requests.empty() || actual == m_requests.back().size)
        return actual;
    if (m_clock.elapsed() - m_requests.back().at > EchoWindowMilliseconds)
        return actual;
    const int slack = tolerance();
    const bool lateEcho = std::any_of(m_requests.begin(), m_requests.end(), [&](const SizeRequest &request) {
        return std::abs(request.size.width() - actual.width()) <= slack
               && std::abs(request.size.height() - actual.height()) <= slack;
    });
    return lateEcho ? m_requests.back().size : actual;
}

void TwipsGeometry::setWidth(double width)
{
    m_width.set(width);
    const QSize current = m_deferredSize.value_or(m_window->size());
    m_deferredSize = QSize(qMax(0, m_width.pixelsFor(width)), current.height());
    applyClientSize();
}

void TwipsGeometry::setHeight(double height)
{
    m_height.set(height);
    const QSize current = m_deferredSize.value_or(m_window->size());
    m_deferredSize = QSize(current.width(), qMax(0, m_height.pixelsFor(height)));
    applyClientSize();
}

void TwipsGeometry::move(double left, double top)
{
    m_left.set(left);
    m_top.set(top);
    m_window->move(m_left.pixelsFor(left), m_top.pixelsFor(top));
}

void TwipsGeometry::requestFocus(QWidget *target)
{
    if (m_window->isVisible() && !m_window->isMinimized()) {
        m_pendingFocus = nullptr;
        target->setFocus(Qt::OtherFocusReason);
    } else {
        m_pendingFocus = target;
    }
}

QWidget *TwipsGeometry::pendingFocus() const
{
    return m_pendingFocus;
}

bool TwipsGeometry::isRestingElsewhere() const
{
    return m_window->windowState() & RestingElsewhere;
}

void TwipsGeometry::restoreNormalState()
{
    const Qt::WindowStates state = m_window->windowState();
    const QRect normal = m_window->normalGeometry();
    if (state & RestingElsewhere)
        m_window->setWindowState(state & ~RestingElsewhere);
    // The window manager puts a restored window back in its own time; a
    // resize before that would pin it at the enlarged window's corner.
    if ((state & Enlarged) && normal.isValid())
        m_window->setGeometry(normal);
}

void TwipsGeometry::applyClientSize()
{
    // Resizing a minimized or maximized window would pop it up or fight the
    // window manager; the size waits for the window to be restored.
    if (!m_deferredSize || isRestingElsewhere())
        return;
    const QSize size = *m_deferredSize;
    m_deferredSize.reset();
    m_requests.push_back({size, m_clock.elapsed()});
    if (m_requests.size() > RememberedRequests)
        m_requests.pop_front();
    m_window->resize(size);
}

bool TwipsGeometry::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::WindowStateChange)
            applyClientSize();
        const bool shown = event->type() == QEvent::Show || event->type() == QEvent::WindowStateChange;
        if (shown && m_pendingFocus && m_window->isVisible() && !m_window->isMinimized()) {
            m_pendingFocus->setFocus(Qt::OtherFocusReason);
            m_pendingFocus = nullptr;
        }
    }
    return QObject::eventFilter(watched, event);
}
