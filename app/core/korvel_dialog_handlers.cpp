#include "core/base/log.h"
#include "core/base/tr_resource.h"
#include "core/korvel.h"
#include "link/spi_device.h"
#include "link/ux_data.h"
#include "platform/handset_board.h"
#include "platform/platform.h"
#include "platform/versions.h"
#include "ui/ux_dialog_count_down.h"
#include "ui/ux_dialog_debug_window.h"
#include "ui/ux_dialog_feedback.h"
#include "ui/ux_dialog_question.h"
#include "ui/ux_dialog_sys_info.h"

#include <QFile>
#include <QRegularExpression>

void Korvel::slot_question_confirm(QString type, QString key) {
    dialog_question_click(type, key);
}

void Korvel::slot_progress_keyClick(QString type, QString key) {
    dialog_progress_click(type, key);
}

void Korvel::slot_feedback_todo(QString type) {
    dialog_feedback_todo(type);
}

void Korvel::slot_feedback_success(QString type) {
    dialog_feedback_success(type);
}

void Korvel::slot_feedback_fail(QString type) {
    dialog_feedback_fail(type);
}

void Korvel::slot_file_getName(QString type, QString fileName) {
    dialog_file_nameGet(type, fileName);
}

void Korvel::slot_debugWindow_receiveSth(QString text) {
    if (m_dialogDebugWindow) m_dialogDebugWindow->appendText(text);
}

void Korvel::slot_debugWindow_sendTestCmd() {
    const QString command = m_dialogDebugWindow->currentCommand();
    if (command.isEmpty()) return;
    m_data->sendCmd_ap(command);
    m_dialogDebugWindow->appendText(command);
    qCInfo(lcCore).noquote() << '"' + command + '"';
}

void Korvel::slot_countDown_timeOver() {
    // The next leg of a go-back or multi-target run starts here once navigation has them;
    // until then the wait simply ends.
    m_dialogCountDown->hide();
}

void Korvel::dialog_showAlarm(const QString& type, int messageText) {
    m_uxDialogQuestion->showQuestion(
        TrResource::getTrString(TR_Alarm), TrResource::getTrString(EnumTrString(messageText)),
        TrResource::getTrString(TR_Ignore), TrResource::getTrString(TR_Ok), type);
}

void Korvel::dialog_question_click(const QString& type, const QString& key) {
    if (key != QLatin1String("left")) return;  // every "right" answer so far means "no"
    if (type == QLatin1String("shallow")) {
        flag_ignoreShallow = true;
    } else if (type == QLatin1String("vtg")) {
        flag_ignoreVtg = true;
    } else if (type == QLatin1String("boatVtg")) {
        flag_ignoreBoatVtg = true;
    } else if (type == QLatin1String("reset")) {
        system_useDefaultSetting();
        system_saveConfiguration();
    }
}

void Korvel::dialog_progress_click(const QString& type, const QString& key) {
    // Only the radio binding can be cancelled; it arrives with link supervision.
    Q_UNUSED(type);
    Q_UNUSED(key);
}

void Korvel::dialog_feedback_todo(const QString& type) {
    if (type == QLatin1String("sonar_cali")) m_data->sendCmd_boatCompassCali();
    if (type == QLatin1String("sonar_cfg")) link_sonar_send_cfg(QStringLiteral("repeat"));
}

void Korvel::dialog_feedback_success(const QString& type) {
    if (type == QLatin1String("test")) m_dialogFeedBack->setText(type + QStringLiteral(" success"));
}

void Korvel::dialog_feedback_fail(const QString& type) {
    if (type == QLatin1String("test")) {
        m_dialogFeedBack->setText(type + QStringLiteral(" fail"));
        return;
    }
    if (type == QLatin1String("ap_stop") || type.startsWith(QLatin1String("ap_go"))) {
        m_dialogFeedBack->setText(TrResource::getTrString(TR_ConnectionFailed));
    }
    if (type == QLatin1String("ap_goMultiTarget")) {
        // The later legs wait silently; a failure must still be seen.
        m_dialogFeedBack->show();
        m_dialogFeedBack->fitHeight();
        Global::beeperOn(QStringLiteral("message"));
    }
}

void Korvel::dialog_file_nameGet(const QString& type, const QString& fileName) {
    if (fileName.isEmpty()) return;  // cancelled
    if (type == QLatin1String("kvlw")) m_data->loadPlayList(fileName);
}

namespace {
QString versionText(unsigned value, int divisor, const char* none) {
    if (value == 0) return QLatin1String(none);
    return QString::number(double(value) / divisor, 'f', divisor == 100 ? 2 : 1);
}
}  // namespace

void Korvel::dialog_sysinfo_show() {
    const QStringList versions = {Global::getCurrent_app(),
                                  versionText(SpiDevice::currentInfo_radio.ver.load(), 10, " - "),
                                  versionText(SpiDevice::currentInfo_sys.app.load(), 100, "-.-"),
                                  versionText(SpiDevice::currentInfo_sys.GPS.load(), 100, "-.-"),
                                  versionText(SpiDevice::currentInfo_sys.helmo.load(), 100, "-.-"),
                                  Global::getCurrent_kernel()};
    m_dialogSysInfo->showSysInfo(TrResource::getTrString(TR_SystemInfo), versions);
    m_dialogSysInfo->updateRssi(QString::number(SpiDevice::currentInfo_radio.myRssi.load()),
                                QString::number(SpiDevice::currentInfo_radio.hisRssi.load()),
                                QString::number(SpiDevice::avePkgCnt.load()));
}

void Korvel::dialog_debugWindow_loadCmdString() {
    QFile file(Platform::path(QStringLiteral("/mnt/sd/cmd.txt")));
    QStringList commands;
    if (file.open(QIODevice::ReadOnly)) {
        commands = QString::fromUtf8(file.readAll())
                       .split(QRegularExpression(QStringLiteral("[\\r\\n]+")), Qt::SkipEmptyParts);
    }
    m_dialogDebugWindow->setCommands(commands);
}
