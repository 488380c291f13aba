#include "ui/map/target_icon.h"

#include <QPixmap>

QString Global::getIconPath_target(int index) {
    const int icon = (index == 1 || index == 2) ? index : 0;
    return QStringLiteral(":/ico/targetIco_%1").arg(icon);
}

QPixmap Global::getIcon_target(int index) {
    return QPixmap(getIconPath_target(index));
}
