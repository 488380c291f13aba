#pragma once

#include "ui/kit/ux_dialog.h"

class QLabel;

// A message with a three-digit code and a title. Any key closes it; with auto-close it also
// closes itself after 31 main ticks (about 3.9 s).
class UxDialogHint : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogHint(QWidget* parent = nullptr);

    static constexpr int kAutoCloseTicks = 31;
    static constexpr int kMinHeight = 135;

    void showHint(const QString& code, const QString& title, const QString& text, bool autoClose,
                  bool beep);
    // Adds a line to what is shown (or sets it when nothing is shown) and shows the dialog.
    void appendHint(const QString& code, const QString& text, bool beep);
    QString text() const;
    void do_timer();

protected:
    void keyPressed(EnumKey key) override;

private:
    void close();

    QLabel* m_text = nullptr;
    bool m_autoClose = false;
    int m_ticks = 0;
};
