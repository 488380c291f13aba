#pragma once

#include <QString>

// Where the update program's files are. On the handset the root is "/"; on a development
// machine or in a test every absolute path lands under a root directory of its own, so an
// install never touches the machine's own /opt.
namespace BootPaths {

constexpr const char* kUpdateDir = "/mnt/sd/Korvel/Update/";
constexpr const char* kNoRename = "/mnt/sd/Korvel/Update/norename.txt";
constexpr const char* kForceUpdate = "/mnt/sd/Korvel/Update/forceupdate.txt";
constexpr const char* kBundle = "/mnt/sd/Korvel/Update/Korvel.kbf";
constexpr const char* kBundleSaved = "/mnt/sd/Korvel/Update/Korvel.kbf.bk";
constexpr const char* kUsedPackage = "/mnt/sd/Korvel/Update/backup.kub";
constexpr const char* kAppDir = "/opt/korvel";
constexpr const char* kCurrentRecord = "/opt/korvel/readme.kvc";
constexpr const char* kConfiguration = "/opt/configuration.kcg";
constexpr const char* kBeeper = "/sys/class/leds/beep/brightness";
// Extracted from the chosen package into the working directory.
constexpr const char* kNewRecord = "readme.kvc";

// The root without a trailing slash ("" for the real file system).
QString root();
// --root, KORVEL_ROOT and tests; "" or "/" means the real file system.
void setRoot(const QString& dir);
// The one mapping of an absolute path under the root; a relative path stays as it is.
QString path(const QString& absolute);
bool exists(const QString& absolute);

}  // namespace BootPaths
