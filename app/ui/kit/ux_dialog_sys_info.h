#pragma once

#include "ui/kit/ux_dialog.h"

#include <QStringList>

class QLabel;

// Version numbers of the handset and the boat's modules, and the radio signal strengths.
class UxDialogSysInfo : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogSysInfo(QWidget* parent = nullptr);

    static constexpr int kVersionRows = 6;

    // versions: monitor, radio, sonar box, GPS, autopilot, platform; each shown after "ver".
    void showSysInfo(const QString& title, const QStringList& versions);
    // Handset and boat signal strength and the frame rate.
    void updateRssi(const QString& handset, const QString& boat, const QString& frames);
    QString valueText(int row) const;  // 0..5 versions, 6 the signal row

protected:
    void keyPressed(EnumKey key) override;

private:
    QList<QLabel*> m_values;
};
