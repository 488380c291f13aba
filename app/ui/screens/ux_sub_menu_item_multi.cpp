#include "ui/screens/ux_sub_menu_item_multi.h"

#include "ui/kit/ux_title_bar.h"

UxSubMenuItemMulti::UxSubMenuItemMulti(QWidget* parent) : UxListWidget(MarkCheck, true, parent) {
    setRowHeight(kRowHeight);
}

void UxSubMenuItemMulti::showSubMenu(const QString& title, const QStringList& rows,
                                     const QList<int*>& fields) {
    const int n = qMin(rows.size(), fields.size());
    m_fields = fields.mid(0, n);
    titleBar()->setTitleText(title);
    resize(width(), heightForRows(qMax(1, n)));
    setRows(rows.mid(0, n));
    for (int row = 0; row < n; ++row)
        setChecked(row, m_fields.at(row) != nullptr && *m_fields.at(row) == 1);
    keepInsideParent();
    show();
}

void UxSubMenuItemMulti::keyEnter() {
    const int row = currentRow();
    if (row < 0 || row >= m_fields.size()) return;
    const bool checked = !isRowChecked(row);
    setChecked(row, checked);
    if (m_fields.at(row)) *m_fields.at(row) = checked ? 1 : 0;
}
