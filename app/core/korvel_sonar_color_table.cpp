#include "core/base/global.h"
#include "core/base/tr_resource.h"
#include "core/korvel.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "sonar/color_table_file.h"
#include "sonar/ux_sonar.h"
#include "ui/ux_dialog_hint.h"

namespace {
constexpr int kUserScheme = 2;
}

void Korvel::sonar_getFile_kct(const QString& path) {
    const QString copy = QString::fromLatin1(UxSonar::kUserColorFile);
    // The name comes from the SD card: it is passed as one argument, never pasted into a
    // shell command.
    if (Global::my_system_args(QStringLiteral("cp"), {path, copy}) != 0) {
        if (m_dialogHint)
            m_dialogHint->showHint(QStringLiteral("101"), TrResource::getTrString(TR_Error),
                                   TrResource::getTrString(TR_ReadFileFailed), false, true);
        return;
    }
    // 3 keeps the current background; so does a value that names no background at all.
    const int background = ColorTableFile::background(Platform::path(copy));
    if (background >= 0 && background <= 2) Global::configuration.backgroundColor = background;
    if (m_sonar) m_sonar->loadUserColor();
    Global::configuration.colorScheme = kUserScheme;
    sonar_imageRefresh();
    if (m_dialogHint)
        m_dialogHint->showHint(QString(), TrResource::getTrString(TR_Message),
                               TrResource::getTrString(TR_ReadFileOk), true, false);
}
