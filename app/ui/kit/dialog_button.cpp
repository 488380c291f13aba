#include "ui/kit/dialog_button.h"

#include "ui/kit/ux_dialog.h"

#include <QPushButton>
#include <QVariant>

namespace DialogButton {

namespace {
const char kFocusProperty[] = "dialogFocus";
}

QPushButton* create(QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedHeight(kHeight);
    QFont font;
    font.setPixelSize(UxDialog::kBodyPixel);
    font.setBold(true);
    button->setFont(font);
    setFocused(button, false);
    return button;
}

void setFocused(QPushButton* button, bool focused) {
    button->setProperty(kFocusProperty, focused);
    button->setStyleSheet(
        focused ? QStringLiteral("QPushButton{color:#000000;background:%1;border:2px solid %1;"
                                 "border-radius:4px;padding:0px 4px;}")
                      .arg(QLatin1String(UxDialog::focusColor()))
                : QStringLiteral("QPushButton{color:#ffffff;background:#1b2c44;border:2px solid "
                                 "#8fa6c4;border-radius:4px;padding:0px 4px;}"));
}

bool isFocused(const QPushButton* button) {
    return button->property(kFocusProperty).toBool();
}

}  // namespace DialogButton
