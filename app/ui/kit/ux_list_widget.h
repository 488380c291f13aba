#pragma once

#include "ui/kit/list_cursor.h"
#include "ui/kit/ux_key_widget.h"

#include <QPixmap>
#include <QStringList>

class UxTitleBar;

// A keypad list drawn row by row under an optional title bar: the base of the page list, the
// pop-up list, the command list and the choice editors. Up and Down move with wrap-around and
// repeat while held (every tick from the 6th); rows that do not fit scroll.
class UxListWidget : public UxKeyWidget {
    Q_OBJECT
public:
    // What stands in front of a row's text.
    enum EnumMark { MarkNone, MarkRadio, MarkCheck, MarkIcon };

    UxListWidget(EnumMark mark, bool withTitle, QWidget* parent = nullptr);

    int currentRow() const { return m_cursor.current(); }
    int rowCount() const { return m_rows.size(); }
    int topRow() const { return m_cursor.top(); }
    int visibleRowCount() const { return m_cursor.visibleRows(); }
    QString rowText(int row) const { return m_rows.value(row); }
    bool isRowChecked(int row) const { return m_checked.value(row, false); }
    void setRowEnabled(int row, bool enabled);
    bool isRowEnabled(int row) const { return m_cursor.isEnabled(row); }
    UxTitleBar* titleBar() const { return m_title; }
    QString getTitle() const;

    // The row's rectangle and its text box in widget coordinates; invalid when scrolled away.
    QRect rowRect(int row) const;
    QRect rowTextBox(int row) const;

    QVector<StructTextBox> textBoxes() const override;

protected:
    // Fills the rows (icons only in MarkIcon lists) and puts the cursor on row 0.
    void setRows(const QStringList& rows, const QVector<QPixmap>& icons = {});
    void setChecked(int row, bool checked);
    bool selectRow(int row);
    void setRowHeight(int height);
    int rowHeight() const { return m_rowHeight; }
    // Widest text box of a row (0: the row's whole width).
    void setTextRoom(int width);
    // Height for rows rows under the title (the widget's width stays).
    int heightForRows(int rows) const;

    // Reactions to the keys; each returns whether the key did something.
    virtual bool keyUp(int steps);
    virtual bool keyDown(int steps);
    virtual void keyEnter() {}
    virtual void keyClose() { hide(); }
    // Any other key; true when handled.
    virtual bool keyOther(EnumKey key);
    // After the cursor moved.
    virtual void cursorMoved() {}

    void keyClicked(EnumKey key) override;
    void keyRepeated(EnumKey key, int steps) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect rowsArea() const;
    int visibleFor(int widgetHeight) const;
    bool needsScroll() const;
    int markWidth() const;
    void relayout();
    void paintRow(QPainter& p, int row) const;

    EnumMark m_mark;
    UxTitleBar* m_title = nullptr;
    QStringList m_rows;
    QVector<QPixmap> m_icons;
    QVector<bool> m_checked;
    ListCursor m_cursor;
    int m_rowHeight = 25;
    int m_textRoom = 0;
};
