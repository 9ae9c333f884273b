#pragma once

// Keeps a window's faces right for the screen it is on. The bitmap face is
// sharp at one density only, so when the window moves to a screen of another
// density (another monitor, a Wayland output of another scale) or its
// screen's density changes, the face of the window and of each of its
// controls is chosen again by the same rule as at start; sizes in points and
// styles stay as they are.

#include <QObject>

class QScreen;
class QWidget;

class ScreenFaces final : public QObject
{
public:
    // Follows window from its first show on; owned by the window.
    static void follow(QWidget &window);
    // Chooses the faces of window and its controls again for that density.
    static void chooseFor(QWidget &window, double dotsPerInch);

private:
    explicit ScreenFaces(QWidget &window);
    bool eventFilter(QObject *watched, QEvent *event) override;
    void onScreen(QScreen *screen);

    QWidget &m_window;
    bool m_following = false;
    QMetaObject::Connection m_density;
};
