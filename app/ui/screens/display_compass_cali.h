#pragma once

#include <QObject>

class HandsetCompass;
class QTimer;
class UxDialogCali;

// The handset compass's calibration as the user sees it: the calibration dialog (kind "dsp")
// with the axes' range so far and the samples taken, followed on a timer while the compass
// calibrates on its own thread. Escape cancels it, which keeps the calibration in use; at the
// end the button closes the dialog.
class DisplayCompassCali : public QObject {
    Q_OBJECT
public:
    static constexpr int kFollowMs = 100;

    DisplayCompassCali(UxDialogCali* dialog, QObject* parent = nullptr);

    // Opens the dialog and starts the compass's calibration.
    void start(HandsetCompass* compass);
    bool running() const;
    // One look at the calibration (the timer's step).
    void follow();

private:
    void keyClick(const QString& key);

    UxDialogCali* m_dialog;
    QTimer* m_timer;
    HandsetCompass* m_compass = nullptr;
};
