#include "ui/screens/ux_small_menu.h"

#include "ui/map/target_icon.h"

#include <QPixmap>

UxSmallMenu::UxSmallMenu(bool iconMode, QWidget* parent)
    : UxListWidget(iconMode ? MarkIcon : MarkNone, false, parent), m_iconMode(iconMode) {
    setRowHeight(iconMode ? kIconRowHeight : kRowHeight);
}

void UxSmallMenu::showSmallMenu(const QStringList& rows) {
    QStringList shown;
    for (const QString& row : rows)
        shown << QStringLiteral("  ") + row;
    setGeometry(x(), y(), kWidth, heightForRows(qBound(1, rows.size(), kMaxVisibleRows)));
    setRows(shown);
    selectRow(0);
    keepInsideParent();
    show();
}

void UxSmallMenu::showSmallMenu(int current) {
    QVector<QPixmap> icons;
    QStringList rows;
    for (int i = 0; i < 3; ++i) {
        icons << Global::getIcon_target(i);
        rows << QString();
    }
    setGeometry(x(), y(), kIconWidth, heightForRows(3));
    setRows(rows, icons);
    selectRow(qBound(0, current, 2));
    keepInsideParent();
    show();
}

void UxSmallMenu::keyEnter() {
    if (currentRow() >= 0) emit signal_itemClick(currentRow());
}

void UxSmallMenu::keyClose() {
    hide();
    selectRow(0);
}
