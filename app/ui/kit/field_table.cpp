#include "ui/kit/field_table.h"

#include "ui/kit/ux_title_bar.h"

#include <QPainter>

namespace {
constexpr int kTickBox = 14;
}  // namespace

FieldTable::Text FieldTable::fixedText(const QString& text) {
    return [text] { return text; };
}

FieldTable::Text FieldTable::trText(EnumTrString id) {
    return [id] { return TrResource::getTrString(id); };
}

FieldTable::StructField& FieldTable::add(EnumKind kind, int focus, const QRect& rect,
                                         const Text& text, int align) {
    StructField f;
    f.kind = kind;
    f.rect = rect;
    f.text = text;
    f.focus = focus;
    f.align = align;
    f.margins = kind == EnumKind::Label ? QMargins() : m_look.margins;
    f.frame = m_look.frame;
    f.fontPixels = m_look.fontPixels;
    m_fields.append(f);
    return m_fields.last();
}

FieldTable::StructField& FieldTable::label(const QRect& rect, const Text& text, int align) {
    return add(EnumKind::Label, kNoFocus, rect, text, align);
}

FieldTable::StructField& FieldTable::value(int focus, const QRect& rect, const Text& text) {
    return add(EnumKind::Value, focus, rect, text, m_look.valueAlign);
}

FieldTable::StructField& FieldTable::check(int focus, const QRect& rect, const Text& text,
                                           const std::function<bool()>& checked) {
    StructField& f = add(EnumKind::Check, focus, rect, text, 0);
    f.checked = checked;
    return f;
}

FieldTable::StructField& FieldTable::button(int focus, const QRect& rect, const Text& text) {
    return add(EnumKind::Button, focus, rect, text, Qt::AlignHCenter);
}

FieldTable::StructField& FieldTable::separator(const QRect& rect) {
    return add(EnumKind::Line, kNoFocus, rect, Text(), 0);
}

bool FieldTable::step(EnumKey key) {
    const bool sideways = key == EnumKey::Left || key == EnumKey::Right;
    const bool back = key == EnumKey::Up || key == EnumKey::Left;
    if (!back && key != EnumKey::Down && key != EnumKey::Right) return false;
    if (sideways && !m_look.leftRightMove) return false;
    QVector<int> ring;
    for (const StructField& f : m_fields)
        if (f.focus != kNoFocus) ring.append(f.focus);
    if (ring.isEmpty()) return false;
    const int at = qMax(0, ring.indexOf(m_focus));
    m_focus = ring.at((at + (back ? ring.size() - 1 : 1)) % ring.size());
    return true;
}

QRect FieldTable::rectOf(int focus) const {
    for (const StructField& f : m_fields)
        if (f.focus == focus) return f.rect;
    return QRect();
}

QString FieldTable::textOf(int focus) const {
    for (const StructField& f : m_fields)
        if (f.focus == focus && f.text) return f.text();
    return QString();
}

QFont FieldTable::fontOf(const StructField& field) const {
    return field.fontPixels > 0 ? UxTheme::font(field.fontPixels) : UxTheme::font();
}

void FieldTable::paint(QPainter& p) const {
    for (const StructField& f : m_fields)
        paintField(p, f);
}

// The pen and brush are left as the last field set them.
void FieldTable::paintField(QPainter& p, const StructField& f) const {
    if (f.kind == EnumKind::Line) {
        p.setPen(QPen(UxTheme::kFrame, 1));
        p.drawLine(f.rect.topLeft(), f.rect.topRight());
        return;
    }
    const bool focused = f.focus != kNoFocus && f.focus == m_focus;
    const QColor ink = f.kind == EnumKind::Label ? f.ink
                       : focused                 ? UxTheme::kSelectInk
                                                 : UxTheme::kInk;
    const bool framed =
        f.frame != EnumFrame::None && (f.kind == EnumKind::Value || f.kind == EnumKind::Button);
    if (framed) {
        p.setPen(QPen(UxTheme::kFrame, 1));
        p.setBrush(focused ? UxTheme::kSelect : UxTheme::kTrack);
        if (f.frame == EnumFrame::Rounded)
            p.drawRoundedRect(f.rect, 3, 3);
        else
            p.drawRect(f.rect);
    } else if (focused) {
        p.fillRect(f.rect, UxTheme::kSelect);
    } else if (f.fill.isValid()) {
        p.fillRect(f.rect, f.fill);
    }
    if (!f.icon.isNull()) p.drawPixmap(f.iconRect, f.icon);
    if (f.kind == EnumKind::Check) {
        const QRect box(f.rect.left() + m_look.checkLeft, f.rect.center().y() - kTickBox / 2 + 1,
                        kTickBox, kTickBox);
        p.setPen(QPen(ink, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
        if (f.checked && f.checked()) p.fillRect(box.adjusted(3, 3, -2, -2), ink);
    }
    if (f.text) {
        p.setFont(fontOf(f));
        UxTheme::drawText(p, f.textBox(), f.text(), ink, f.align);
    }
    if (f.outline.isValid()) {
        // The pen runs along the middle of the frame, so the frame lies wholly outside.
        const qreal half = f.outlineWidth / 2.0;
        p.setPen(QPen(f.outline, f.outlineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(f.rect).adjusted(-half, -half, half, half));
    }
}

QVector<StructTextBox> FieldTable::textBoxes(const UxTitleBar* title) const {
    QVector<StructTextBox> boxes;
    if (title) {
        for (StructTextBox b : title->textBoxes()) {
            b.box.translate(title->pos());
            boxes.append(b);
        }
    }
    for (const StructField& f : m_fields)
        if (f.text) boxes.append({f.text(), f.textBox(), fontOf(f)});
    return boxes;
}
