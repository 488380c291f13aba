#include "core/app_setup.h"

#include "base/log.h"
#include "base/resources.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStyle>
#include <QStyleFactory>
#include <QTextCodec>

namespace AppSetup {

StructResult apply(QApplication& app, const QString& fontFile, const QString& styleSheet) {
    StructResult result;
    korvelInitResources();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));

    const int fontId = QFontDatabase::addApplicationFont(fontFile);
    if (fontId != -1) {
        const QStringList families = QFontDatabase::applicationFontFamilies(fontId);
        if (!families.isEmpty()) {
            QFont font(families.first());
            font.setPixelSize(18);
            QApplication::setFont(font);
            result.fontLoaded = true;
        }
    }
    if (!result.fontLoaded) qCInfo(lcCore) << "no application font" << fontFile << "- default kept";

    QStyle* style = QStyleFactory::create(QStringLiteral("Cleanlooks"));
    if (style == nullptr) style = QStyleFactory::create(QStringLiteral("Fusion"));
    if (style != nullptr) {
        QApplication::setStyle(style);
        result.styleName = style->objectName();
    }

    QFile qss(styleSheet);
    if (qss.open(QIODevice::ReadOnly)) {
        const QString text = QString::fromUtf8(qss.readAll());
        if (!text.isEmpty()) {
            app.setStyleSheet(text);
            result.styleSheetSet = true;
        }
    }
    return result;
}

}  // namespace AppSetup
