#include "link/module_versions.h"

namespace {
QString versionText(unsigned value, int divisor, const char* none) {
    if (value == 0) return QLatin1String(none);
    return QString::number(double(value) / divisor, 'f', divisor == 100 ? 2 : 1);
}
}  // namespace

namespace ModuleVersions {

QStringList texts(const StructLinkSnapshot& s) {
    return {versionText(s.radioVersion, 10, " - "), versionText(s.sysApp, 100, "-.-"),
            versionText(s.sysGps, 100, "-.-"), versionText(s.sysHelmo, 100, "-.-")};
}

}  // namespace ModuleVersions
