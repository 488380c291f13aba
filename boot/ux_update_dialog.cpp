#include "ux_update_dialog.h"

#include "tr_resource.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

QLabel* caption(EnumText text, QWidget* parent) {
    return new QLabel(TrResource::getTrString(text) + QLatin1Char(':'), parent);
}

}  // namespace

UxUpdateDialog::UxUpdateDialog(QWidget* parent)
    : QWidget(parent),
      m_current(new QLabel(this)),
      m_offered(new QLabel(this)),
      m_status(new QLabel(this)),
      m_progress(new QProgressBar(this)),
      m_no(new QPushButton(TrResource::getTrString(EnumText::No), this)),
      m_yes(new QPushButton(TrResource::getTrString(EnumText::Yes), this)) {
    setObjectName(QStringLiteral("updateDialog"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(
        QStringLiteral("#updateDialog{background-color:#f4f4f4;border:1px solid #1b2a4a;}"
                       "#title{background-color:#1b2a4a;color:white;}"));
    setFocusPolicy(Qt::StrongFocus);
    auto* title = new QLabel(TrResource::getTrString(EnumText::FirmwareUpdate), this);
    title->setObjectName(QStringLiteral("title"));
    title->setAlignment(Qt::AlignCenter);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setWordWrap(true);
    m_status->setText(TrResource::getTrString(EnumText::ConfirmToUpdate) + QLatin1Char('?'));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 0, 4, 4);
    grid->setVerticalSpacing(2);
    grid->addWidget(title, 0, 0, 1, 2);
    grid->addWidget(caption(EnumText::CurrentFirmware, this), 1, 0);
    grid->addWidget(m_current, 1, 1);
    grid->addWidget(caption(EnumText::NewFirmware, this), 2, 0);
    grid->addWidget(m_offered, 2, 1);
    grid->addWidget(m_status, 3, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->addWidget(m_progress, 4, 0, 1, 2);
    grid->addWidget(m_no, 5, 0);
    grid->addWidget(m_yes, 5, 1);
    for (QWidget* w :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(m_no), static_cast<QWidget*>(m_yes)})
        w->installEventFilter(this);
    hide();
}

void UxUpdateDialog::setVersions(const QString& current, const QString& offered) {
    m_current->setText(current);
    m_offered->setText(offered);
}

void UxUpdateDialog::setStatus(const QString& text) {
    m_status->setText(text);
}

void UxUpdateDialog::setProgress(int value, int maximum, const QString& text) {
    m_progress->setRange(0, maximum);
    m_progress->setValue(value);
    m_progress->setFormat(text);
}

void UxUpdateDialog::hideButtons() {
    m_no->hide();
    m_yes->hide();
    setFocus();
}

void UxUpdateDialog::showWithFocus(bool yes) {
    show();
    raise();
    (yes ? m_yes : m_no)->setFocus();
}

bool UxUpdateDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Escape:
            emit signal_EscKeyPressed();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (m_yes->isVisible()) (watched == m_yes ? m_no : m_yes)->setFocus();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (watched == m_yes)
                emit signal_buttonClick_yes();
            else
                emit signal_buttonClick_no();
            return true;
        default:
            return QWidget::eventFilter(watched, event);
    }
}
