// Arbitrary bytes as each of the handset's INI files, read back through its real reader: the
// first byte chooses the file. No crash, no hang, and what is read stays within what the
// handset itself writes (names of nine characters, at most 5000 course points, settings in
// their ranges).
#include "base/configuration.h"
#include "base/ini_file.h"
#include "data/course_file.h"
#include "data/multi_target_file.h"
#include "data/waypoint_file.h"
#include "navi/compass_calibration.h"
#include "navi/navi_file.h"
#include "platform/platform.h"
#include "platform/versions.h"
#include "sonar/color_table_file.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

QTemporaryDir* g_root = nullptr;

const char* const kFiles[] = {"/opt/waypointarray.kwp", "/opt/waycourse0.kwc",
                              "/opt/multitarget.kmt",   "/opt/configuration.kcg",
                              "/opt/navi.knv",          "/opt/offset.kco",
                              "/opt/korvel/readme.kvc", "/opt/selfcolortable.kct"};
constexpr int kReaders = sizeof kFiles / sizeof kFiles[0];

void check(bool holds) {
    if (!holds) std::abort();
}

void read(int reader, const QString& path) {
    switch (reader) {
        case 0:
            for (const StructWaypoint& w : WaypointFile::read(path, 0, 499).records)
                check(w.name.size() <= StructWaypoint::kNameChars);
            break;
        case 1:
            check(CourseFile::readHeader(path).name.size() <= CourseFile::kNameChars);
            check(CourseFile::readPoints(path).size() <= CourseFile::kMaxPoints);
            break;
        case 2:
            for (const StructMultiTarget& t : MultiTargetFile::read(path)) {
                check(t.name.size() <= StructWaypoint::kNameChars);
                check(t.delay >= 0 && t.delay <= 999);
            }
            break;
        case 3: {
            StructConfiguration cfg{};
            Configuration::applyDefaults(cfg);
            Configuration::load(path, cfg);
            check(Configuration::inRange(cfg));
            break;
        }
        case 4:
            NaviFile::readHome();
            break;
        case 5: {
            StructMegCalibration cal;
            if (CompassCalibration::load(&cal)) {
                for (int i = 0; i < 3; ++i)
                    check(cal.range[i] != 0);
            }
            break;
        }
        case 6:
            check(Global::getCurrent_app().size() <= 32);
            break;
        default:
            ColorTableFile::isUsable(path);
            ColorTableFile::background(path);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
    g_root = new QTemporaryDir;
    Platform::setRoot(g_root->path());
    QDir().mkpath(g_root->path() + "/opt/korvel");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int reader = data[0] % kReaders;
    const QString path = Platform::path(QLatin1String(kFiles[reader]));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    f.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    f.close();
    read(reader, path);
    // The reader itself on the same bytes, without the file.
    IniFile::fromBytes(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1), int(size - 1)));
    QFile::remove(path);
    return 0;
}
