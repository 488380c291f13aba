#pragma once

#include "ui/kit/ux_list_widget.h"

// A titled list of choices with radio marks, bound to an int field that holds the chosen
// row. Enter chooses the row under the cursor and writes it at once; the list stays open.
class UxSubMenuItemSingle : public UxListWidget {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 25;

    explicit UxSubMenuItemSingle(QWidget* parent = nullptr);

    void showSubMenu(const QString& title, const QStringList& rows, int* field);
    // The chosen row (-1 when the field held none of the rows).
    int checkedRow() const;

protected:
    void keyEnter() override;

private:
    int* m_field = nullptr;
};
