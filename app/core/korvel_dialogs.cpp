#include "core/korvel.h"

#include "base/dialog_kind.h"
#include "base/keypad.h"
#include "base/log.h"
#include "data/debug_commands.h"
#include "data/recorder.h"
#include "link/radio_bind.h"
#include "link/ux_data.h"
#include "platform/platform.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/dialog_prompter.h"
#include "ui/kit/ux_dialog_debug_window.h"
#include "ui/kit/ux_dialog_file.h"
#include "ui/kit/ux_dialog_power_off.h"
#include "ui/kit/ux_dialog_progress.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/display_compass_cali.h"

// --- Building -----------------------------------------------------------------------------------

// Every dialog exists once, from start to end. Questions and acknowledgement waits answer
// through the prompter; the progress, file, power-off and debug dialogs through the slots.
void Korvel::dialog_init() {
    m_prompter = std::make_unique<DialogPrompter>(*m_dialogs);
    m_navi->setSelectDialog(m_dialogs->selectPoint());
    m_dialogs->file()->setCardCheck([this] { return system_haveMountSD(); });
    m_compassCali = new DisplayCompassCali(m_dialogs->cali(), this);

    connect(m_dialogs->progress(), &UxDialogProgress::signal_keyClick, this,
            &Korvel::slot_progress_keyClick);
    connect(m_dialogs->file(), &UxDialogFile::signal_fileNameGet, this, &Korvel::slot_file_getName);
    connect(m_dialogs->powerOff(), &UxDialogPowerOff::signal_powerOff, this,
            &Korvel::slot_system_powerOff);
    connect(m_dialogs->debugWindow(), &UxDialogDebugWindow::signal_DialogButtonClick, this,
            &Korvel::slot_debugWindow_sendTestCmd);

    // The recorder's files and the replay mode's file choice.
    connect(m_recorder, &Recorder::signal_saveFailed, this,
            [this] { m_dialogs->showSaveFailed(); });
    connect(m_recorder, &Recorder::signal_chooseReplayFile, this,
            [this](const QString& folder, const QString& pattern) {
                m_dialogs->file()->showFile(folder, pattern, QStringLiteral("kvlw"));
            });
    connect(m_recorder, &Recorder::signal_replayEnded, this, &Korvel::history_closeLog);
    history_init();
    m_dialogs->receiveFiles(QStringLiteral("kct"),
                            [this](const QString& file) { sonar_getFile_kct(file); });
    m_dialogs->receiveFiles(QStringLiteral("rdup"),
                            [this](const QString& file) { link_getFile_rdup(file); });
    navi_initState();
    depthMap_init();
    link_initWatch();
    menu_initBoatCali();
    safety_init();
}

Prompter& Korvel::prompter() const {
    return *m_prompter;
}

// --- Answers ------------------------------------------------------------------------------------

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
    m_dialogs->debugWindow()->appendText(text);
}

void Korvel::slot_debugWindow_sendTestCmd() {
    UxDialogDebugWindow* window = m_dialogs->debugWindow();
    const QString command = window->currentCommand();
    if (command.isEmpty()) return;
    m_data->sendCmd_ap(command);
    window->appendText(command);
    qCInfo(lcCore).noquote() << '"' + command + '"';
}

// The dialogs' answers go to the prompter, which runs the asker's callback.
void Korvel::dialog_question_click(const QString& type, const QString& key) {
    m_prompter->questionAnswered(type, key);
}

// Only the radio binding can be cancelled, with escape.
void Korvel::dialog_progress_click(const QString& type, const QString& key) {
    const bool escape = Keypad::keysOf(key) == QVector<EnumKey>{EnumKey::Escape};
    if (escape && DialogKind::fromText(type) == EnumDialogKind::RadioBind) m_bind->cancel();
}

void Korvel::dialog_feedback_todo(const QString& type) {
    m_prompter->ackReported(type, DialogPrompter::EnumAckReport::Resend);
}

void Korvel::dialog_feedback_success(const QString& type) {
    m_prompter->ackReported(type, DialogPrompter::EnumAckReport::Success);
}

void Korvel::dialog_feedback_fail(const QString& type) {
    m_prompter->ackReported(type, DialogPrompter::EnumAckReport::Failure);
}

// A wait for the boat's word on a command, re-sent while the word has not come.
void Korvel::dialog_awaitAck(EnumDialogKind kind, const std::atomic<uint8_t>& flag,
                             std::function<void()> resend) {
    StructAckWait wait;
    wait.kind = kind;
    wait.flag = &flag;
    wait.resend = std::move(resend);
    prompter().awaitAck(wait);
}

void Korvel::dialog_ignoreAlarm(EnumDialogKind kind) {
    m_flags.ignore(kind);
}

// The chosen file goes to the part that opened the chooser with its tag.
void Korvel::dialog_file_nameGet(const QString& type, const QString& fileName) {
    if (!fileName.isEmpty() && !m_dialogs->fileChosen(type, fileName))
        qCWarning(lcCore) << "no receiver for files tagged" << type;
}

void Korvel::dialog_sysinfo_show() {
    m_dialogs->showSysInfo(m_data->linkState().snapshot());
}

void Korvel::dialog_debugWindow_loadCmdString() {
    m_dialogs->debugWindow()->setCommands(
        DebugCommands::read(Platform::path(QStringLiteral("/mnt/sd/cmd.txt"))));
}
