#pragma once

// The navigation state file "/opt/navi.knv" (INI): the last home position in the ddS32
// encoding under "home_lon_d" and "home_lat_d". A missing file or key reads as 0.
struct StructHomePosition {
    int lon = 0;
    int lat = 0;
    bool isSet() const { return lon != 0 && lat != 0; }
};

namespace NaviFile {

constexpr const char* kPath = "/opt/navi.knv";

StructHomePosition readHome();
// False when the file could not be written; the old one is then left as it was.
bool writeHome(const StructHomePosition& home);

}  // namespace NaviFile
