#include "ui/kit/ux_dialog_question.h"

#include "base/tr_resource.h"
#include "platform/handset_board.h"
#include "ui/kit/dialog_button.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

UxDialogQuestion::UxDialogQuestion(QWidget* parent) : UxDialog(parent) {
    setMinimumHeight(135);
    m_text = newBodyLabel(Qt::AlignCenter);
    body()->addWidget(m_text, 1);
    auto* row = new QHBoxLayout();
    row->setSpacing(12);
    m_left = DialogButton::create(this);
    m_right = DialogButton::create(this);
    row->addWidget(m_left);
    row->addWidget(m_right);
    body()->addLayout(row);
}

QString UxDialogQuestion::text() const {
    return m_text->text();
}

void UxDialogQuestion::showQuestion(const QString& title, const QString& text,
                                    const QString& leftText, const QString& rightText,
                                    const QString& type) {
    setTitleBar(QString(), title);
    m_text->setText(text);
    m_left->setText(leftText);
    m_right->setText(rightText);
    m_type = type;
    setRightFocus(true);
    Global::beeperOn(QStringLiteral("message"));
    showAndFocus();
}

void UxDialogQuestion::setRightFocus(bool right) {
    m_rightFocus = right;
    DialogButton::setFocused(m_left, !right);
    DialogButton::setFocused(m_right, right);
}

void UxDialogQuestion::answer(bool right) {
    // Hidden first: the answer may open the next question at once.
    hide();
    emit signal_buttonClick(m_type, right ? QStringLiteral("right") : QStringLiteral("left"));
}

void UxDialogQuestion::keyPressed(EnumKey key) {
    if (key == EnumKey::Left || key == EnumKey::Right) {
        setRightFocus(!m_rightFocus);
    } else if (key == EnumKey::Enter) {
        answer(m_rightFocus);
    } else if (key == EnumKey::Autopilot) {
        // The autopilot key confirms a "Go" or a "Stop Autopilot" question directly.
        if (m_rightFocus && TrResource::isTextOfAnyLanguage(TR_Go, m_right->text())) {
            answer(true);
        } else if (!m_rightFocus &&
                   TrResource::isTextOfAnyLanguage(TR_StopAutopilot, titleText())) {
            answer(false);
        }
    } else if (isEscapeOrMenu(key)) {
        // The waypoint question must be answered.
        if (!TrResource::isTextOfAnyLanguage(TR_Waypoint, titleText())) hide();
    }
}
