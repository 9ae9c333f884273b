#include "control_colours.h"

#include <QPalette>
#include <QPushButton>
#include <QWidget>

void setColours(QWidget *control, const QColor &background, std::optional<QColor> text)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, background);
    if (text)
        palette.setColor(QPalette::WindowText, *text);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

void setButtonFace(QPushButton *button, const QColor &face, QStyle *classic)
{
    if (classic)
        button->setStyle(classic);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, face);
    button->setPalette(palette);
}
