#pragma once

#include "data/boat_values.h"
#include "ui/screens/item_info_pan.h"

#include <QStringList>

// What the info panels are built from: the current values and the two map distances.
struct StructInfoPanSource {
    StructBoatValues boat;
    float dstFromHome = -1;  // m; negative while unknown
    float dstToTarget = -1;  // m; negative while unknown
};

// What each content code of a panel (the configuration's textDataToShow) shows. The panel
// menu lists the contents in its own order; the codes are those of the configuration file.
namespace InfoPanContent {

enum EnumCode : int {
    CodeTimeOfDay = 0,
    CodeHeading = 1,
    CodeSpeed = 2,
    CodeDate = 3,
    CodeDstToTarget = 4,
    CodeFromHome = 5,
    CodeSatellite = 7,
    CodeMainBat = 8,
};

constexpr int kMenuRows = 8;

// The panel menu's rows, in the current language: "Time of Day", "Heading", "Speed", "Date",
// "From Home", "Main Bat.", "Satellite", "Dst. to Target".
QStringList menuRows();
// The content code of a panel menu row; -1 for a row outside the menu.
int codeForMenuRow(int row);

// The title, value and icon of a code. False for a code that shows nothing (6, or outside
// 0..8): the panel keeps what it shows.
bool build(int code, const StructInfoPanSource& source, StructInfoPan* out);

// A distance with its unit, one decimal, "-.-" when unknown or above 999 m: "12.5 m".
QString distanceText(float metres);

}  // namespace InfoPanContent
