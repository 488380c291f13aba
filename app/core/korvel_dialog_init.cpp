#include "core/korvel.h"
#include "ui/ux_dialog_cali.h"
#include "ui/ux_dialog_check.h"
#include "ui/ux_dialog_count_down.h"
#include "ui/ux_dialog_debug_window.h"
#include "ui/ux_dialog_feedback.h"
#include "ui/ux_dialog_file.h"
#include "ui/ux_dialog_hint.h"
#include "ui/ux_dialog_power_off.h"
#include "ui/ux_dialog_progress.h"
#include "ui/ux_dialog_question.h"
#include "ui/ux_dialog_sys_info.h"
#include "ui/ux_dialog_test.h"

// Every dialog exists once, from start to end, hidden until its show method is called. Each
// is registered as modal so that the main screen dims while it is up.
void Korvel::dialog_init() {
    auto place = [this](auto* dialog, int x, int y) {
        dialog->move(x, y);
        dialog->hide();
        system_registerModal(dialog);
        return dialog;
    };
    m_dialogHint = place(new UxDialogHint(), 10, 180);
    m_uxDialogQuestion = place(new UxDialogQuestion(), 10, 180);
    m_dialogProgress = place(new UxDialogProgress(), 10, 180);
    m_dialogCali = place(new UxDialogCali(), 5, 180);
    m_dialogTest = place(new UxDialogTest(), 2, 120);
    m_dialogFile = place(new UxDialogFile(), 20, 120);
    m_dialogFeedBack = place(new UxDialogFeedBack(), 10, 180);
    m_dialogPowerOff = place(new UxDialogPowerOff(), 10, 180);
    m_dialogSysInfo = place(new UxDialogSysInfo(), 10, 150);
    m_uxDialogCheck = place(new UxDialogCheck(), 5, 180);
    m_dialogCountDown = place(new UxDialogCountDown(), 10, 180);
    m_dialogDebugWindow = place(new UxDialogDebugWindow(), 10, 0);
    m_dialogQuestion = m_uxDialogQuestion;
    m_dialogCheck = m_uxDialogCheck;

    m_dialogFile->setCardCheck([this] { return system_haveMountSD(); });

    connect(m_uxDialogQuestion, &UxDialogQuestion::signal_buttonClick, this,
            &Korvel::slot_question_confirm);
    connect(m_dialogProgress, &UxDialogProgress::signal_keyClick, this,
            &Korvel::slot_progress_keyClick);
    connect(m_dialogFile, &UxDialogFile::signal_fileNameGet, this, &Korvel::slot_file_getName);
    connect(m_dialogFeedBack, &UxDialogFeedBack::signal_todo, this, &Korvel::slot_feedback_todo);
    connect(m_dialogFeedBack, &UxDialogFeedBack::signal_success, this,
            &Korvel::slot_feedback_success);
    connect(m_dialogFeedBack, &UxDialogFeedBack::signal_fail, this, &Korvel::slot_feedback_fail);
    connect(m_dialogPowerOff, &UxDialogPowerOff::signal_powerOff, this,
            &Korvel::slot_system_powerOff);
    connect(m_dialogCountDown, &UxDialogCountDown::signal_timeOver, this,
            &Korvel::slot_countDown_timeOver);
    connect(m_dialogDebugWindow, &UxDialogDebugWindow::signal_DialogButtonClick, this,
            &Korvel::slot_debugWindow_sendTestCmd);
}
