#include "control_colours.h"

#include <QPalette>
#include <QPushButton>
#include <QWidget>

#include <iterator>

namespace {

struct RoleColours
{
    QPalette::ColorRole role;
    QColor enabled; // active and inactive alike
    QColor disabled;
};

// A light desktop's scheme, as Qt's own light palette has it; the edges of
// the buttons, text boxes and groups are drawn from Light, Midlight, Dark
// and Shadow.
const RoleColours LightScheme[] = {
    {QPalette::WindowText, {0, 0, 0}, {190, 190, 190}},
    {QPalette::Button, {239, 239, 239}, {239, 239, 239}},
    {QPalette::Light, {255, 255, 255}, {255, 255, 255}},
    {QPalette::Midlight, {202, 202, 202}, {202, 202, 202}},
    {QPalette::Dark, {159, 159, 159}, {190, 190, 190}},
    {QPalette::Mid, {184, 184, 184}, {184, 184, 184}},
    {QPalette::Text, {0, 0, 0}, {190, 190, 190}},
    {QPalette::BrightText, {255, 255, 255}, {255, 255, 255}},
    {QPalette::ButtonText, {0, 0, 0}, {190, 190, 190}},
    {QPalette::Base, {255, 255, 255}, {239, 239, 239}},
    {QPalette::Window, {239, 239, 239}, {239, 239, 239}},
    {QPalette::Shadow, {118, 118, 118}, {177, 177, 177}},
    {QPalette::Highlight, {48, 140, 198}, {145, 145, 145}},
    {QPalette::HighlightedText, {255, 255, 255}, {255, 255, 255}},
    {QPalette::Link, {0, 0, 255}, {0, 0, 255}},
    {QPalette::LinkVisited, {255, 0, 255}, {255, 0, 255}},
    {QPalette::AlternateBase, {247, 247, 247}, {247, 247, 247}},
    {QPalette::NoRole, {0, 0, 0}, {0, 0, 0}},
    {QPalette::ToolTipBase, {255, 255, 220}, {255, 255, 220}},
    {QPalette::ToolTipText, {0, 0, 0}, {0, 0, 0}},
    {QPalette::PlaceholderText, {0, 0, 0, 128}, {0, 0, 0, 128}},
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    // Newer styles mark focus and selection in the accent colour.
    {QPalette::Accent, {48, 140, 198}, {145, 145, 145}},
#endif
};
static_assert(std::size(LightScheme) == QPalette::NColorRoles, "every role has its light colour");

} // namespace

QPalette pinnedPalette()
{
    QPalette palette;
    for (const RoleColours &colours : LightScheme) {
        palette.setColor(QPalette::Active, colours.role, colours.enabled);
        palette.setColor(QPalette::Inactive, colours.role, colours.enabled);
        palette.setColor(QPalette::Disabled, colours.role, colours.disabled);
    }
    return palette;
}

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
