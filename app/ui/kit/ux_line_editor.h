#pragma once

#include "ui/kit/char_edit_model.h"
#include "ui/kit/ux_key_widget.h"

#include <QPointer>
#include <QTimer>

class QLineEdit;

// Edits a text position by position: Up and Down change the character under the cursor
// through that position's set (held, they repeat every tick of the editor's own repeat timer
// from the 6th), Left and Right move the cursor over the fixed positions. Enter writes the
// text into the target line edit, when there is one, and reports it; escape leaves without
// writing.
class UxLineEditor : public UxKeyWidget {
    Q_OBJECT
public:
    explicit UxLineEditor(QWidget* parent = nullptr);

    // side: "left" starts on the first editable position, "right" on the last.
    void showLineEditor(const QString& text, const QStringList& charSets, const QString& side);
    void showLineEditor(QLineEdit* target, const QString& text, const QStringList& charSets,
                        const QString& side);

    QString text() const { return m_model.text(); }
    int cursorPosition() const { return m_model.cursor(); }
    // Places the cursor mark under the current position.
    void setArrowPosition();
    QRect cellRect(int position) const;

    QVector<StructTextBox> textBoxes() const override;

signals:
    void signal_editorConfirm(QString text);

protected:
    void keyClicked(EnumKey key) override;
    void keyRepeated(EnumKey key, int steps) override;
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    CharEditModel m_model;
    QPointer<QLineEdit> m_target;
    QVector<int> m_cellWidths;  // per position: its widest possible character
    int m_arrowX = 0;
    // The repeat timer runs while the editor is shown: it works wherever the editor is
    // opened, whoever opened it.
    QTimer m_repeatTimer;
};
