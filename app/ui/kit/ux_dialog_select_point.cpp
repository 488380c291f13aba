#include "ui/kit/ux_dialog_select_point.h"

#include "base/tr_resource.h"

#include <QLabel>
#include <QVBoxLayout>

UxDialogSelectPoint::UxDialogSelectPoint(QWidget* parent) : UxDialog(parent) {
    m_text = newBodyLabel();
    body()->addWidget(m_text);
}

void UxDialogSelectPoint::select_show(const QString& longitude, const QString& latitude,
                                      const QString& distance) {
    setTitleBar(QString(), TrResource::getTrString(TR_Cursor));
    setTexts(longitude, latitude, distance);
    showAndFocus();
}

void UxDialogSelectPoint::setTexts(const QString& longitude, const QString& latitude,
                                   const QString& distance) {
    m_text->setText(QStringLiteral("%1\n%2\n%3: %4")
                        .arg(latitude, longitude, TrResource::getTrString(TR_DstToBoat), distance));
    fitHeight();
}

QString UxDialogSelectPoint::text() const {
    return m_text->text();
}

void UxDialogSelectPoint::keyPressed(EnumKey key) {
    switch (key) {
        case EnumKey::Up:
        case EnumKey::Down:
        case EnumKey::Left:
        case EnumKey::Right:
            emit signal_keyClick(Keypad::name(key), kStep);
            break;
        case EnumKey::Enter:
        case EnumKey::Autopilot:
            hide();
            emit signal_keyClick(Keypad::name(EnumKey::Enter), kStep);
            break;
        case EnumKey::Escape:
        case EnumKey::Menu:
        case EnumKey::Change:
        case EnumKey::Zoom:
            hide();
            break;
        case EnumKey::None:
            break;
    }
}
