#include "ui/screens/ux_main_menu.h"

#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"
#include "ui/screens/ux_menu_tip.h"

#include <QFontMetrics>

UxMainMenu::UxMainMenu(QWidget* parent) : UxListWidget(MarkNone, true, parent) {
    setRowHeight(kRowHeight);
    // The tip is a sibling so that it may reach past the list's right edge.
    m_tip = new UxMenuTip(parent);
    m_tip->hide();
    addKeyForwarder(m_tip);
    connect(m_tip, &UxMenuTip::signal_keyClick, this, &UxMainMenu::slot_key_click_tip);
    connect(m_tip, &UxMenuTip::signal_keyRelease, this, &UxKeyWidget::forwardRelease);
}

void UxMainMenu::showMainMenu(const QString& type, const QString& title, const QStringList& rows) {
    m_type = type;
    titleBar()->setTitleText(title);
    QStringList shown;
    for (const QString& row : rows.mid(0, kMaxRows))
        shown << QStringLiteral("  ") + row;
    setRows(shown);
    selectRow(0);
    m_tip->hide();
    show();
    updateTip();
}

void UxMainMenu::refreshTR(const QString& title) {
    titleBar()->setTitleText(title);
}

void UxMainMenu::refreshTR(const QString& title, const QStringList& rows) {
    const int row = currentRow();
    titleBar()->setTitleText(title);
    QStringList shown;
    for (const QString& text : rows.mid(0, kMaxRows))
        shown << QStringLiteral("  ") + text;
    setRows(shown);
    selectRow(row);
    updateTip();
}

void UxMainMenu::keyEnter() {
    if (currentRow() >= 0) emit signal_keyClick_enter(currentRow());
}

void UxMainMenu::keyClose() {
    emit signal_keyClick_esc();
}

bool UxMainMenu::keyOther(EnumKey key) {
    if (key == EnumKey::Right) {
        keyEnter();
        return true;
    }
    if (key == EnumKey::Change) {
        emit signal_keyClick_change();
        return true;
    }
    return false;
}

void UxMainMenu::cursorMoved() {
    updateTip();
}

void UxMainMenu::slot_key_click_tip(QString key) {
    const EnumKey k = UxMenuTip::keyOfName(key);
    if (k != EnumKey::None) forwardPress(k);
}

void UxMainMenu::updateTip() {
    const int row = currentRow();
    const QString text = rowText(row);
    if (!isVisible() || !rowRect(row).isValid() ||
        QFontMetrics(UxTheme::font()).horizontalAdvance(text) <= kTipThreshold) {
        m_tip->hide();
        return;
    }
    // Laid exactly over the row, its text over the row's text: it never leaves the list, and
    // its text is fitted to the row as the row's own is.
    m_tip->setGeometry(rowRect(row).translated(geometry().topLeft()));
    m_tip->showMenuTip(text, m_tip->width());
    m_tip->raise();
}

void UxMainMenu::hideEvent(QHideEvent* event) {
    m_tip->hide();
    UxListWidget::hideEvent(event);
}
