#include "ui/screens/ux_sub_menu_item_single.h"

#include "ui/kit/ux_title_bar.h"

UxSubMenuItemSingle::UxSubMenuItemSingle(QWidget* parent) : UxListWidget(MarkRadio, true, parent) {
    setRowHeight(kRowHeight);
}

void UxSubMenuItemSingle::showSubMenu(const QString& title, const QStringList& rows, int* field) {
    m_field = field;
    titleBar()->setTitleText(title);
    resize(width(), heightForRows(qMax(1, rows.size())));
    setRows(rows);
    const int chosen = field ? *field : -1;
    // A field that holds none of the rows shows no mark; the cursor then starts on row 0.
    if (chosen >= 0 && chosen < rows.size()) {
        setChecked(chosen, true);
        selectRow(chosen);
    }
    keepInsideParent();
    show();
}

int UxSubMenuItemSingle::checkedRow() const {
    for (int row = 0; row < rowCount(); ++row) {
        if (isRowChecked(row)) return row;
    }
    return -1;
}

void UxSubMenuItemSingle::keyEnter() {
    const int row = currentRow();
    if (row < 0) return;
    for (int r = 0; r < rowCount(); ++r)
        setChecked(r, r == row);
    if (m_field) *m_field = row;
}
