#pragma once

#include <QString>

class QApplication;

// The application-wide set-up that main does before the controller exists: UTF-8 as the
// locale codec, the application font from "Regular.otf" in the working directory (pixel size
// 18), the "Cleanlooks" style (Fusion where the style plugin is missing) and the style sheet.
namespace AppSetup {

struct StructResult {
    bool fontLoaded = false;
    bool styleSheetSet = false;
    QString styleName;
};

StructResult apply(QApplication& app, const QString& fontFile = QStringLiteral("Regular.otf"),
                   const QString& styleSheet = QStringLiteral(":/qss/kqs.qss"));

}  // namespace AppSetup
