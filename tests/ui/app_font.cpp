#include "app_font.h"

#include "core/app_setup.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace TestAppFont {

namespace {

const char kFileName[] = "wqy-microhei.ttc";

}  // namespace

QString findFile() {
    // Wherever the font package put it (Debian: truetype/wqy).
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::FontsLocation);
    dirs << QStringLiteral("/usr/share/fonts") << QStringLiteral("/usr/local/share/fonts");
    for (const QString& dir : dirs) {
        QDirIterator it(dir, QStringList{QLatin1String(kFileName)}, QDir::Files,
                        QDirIterator::Subdirectories);
        if (it.hasNext()) return it.next();
    }
    return QString();
}

bool load(QFont* font, QString* why) {
    const QString file = findFile();
    if (file.isEmpty()) {
        *why = QStringLiteral("font file %1 not found (install fonts-wqy-microhei)")
                   .arg(QLatin1String(kFileName));
        return false;
    }
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    const AppSetup::StructResult result = AppSetup::apply(*app, file);
    if (!result.fontLoaded) {
        *why = QStringLiteral("%1 did not load as the application font").arg(file);
        return false;
    }
    *font = QApplication::font();
    return true;
}

}  // namespace TestAppFont
