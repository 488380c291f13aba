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

FieldTable::StructLook look() {
    FieldTable::StructLook look;
    look.frame = FieldTable::EnumFrame::Rounded;
    look.margins = QMargins(4, 0, 4, 0);
    look.valueAlign = Qt::AlignHCenter;
    return look;
}
}  // namespace

UxSubMenuExportKml::UxSubMenuExportKml(QWidget* parent) : UxKeyWidget(parent), m_fields(look()) {
    m_title = new UxTitleBar(this);
    layOut();
    m_fields.setFocus(FocusFirst);
    m_editor = new UxLineEditor(parent ? parent : this);
    m_editor->hide();
    connect(m_editor, &UxLineEditor::signal_editorConfirm, this, [this](const QString& text) {
        m_slots[m_editing == FocusLast ? 1 : 0] = text;
        update();
    });
}

void UxSubMenuExportKml::showExport(bool gpx) {
    m_gpx = gpx;
    m_title->setTitleText(TrResource::getTrString(gpx ? TR_ExportGpx : TR_ExportKml));
    m_title->setGeometry(UxTheme::kFrameWidth, UxTheme::kFrameWidth,
                         width() - 2 * UxTheme::kFrameWidth, UxTheme::kTitleHeight);
    m_fields.setFocus(FocusFirst);
    keepInsideParent();
    show();
    update();
}

void UxSubMenuExportKml::keyClicked(EnumKey key) {
    if (key == EnumKey::Enter) {
        enter();
    } else if (key == EnumKey::Escape || key == EnumKey::Menu) {
        hide();
    } else if (!m_fields.step(key)) {
        return;
    }
    keyTone();
    update();
}

void UxSubMenuExportKml::enter() {
    if (focus() == FocusFirst || focus() == FocusLast) {
        m_editing = focus();
        m_editor->move(x(), qMin(y() + height() + 4, m_editor->parentWidget()->height() - 64));
        m_editor->showLineEditor(slotText(focus()), WaypointCharSets::sn(), QStringLiteral("left"));
        return;
    }
    hide();
    if (focus() != FocusOk) return;
    if (m_gpx) {
        emit signal_startExportGpx(m_slots[0].toInt(), m_slots[1].toInt());
    } else {
        emit signal_startExportKml(m_slots[0].toInt(), m_slots[1].toInt());
    }
}

// The two slots side by side under the title with "SN" before them, the buttons below.
void UxSubMenuExportKml::layOut() {
    m_fields.clear();
    const int top = UxTheme::kTitleHeight + 16;
    const QRect first(8 + kLabelWidth, top, kSlotWidth, kRowHeight - 6);
    const QRect last(width() - 8 - kSlotWidth, top, kSlotWidth, kRowHeight - 6);
    m_fields.label(QRect(8, top, kLabelWidth, first.height()), FieldTable::trText(TR_SN));
    m_fields.label(QRect(first.right(), top, last.left() - first.right(), first.height()),
                   FieldTable::fixedText(QStringLiteral("~")), Qt::AlignHCenter);
    m_fields.value(FocusFirst, first, [this] { return m_slots[0]; });
    m_fields.value(FocusLast, last, [this] { return m_slots[1]; });
    const int half = (width() - 24) / 2;
    m_fields.button(FocusOk, QRect(8, top + kRowHeight + 24, half, kRowHeight),
                    FieldTable::trText(TR_Ok));
    m_fields.button(FocusExit, QRect(16 + half, top + kRowHeight + 24, half, kRowHeight),
                    FieldTable::trText(TR_Exit));
}

void UxSubMenuExportKml::resizeEvent(QResizeEvent* event) {
    UxKeyWidget::resizeEvent(event);
    layOut();
}

QVector<StructTextBox> UxSubMenuExportKml::textBoxes() const {
    return m_fields.textBoxes(m_title);
}

void UxSubMenuExportKml::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    UxTheme::drawPanel(p, rect());
    m_fields.paint(p);
}
