#pragma once

#include <QString>

class QPixmap;

// The icons of the three target kinds, for the menus and the map.
namespace Global {

// ":/ico/targetIco_1" and ":/ico/targetIco_2" for 1 and 2, ":/ico/targetIco_0" otherwise.
QString getIconPath_target(int index);
// The pixmap at getIconPath_target(index).
QPixmap getIcon_target(int index);

}  // namespace Global
