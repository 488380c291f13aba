#include "ui/kit/dialog_host.h"

#include "base/tr_resource.h"
#include "link/link_state.h"
#include "link/module_versions.h"
#include "platform/versions.h"
#include "ui/kit/modal_watch.h"
#include "ui/kit/ux_dialog_cali.h"
#include "ui/kit/ux_dialog_check.h"
#include "ui/kit/ux_dialog_count_down.h"
#include "ui/kit/ux_dialog_debug_window.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_file.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/kit/ux_dialog_power_off.h"
#include "ui/kit/ux_dialog_progress.h"
#include "ui/kit/ux_dialog_question.h"
#include "ui/kit/ux_dialog_select_point.h"
#include "ui/kit/ux_dialog_sys_info.h"
#include "ui/kit/ux_dialog_test.h"

DialogHost::DialogHost(ModalWatch& modals) {
    auto place = [&modals](auto* dialog, int x, int y) {
        dialog->move(x, y);
        dialog->hide();
        modals.add(dialog);
        return dialog;
    };
    m_hint = place(new UxDialogHint(), 10, 180);
    m_question = place(new UxDialogQuestion(), 10, 180);
    m_progress = place(new UxDialogProgress(), 10, 180);
    m_cali = place(new UxDialogCali(), 5, 180);
    m_test = place(new UxDialogTest(), 2, 120);
    m_file = place(new UxDialogFile(), 20, 120);
    m_feedBack = place(new UxDialogFeedBack(), 10, 180);
    m_powerOff = place(new UxDialogPowerOff(), 10, 180);
    m_sysInfo = place(new UxDialogSysInfo(), 10, 150);
    m_check = place(new UxDialogCheck(), 5, 180);
    m_countDown = place(new UxDialogCountDown(), 10, 180);
    // Over the echogram, clear of the map below it, and not dimming the screen: the user
    // watches the cursor move on the map while it is up.
    m_selectPoint = new UxDialogSelectPoint();
    m_selectPoint->move(10, 20);
    m_selectPoint->hide();
    m_debugWindow = place(new UxDialogDebugWindow(), 10, 0);
}

void DialogHost::doTimer() {
    m_hint->do_timer();
    m_feedBack->do_timer();
    m_powerOff->do_timer();
}

void DialogHost::showAlarm(const QString& type, int messageText) {
    m_question->showQuestion(
        TrResource::getTrString(TR_Alarm), TrResource::getTrString(EnumTrString(messageText)),
        TrResource::getTrString(TR_Ignore), TrResource::getTrString(TR_Ok), type);
}

void DialogHost::askStopAutopilot() {
    const QString stop = TrResource::getTrString(TR_StopAutopilot);
    m_question->showQuestion(stop, stop + QLatin1Char('?'), TrResource::getTrString(TR_Yes),
                             TrResource::getTrString(TR_No), QStringLiteral("stop"));
}

void DialogHost::showSaveFailed() {
    m_hint->showHint(QStringLiteral("104"), TrResource::getTrString(TR_Error),
                     TrResource::getTrString(TR_SaveFileFailed), false, true);
}

void DialogHost::showReadFailed(const QString& code) {
    m_hint->showHint(code, TrResource::getTrString(TR_Error),
                     TrResource::getTrString(TR_ReadFileFailed), false, true);
}

void DialogHost::showNoUsablePoints() {
    m_hint->showHint(QString(), TrResource::getTrString(TR_Error),
                     TrResource::getTrString(TR_NoUsablePoints), false, true);
}

void DialogHost::showSameVersion() {
    m_hint->showHint(QString(), TrResource::getTrString(TR_Message),
                     TrResource::getTrString(TR_SameVersion), false, true);
}

void DialogHost::showReadOk() {
    m_hint->showHint(QString(), TrResource::getTrString(TR_Message),
                     TrResource::getTrString(TR_ReadFileOk), true, false);
}

void DialogHost::showPowerOffFailed() {
    m_hint->showHint(QString(), TrResource::getTrString(TR_Error),
                     TrResource::getTrString(TR_PowerOff) + QStringLiteral(": ") +
                         TrResource::getTrString(TR_Fail),
                     false, true);
}

void DialogHost::showInvalidItem(const QString& code) {
    m_hint->showHint(QString(), QStringLiteral("Invalid Item"), QStringLiteral("Code: ") + code,
                     false, true);
}

void DialogHost::showSysInfo(const QStringList& versions, int myRssi, int hisRssi,
                             int framesPerWindow) {
    m_sysInfo->showSysInfo(TrResource::getTrString(TR_SystemInfo), versions);
    m_sysInfo->updateRssi(QString::number(myRssi), QString::number(hisRssi),
                          QString::number(framesPerWindow));
}

void DialogHost::showSysInfo(const StructLinkSnapshot& link) {
    showSysInfo(QStringList{Global::getCurrent_app()} + ModuleVersions::texts(link) +
                    QStringList{Global::getCurrent_kernel()},
                link.myRssi, link.hisRssi, link.framesPerWindow);
}

void DialogHost::receiveFiles(const QString& tag, const FileReceiver& receiver) {
    m_fileReceivers.insert(tag, receiver);
}

bool DialogHost::fileChosen(const QString& tag, const QString& file) const {
    const FileReceiver receiver = m_fileReceivers.value(tag);
    if (receiver) receiver(file);
    return bool(receiver);
}
