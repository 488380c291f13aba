#include "ui/kit/ux_dialog_test.h"

#include "base/tr_resource.h"
#include "ui/kit/dialog_button.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

UxDialogTest::UxDialogTest(QWidget* parent) : UxDialog(parent) {
    m_text = newBodyLabel(Qt::AlignCenter);
    body()->addWidget(m_text);
    auto* grid = new QGridLayout();
    QFont big;
    big.setPixelSize(30);
    big.setBold(true);
    const char* const names[] = {"dsp", "boat"};
    for (int i = 0; i < 2; ++i) {
        QLabel* name = newBodyLabel(Qt::AlignCenter);
        name->setText(QLatin1String(names[i]));
        QLabel* value = newBodyLabel(Qt::AlignCenter);
        value->setFont(big);
        value->setWordWrap(false);
        value->setText(QStringLiteral("---°"));
        grid->addWidget(name, 0, i);
        grid->addWidget(value, 1, i);
        (i == 0 ? m_dsp : m_boat) = value;
    }
    body()->addLayout(grid);
    m_button = DialogButton::create(this);
    m_button->setMinimumWidth(110);
    DialogButton::setFocused(m_button, true);
    body()->addWidget(m_button, 0, Qt::AlignHCenter);
}

void UxDialogTest::showTest() {
    setTitleBar(QString(), TrResource::getTrString(TR_CompassTest));
    m_text->setText(TrResource::getTrString(TR_RotateCompass));
    m_button->setText(TrResource::getTrString(TR_Exit));
    showAndFocus();
}

void UxDialogTest::setAngle(const QString& which, int degrees) {
    QLabel* label = which == QLatin1String("dsp")    ? m_dsp
                    : which == QLatin1String("boat") ? m_boat
                                                     : nullptr;
    if (label) label->setText(QString::number(degrees) + QStringLiteral("°"));
}

QString UxDialogTest::angleText(const QString& which) const {
    if (which == QLatin1String("dsp")) return m_dsp->text();
    if (which == QLatin1String("boat")) return m_boat->text();
    return QString();
}

void UxDialogTest::keyPressed(EnumKey key) {
    if (key == EnumKey::Enter || isEscapeOrMenu(key)) {
        hide();
        emit signal_keyClick(key == EnumKey::Enter ? QStringLiteral("enter")
                                                   : QStringLiteral("esc"));
    } else if (key == EnumKey::Change) {
        emit signal_keyClick(QStringLiteral("change"));
    }
}
