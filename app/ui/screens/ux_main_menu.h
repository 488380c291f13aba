#pragma once

#include "ui/kit/ux_list_widget.h"

class UxMenuTip;

// The page list of the main and quick menus: up to 20 rows under a title. A long row is drawn
// in a font fitted to the row, and while selected in the tip box laid over it. The controller
// decides what a page holds and what a chosen row does.
class UxMainMenu : public UxListWidget {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 20;
    // A selected row whose text is wider than this gets the tip box.
    static constexpr int kTipThreshold = 149;
    static constexpr int kRowHeight = 26;

    explicit UxMainMenu(QWidget* parent = nullptr);

    void showMainMenu(const QString& type, const QString& title, const QStringList& rows);
    QString getCurrentType() const { return m_type; }
    // Sets the title again (after a language change).
    void refreshTR(const QString& title);
    // Sets the title and the rows again, keeping the selected row (after a language change).
    void refreshTR(const QString& title, const QStringList& rows);
    UxMenuTip* tip() const { return m_tip; }

signals:
    void signal_keyClick_enter(int row);
    void signal_keyClick_change();
    void signal_keyClick_esc();

public slots:
    // A key passed on by the tip box.
    void slot_key_click_tip(QString key);

protected:
    void keyEnter() override;
    void keyClose() override;
    bool keyOther(EnumKey key) override;
    void cursorMoved() override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateTip();

    UxMenuTip* m_tip = nullptr;
    QString m_type;
};
