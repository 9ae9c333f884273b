#include "classic_style.h"

#include <QStyle>
#include <QStyleFactory>

QStyle *createClassicStyle(QObject *owner)
{
    QStyle *style = QStyleFactory::create(QStringLiteral("Windows"));
    if (style)
        style->setParent(owner);
    return style;
}
