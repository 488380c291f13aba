#include "ui/kit/ux_dialog_sys_info.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const char* const kLabels[] = {
    "·Monitor:", "·Radio:", "·SnrBox:", "·HGPS:", "·Helmo:", "·Platform:", "·Radio RSSI:"};
}

UxDialogSysInfo::UxDialogSysInfo(QWidget* parent) : UxDialog(parent) {
    // A form layout gives a wrapped value the height it needs (a grid does not).
    auto* form = new QFormLayout();
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(3);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);  // a long version goes below
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (const char* text : kLabels) {
        QLabel* label = newBodyLabel();
        label->setWordWrap(false);
        label->setText(QString::fromUtf8(text));
        QLabel* value = newBodyLabel(Qt::AlignLeft | Qt::AlignVCenter);
        value->setWordWrap(false);
        form->addRow(label, value);
        m_values << value;
    }
    body()->addLayout(form);
}

void UxDialogSysInfo::showSysInfo(const QString& title, const QStringList& versions) {
    setTitleBar(QString(), title);
    for (int i = 0; i < kVersionRows; ++i)
        m_values[i]->setText(QStringLiteral("ver ") + versions.value(i));
    showAndFocus();
}

void UxDialogSysInfo::updateRssi(const QString& handset, const QString& boat,
                                 const QString& frames) {
    m_values[kVersionRows]->setText(QStringLiteral("%1 / %2  %3").arg(handset, boat, frames));
    fitHeight();
}

QString UxDialogSysInfo::valueText(int row) const {
    return row >= 0 && row < m_values.size() ? m_values[row]->text() : QString();
}

void UxDialogSysInfo::keyPressed(EnumKey key) {
    if (isEscapeOrMenu(key)) hide();
}
