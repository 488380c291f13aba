#include "ui/screens/ux_sub_menu_export_kml.h"

#include "base/tr_resource.h"
#include "ui/kit/ux_line_editor.h"
#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"
#include "ui/screens/waypoint_char_sets.h"

#include <QPainter>

namespace {
constexpr int kRowHeight = 34;
constexpr int kSlotWidth = 56;
constexpr int kLabelWidth = 40;
}  // namespace

UxSubMenuExportKml::UxSubMenuExportKml(QWidget* parent) : UxKeyWidget(parent) {
    m_title = new UxTitleBar(this);
    m_editor = new UxLineEditor(parent ? parent : this);
    m_editor->hide();
    connect(m_editor, &UxLineEditor::signal_editorConfirm, this, [this](const QString& text) {
        m_slots[m_editing == FocusLast ? 1 : 0] = text;
        update();
    });
}

void UxSubMenuExportKml::showExportKml() {
    m_title->setTitleText(TrResource::getTrString(TR_ExportKml));
    m_title->setGeometry(UxTheme::kFrameWidth, UxTheme::kFrameWidth,
                         width() - 2 * UxTheme::kFrameWidth, UxTheme::kTitleHeight);
    m_focus = FocusFirst;
    keepInsideParent();
    show();
    update();
}

QString UxSubMenuExportKml::textOf(int focus) const {
    switch (focus) {
        case FocusFirst:
        case FocusLast:
            return slotText(focus);
        case FocusOk:
            return TrResource::getTrString(TR_Ok);
        case FocusExit:
            return TrResource::getTrString(TR_Exit);
        default:
            return QString();
    }
}

void UxSubMenuExportKml::keyClicked(EnumKey key) {
    const bool back = key == EnumKey::Up || key == EnumKey::Left;
    if (back || key == EnumKey::Down || key == EnumKey::Right) {
        m_focus = (m_focus + (back ? kFocusCount - 1 : 1)) % kFocusCount;
    } else if (key == EnumKey::Enter) {
        enter();
    } else if (key == EnumKey::Escape || key == EnumKey::Menu) {
        hide();
    } else {
        return;
    }
    keyTone();
    update();
}

void UxSubMenuExportKml::enter() {
    if (m_focus == FocusFirst || m_focus == FocusLast) {
        m_editing = m_focus;
        m_editor->move(x(), qMin(y() + height() + 4, m_editor->parentWidget()->height() - 64));
        m_editor->showLineEditor(slotText(m_focus), WaypointCharSets::sn(), QStringLiteral("left"));
        return;
    }
    hide();
    if (m_focus == FocusOk) emit signal_startExportKml(m_slots[0].toInt(), m_slots[1].toInt());
}

// The two slots side by side under the title with "SN" before them, the buttons below.
QRect UxSubMenuExportKml::boxOf(int focus) const {
    const int top = UxTheme::kTitleHeight + 16;
    const int half = (width() - 24) / 2;
    switch (focus) {
        case FocusFirst:
            return QRect(8 + kLabelWidth, top, kSlotWidth, kRowHeight - 6);
        case FocusLast:
            return QRect(width() - 8 - kSlotWidth, top, kSlotWidth, kRowHeight - 6);
        case FocusOk:
            return QRect(8, top + kRowHeight + 24, half, kRowHeight);
        default:
            return QRect(16 + half, top + kRowHeight + 24, half, kRowHeight);
    }
}

QRect UxSubMenuExportKml::labelBox() const {
    const QRect first = boxOf(FocusFirst);
    return QRect(8, first.y(), kLabelWidth, first.height());
}

QVector<StructTextBox> UxSubMenuExportKml::textBoxes() const {
    QVector<StructTextBox> boxes;
    for (StructTextBox b : m_title->textBoxes()) {
        b.box.translate(m_title->pos());
        boxes.append(b);
    }
    boxes.append({TrResource::getTrString(TR_SN), labelBox(), UxTheme::font()});
    for (int f = 0; f < kFocusCount; ++f)
        boxes.append({textOf(f), boxOf(f).adjusted(4, 0, -4, 0), UxTheme::font()});
    return boxes;
}

void UxSubMenuExportKml::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    UxTheme::drawPanel(p, rect());
    p.setFont(UxTheme::font());
    const QRect first = boxOf(FocusFirst);
    const QRect last = boxOf(FocusLast);
    UxTheme::drawText(p, labelBox(), TrResource::getTrString(TR_SN), UxTheme::kInk);
    UxTheme::drawText(p,
                      QRect(first.right(), first.y(), last.left() - first.right(), first.height()),
                      QStringLiteral("~"), UxTheme::kInk, Qt::AlignHCenter);
    for (int f = 0; f < kFocusCount; ++f) {
        const QRect r = boxOf(f);
        const bool focused = f == m_focus;
        p.setPen(QPen(UxTheme::kFrame, 1));
        p.setBrush(focused ? UxTheme::kSelect : UxTheme::kTrack);
        p.drawRoundedRect(r, 3, 3);
        UxTheme::drawText(p, r.adjusted(4, 0, -4, 0), textOf(f),
                          focused ? UxTheme::kSelectInk : UxTheme::kInk, Qt::AlignHCenter);
    }
}
