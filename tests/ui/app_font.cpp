#include "app_font.h"

#include "core/app_setup.h"

#include <QApplication>
#include <QDirIterator>
#include <QStandardPaths>

bool TestAppFont::load(QFont* font, QString* why) {
    // Wherever the font package put it (Debian: truetype/wqy).
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::FontsLocation);
    dirs << QStringLiteral("/usr/share/fonts") << QStringLiteral("/usr/local/share/fonts");
    QString file;
    for (const QString& dir : dirs) {
        QDirIterator it(dir, {QStringLiteral("wqy-microhei.ttc")}, QDir::Files,
                        QDirIterator::Subdirectories);
        if (file.isEmpty() && it.hasNext()) file = it.next();
    }
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (file.isEmpty() || !AppSetup::apply(*app, file).fontLoaded) {
        *why = file.isEmpty()
                   ? QStringLiteral("wqy-microhei.ttc not found (install fonts-wqy-microhei)")
                   : file + QStringLiteral(" did not load as the application font");
        return false;
    }
    *font = QApplication::font();
    return true;
}
