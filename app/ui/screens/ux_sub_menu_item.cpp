#include "ui/screens/ux_sub_menu_item.h"

#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"

#include <QFontMetrics>
#include <algorithm>

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
    if (m_place.isNull()) m_place = geometry();
    setGeometry(m_place.x(), m_place.y(), m_place.width(), heightForRows(qMax(1, rows.size())));
    setRows(shown);
    widenForRows(shown);
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

void UxSubMenuItem::widenForRows(const QStringList& rows) {
    const QRect box = rowTextBox(0);
    if (!box.isValid() || parentWidget() == nullptr) return;
    const QFontMetrics metrics(UxTheme::font());
    int widest = 0;
    for (const QString& row : rows)
        widest = std::max(widest, metrics.horizontalAdvance(row));
    if (widest <= box.width()) return;
    const int room = parentWidget()->width();
    const int w = std::min(room, width() + widest - box.width());
    setGeometry((room - w) / 2, y(), w, height());
}
