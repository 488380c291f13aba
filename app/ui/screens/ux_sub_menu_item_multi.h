#pragma once

#include "ui/kit/ux_list_widget.h"

#include <QList>

// A titled list of check boxes, one int field (0 or 1) per row. Enter toggles the row under
// the cursor and writes its field at once.
class UxSubMenuItemMulti : public UxListWidget {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 25;

    explicit UxSubMenuItemMulti(QWidget* parent = nullptr);

    // Rows without a field (more rows than fields) are left out.
    void showSubMenu(const QString& title, const QStringList& rows, const QList<int*>& fields);

protected:
    void keyEnter() override;

private:
    QList<int*> m_fields;
};
