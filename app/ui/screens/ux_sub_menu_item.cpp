#include "ui/screens/ux_sub_menu_item.h"

#include "ui/kit/ux_title_bar.h"

UxSubMenuItem::UxSubMenuItem(QWidget* parent) : UxListWidget(MarkNone, true, parent) {
    setRowHeight(kRowHeight);
}

void UxSubMenuItem::showSubMenu(const QString& title, const QString& tag, const QStringList& rows,
                                int current) {
    m_tag = tag;
    titleBar()->setTitleText(title);
    QStringList shown;
    for (const QString& row : rows)
        shown << QStringLiteral("  ") + row;
    resize(width(), heightForRows(qMax(1, rows.size())));
    setRows(shown);
    if (current > 0) selectRow(current);
    keepInsideParent();
    show();
}

void UxSubMenuItem::keyEnter() {
    if (currentRow() >= 0) emit signal_itemClick(m_tag, currentRow());
}

void UxSubMenuItem::keyClose() {
    emit signal_submenuHide(getTitle());
    hide();
}
