#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

class ModalWatch;
struct StructLinkSnapshot;
class UxDialogCali;
class UxDialogCheck;
class UxDialogCountDown;
class UxDialogDebugWindow;
class UxDialogFeedBack;
class UxDialogFile;
class UxDialogHint;
class UxDialogPowerOff;
class UxDialogProgress;
class UxDialogQuestion;
class UxDialogSelectPoint;
class UxDialogSysInfo;
class UxDialogTest;

// Every dialog of the handset, made once at start-up, hidden at its fixed place until shown,
// and registered with the modal watch so the main screen dims while one is up. Also the
// messages that several parts of the program show the same way.
class DialogHost {
public:
    explicit DialogHost(ModalWatch& modals);

    UxDialogHint* hint() const { return m_hint; }
    UxDialogQuestion* question() const { return m_question; }
    UxDialogProgress* progress() const { return m_progress; }
    UxDialogFeedBack* feedBack() const { return m_feedBack; }
    UxDialogFile* file() const { return m_file; }
    UxDialogPowerOff* powerOff() const { return m_powerOff; }
    UxDialogCountDown* countDown() const { return m_countDown; }
    UxDialogSelectPoint* selectPoint() const { return m_selectPoint; }
    UxDialogCheck* check() const { return m_check; }
    UxDialogCali* cali() const { return m_cali; }
    UxDialogTest* test() const { return m_test; }
    UxDialogSysInfo* sysInfo() const { return m_sysInfo; }
    UxDialogDebugWindow* debugWindow() const { return m_debugWindow; }

    // The periodic work of the dialogs that animate or close themselves, in the tick's order.
    void doTimer();

    // An alarm of the periodic check: "Alarm", its message, "Ignore" and "OK".
    void showAlarm(const QString& type, int messageText);
    // "Stop Autopilot?" with "YES" and "NO"; the answer comes with type "stop".
    void askStopAutopilot();
    // "104" "Error" "Failed to save file".
    void showSaveFailed();
    // code (by default "101") "Error" "Failed to read file".
    void showReadFailed(const QString& code = QStringLiteral("101"));
    // "Error" "The file holds no usable points." (a KML file read, nothing in it to use).
    void showNoUsablePoints();
    // "Message" "The version of the file selected is same as current R-Boxes's version."
    void showSameVersion();
    // "Message" "Read file successfully", closing by itself.
    void showReadOk();
    // "Error" "Power Off: Fail": the handset could not switch itself off.
    void showPowerOffFailed();
    // "Invalid Item" "Code: " and the screen code: a choice that leads nowhere. The hint
    // closes on any key, so a keypad without an OK key is never caught in it.
    void showInvalidItem(const QString& code);
    // The versions (application, radio, sonar, GPS, autopilot, kernel) and the signal row.
    void showSysInfo(const QStringList& versions, int myRssi, int hisRssi, int framesPerWindow);
    // The same from the link's snapshot, with this program's and the kernel's versions.
    void showSysInfo(const StructLinkSnapshot& link);

    // The file chooser's answers go to the receiver of the tag it was opened with (each part
    // that opens the chooser adds its own).
    using FileReceiver = std::function<void(const QString& file)>;
    void receiveFiles(const QString& tag, const FileReceiver& receiver);
    // False when no part receives that tag (the choice is dropped).
    bool fileChosen(const QString& tag, const QString& file) const;

private:
    UxDialogHint* m_hint = nullptr;
    UxDialogQuestion* m_question = nullptr;
    UxDialogProgress* m_progress = nullptr;
    UxDialogFeedBack* m_feedBack = nullptr;
    UxDialogFile* m_file = nullptr;
    UxDialogPowerOff* m_powerOff = nullptr;
    UxDialogCountDown* m_countDown = nullptr;
    UxDialogSelectPoint* m_selectPoint = nullptr;
    UxDialogCheck* m_check = nullptr;
    UxDialogCali* m_cali = nullptr;
    UxDialogTest* m_test = nullptr;
    UxDialogSysInfo* m_sysInfo = nullptr;
    UxDialogDebugWindow* m_debugWindow = nullptr;
    QHash<QString, FileReceiver> m_fileReceivers;
};
