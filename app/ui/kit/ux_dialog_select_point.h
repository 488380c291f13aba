#pragma once

#include "ui/kit/ux_dialog.h"

class QLabel;

// The map cursor's read-out: its position and distance from the boat. Arrows move the cursor
// (signalled to the map with a step of 2), enter or the autopilot key confirms it.
class UxDialogSelectPoint : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogSelectPoint(QWidget* parent = nullptr);

    static constexpr int kStep = 2;

    void select_show(const QString& longitude, const QString& latitude, const QString& distance);
    void setTexts(const QString& longitude, const QString& latitude, const QString& distance);
    QString text() const;

signals:
    void signal_keyClick(QString key, int step);
    void signal_UseSelectPoint();

protected:
    void keyPressed(EnumKey key) override;

private:
    QLabel* m_text = nullptr;
};
