#pragma once

#include "ui/kit/ux_list_widget.h"

// A titled list of commands. Enter reports the row with the list's tag and leaves the list
// open; escape closes it and says which list closed. A row too long for the list's place
// widens the list rather than shrinking the text.
class UxSubMenuItem : public UxListWidget {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 25;

    explicit UxSubMenuItem(QWidget* parent = nullptr);

    // The cursor on row current (a list shown again after one of its rows changed).
    void showSubMenu(const QString& title, const QString& tag, const QStringList& rows,
                     int current = 0);
    QString getTag() const { return m_tag; }

signals:
    void signal_itemClick(QString tag, int row);
    void signal_submenuHide(QString title);

protected:
    void keyEnter() override;
    void keyClose() override;

private:
    // Wider than its place when a row needs it, up to the screen's width, kept centred.
    void widenForRows(const QStringList& rows);

    QString m_tag;
    QRect m_place;  // where it stands for rows that fit
};
