#pragma once

#include "ui/kit/ux_list_widget.h"

// A small pop-up list: a column of texts (185 px wide), or, in icon mode, the three target
// icons. Enter reports the row; the receiver closes the list.
class UxSmallMenu : public UxListWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 185;
    static constexpr int kIconWidth = 64;
    static constexpr int kRowHeight = 25;
    static constexpr int kIconRowHeight = 36;
    static constexpr int kMaxVisibleRows = 8;

    explicit UxSmallMenu(bool iconMode = false, QWidget* parent = nullptr);

    // Text mode: the rows, row 0 selected.
    void showSmallMenu(const QStringList& rows);
    // Icon mode: the three target icons, row current selected.
    void showSmallMenu(int current);
    bool isIconMode() const { return m_iconMode; }

signals:
    void signal_itemClick(int row);

protected:
    void keyEnter() override;
    void keyClose() override;

private:
    bool m_iconMode;
};
