#include "ui/kit/ux_dialog_check.h"

#include "base/tr_resource.h"
#include "ui/kit/dialog_button.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
struct StructModuleRow {
    const char* key;
    EnumTrString name;
};
const StructModuleRow kModules[] = {{"radio", TR_RadioModule},
                                    {"sonar", TR_SonarModule},
                                    {"gps", TR_GpsModule},
                                    {"compass", TR_CompassModule},
                                    {"ap", TR_AutopilotModule}};
}  // namespace

UxDialogCheck::UxDialogCheck(QWidget* parent) : UxDialog(parent) {
    ignoreKeyboardRepeat();
    auto* grid = new QGridLayout();
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    int row = 0;
    for (const StructModuleRow& m : kModules) {
        QLabel* name = newBodyLabel();
        QLabel* result = newBodyLabel(Qt::AlignRight | Qt::AlignVCenter);
        result->setWordWrap(false);
        grid->addWidget(name, row, 0);
        grid->addWidget(result, row, 1);
        m_names.insert(QLatin1String(m.key), name);
        m_results.insert(QLatin1String(m.key), result);
        ++row;
    }
    grid->setColumnStretch(0, 1);
    body()->addLayout(grid);
    m_button = DialogButton::create(this);
    m_button->setMinimumWidth(110);
    body()->addWidget(m_button, 0, Qt::AlignHCenter);
}

void UxDialogCheck::showCheck() {
    setTitleBar(QString(), TrResource::getTrString(TR_SystemCheck));
    for (const StructModuleRow& m : kModules) {
        m_names.value(QLatin1String(m.key))->setText(TrResource::getTrString(m.name));
        m_results.value(QLatin1String(m.key))->setText(QStringLiteral("..."));
    }
    m_button->setText(TrResource::getTrString(TR_Ok));
    setButtonEnable(false);
    showAndFocus();
}

void UxDialogCheck::setLabelText(const QString& module, const QString& text) {
    if (QLabel* label = m_results.value(module)) label->setText(text);
}

QString UxDialogCheck::labelText(const QString& module) const {
    const QLabel* label = m_results.value(module);
    return label ? label->text() : QString();
}

void UxDialogCheck::setButtonEnable(bool enable) {
    m_button->setEnabled(enable);
    DialogButton::setFocused(m_button, enable);
}

void UxDialogCheck::keyPressed(EnumKey) {
    if (m_button->isEnabled()) hide();
}
