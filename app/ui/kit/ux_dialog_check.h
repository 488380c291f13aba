#pragma once

#include "ui/kit/ux_dialog.h"

#include <QMap>

class QLabel;
class QPushButton;

// The start-up module check: one row per module with the result that link supervision fills
// in. Closes on any key once its button is enabled.
class UxDialogCheck : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogCheck(QWidget* parent = nullptr);

    void showCheck();
    // module: "radio", "sonar", "gps", "compass" or "ap"; other keys are ignored.
    void setLabelText(const QString& module, const QString& text);
    QString labelText(const QString& module) const;
    void setButtonEnable(bool enable);

protected:
    void keyPressed(EnumKey key) override;

private:
    QMap<QString, QLabel*> m_results;
    QMap<QString, QLabel*> m_names;
    QPushButton* m_button = nullptr;
};
