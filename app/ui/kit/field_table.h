#pragma once

#include "base/keypad.h"
#include "base/tr_resource.h"
#include "ui/kit/ux_key_widget.h"
#include "ui/kit/ux_theme.h"

#include <QMargins>
#include <QPixmap>
#include <QVector>

#include <functional>

class QPainter;
class UxTitleBar;

// The fields of a small keypad screen in one list: where each stands, what it shows and
// where its text comes from. The painting, the texts with their boxes and the focus walk all
// come from the list, so they cannot disagree. Fields are painted and walked in list order.
class FieldTable {
public:
    enum class EnumKind {
        Label,   // text only, never focused
        Value,   // a text the screen edits
        Check,   // a tick box with its text
        Button,  // a centred text that acts
        Line,    // a separator along the top of its rectangle, no text
    };
    // The outline of a value or a button (the look's, unless the field says otherwise).
    // Unframed fields (and check boxes always) show the focus by filling their rectangle.
    enum class EnumFrame { Square, Rounded, None };

    using Text = std::function<QString()>;
    static constexpr int kNoFocus = -1;

    // What the fields of one screen share.
    struct StructLook {
        EnumFrame frame = EnumFrame::Square;
        QMargins margins{3, 0, 3, 0};  // a focusable field's text inside its rectangle
        int valueAlign = 0;            // a value's text: 0 (left) or Qt::AlignHCenter
        int checkLeft = 3;             // a tick box's left edge from its field's
        int fontPixels = 0;            // 0: the application font
        bool leftRightMove = true;     // Left and Right walk the focus as Up and Down do
    };

    struct StructField {
        EnumKind kind = EnumKind::Label;
        QRect rect;
        Text text;             // none: the field paints no text and has no text box
        int focus = kNoFocus;  // the screen's own number for the field
        int align = 0;         // 0 (left) or Qt::AlignHCenter
        QMargins margins;
        QColor ink = UxTheme::kInk;  // a label's
        QColor fill;  // the background while not focused or framed; none when invalid
        EnumFrame frame = EnumFrame::Square;
        int fontPixels = 0;
        std::function<bool()> checked;  // a check box's tick
        QPixmap icon;                   // drawn into iconRect when set
        QRect iconRect;
        QColor outline;  // a frame of outlineWidth px around the rectangle, outside it, when valid
        int outlineWidth = 1;

        QRect textBox() const { return rect.marginsRemoved(margins); }
    };

    FieldTable() = default;
    explicit FieldTable(const StructLook& look) : m_look(look) {}

    // A fixed text, and one in the language of the moment.
    static Text fixedText(const QString& text);
    static Text trText(EnumTrString id);

    // Empties the list for a new layout; the focus stays on the same field number.
    void clear() { m_fields.clear(); }
    // Each returns the new field for any change to it (valid until the next one is added).
    StructField& label(const QRect& rect, const Text& text, int align = 0);
    StructField& value(int focus, const QRect& rect, const Text& text);
    StructField& check(int focus, const QRect& rect, const Text& text,
                       const std::function<bool()>& checked);
    StructField& button(int focus, const QRect& rect, const Text& text);
    StructField& separator(const QRect& rect);

    int focus() const { return m_focus; }
    void setFocus(int focus) { m_focus = focus; }
    // Up (and Left) to the previous focusable field, Down (and Right) to the next, round
    // past either end; false for any other key.
    bool step(EnumKey key);
    // The rectangle and the text of the field with that focus number (empty when none).
    QRect rectOf(int focus) const;
    QString textOf(int focus) const;

    void paint(QPainter& p) const;
    // The title's texts (in this widget's coordinates, when there is a title) and every
    // field's text in its box, in the font it is painted in.
    QVector<StructTextBox> textBoxes(const UxTitleBar* title = nullptr) const;
    const QVector<StructField>& fields() const { return m_fields; }

private:
    StructField& add(EnumKind kind, int focus, const QRect& rect, const Text& text, int align);
    QFont fontOf(const StructField& field) const;
    void paintField(QPainter& p, const StructField& field) const;

    StructLook m_look;
    QVector<StructField> m_fields;
    int m_focus = kNoFocus;
};
