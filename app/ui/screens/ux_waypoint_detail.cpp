#include "ui/screens/ux_waypoint_detail.h"

#include "base/global.h"
#include "base/tr_resource.h"
#include "data/waypoint_texts.h"
#include "ui/kit/ux_focus_widgets.h"
#include "ui/kit/ux_line_editor.h"
#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"
#include "ui/map/target_icon.h"
#include "ui/screens/ux_small_menu.h"
#include "ui/screens/waypoint_char_sets.h"

#include <QLabel>
#include <QPainter>

namespace {
constexpr int kWidth = 252;
constexpr int kHeight = 262;
constexpr int kTop = 36;  // the first field, under the title
constexpr int kRowHeight = 30;
constexpr int kLabelX = 8;
constexpr int kFieldX = 104;
constexpr int kFieldWidth = 140;
constexpr int kIconSize = 25;
constexpr int kTextPixel = 16;

const char kLabelStyle[] = "color: white; background: transparent;";
const char kFieldStyle[] = "color: black; background-color: white;";
const char kButtonStyle[] =
    "color: white; background-color: #2a4466; border: 1px solid #5aa0e0; border-radius: 3px;";

// The field names and the buttons' texts, in field order.
const EnumTrString kTexts[] = {TR_SN,    TR_Icon, TR_Name, TR_Longitude, TR_Latitude,
                               TR_Depth, TR_Edit, TR_Ok,   TR_Exit};

QFont textFont() {
    QFont f = UxTheme::font();
    f.setPixelSize(kTextPixel);
    return f;
}
}  // namespace

UxWaypointDetail::UxWaypointDetail(QWidget* parent) : UxKeyWidget(parent) {
    resize(kWidth, kHeight);
    m_title = new UxTitleBar(this);
    m_title->setGeometry(UxTheme::kFrameWidth, UxTheme::kFrameWidth,
                         kWidth - 2 * UxTheme::kFrameWidth, UxTheme::kTitleHeight);
    m_fields.resize(FieldCount);
    for (int f = FieldSn; f <= FieldDepth; ++f) {
        const int y = kTop + f * kRowHeight;
        QLabel* label = new QLabel(this);
        label->setStyleSheet(QLatin1String(kLabelStyle));
        label->setFont(textFont());
        label->setGeometry(kLabelX, y, kFieldX - kLabelX - 4, kRowHeight - 4);
        m_labels << label;
        if (f == FieldIcon) {
            m_iconLabel = new UxFocusIcoLabel(this);
            m_iconLabel->setGeometry(kFieldX, y, kIconSize + 6, kRowHeight - 4);
            m_fields[f] = m_iconLabel;
            continue;
        }
        UxFocusLineEdit* edit = new UxFocusLineEdit(this);
        edit->setReadOnly(true);
        edit->setFont(textFont());
        edit->setStyleSheet(QLatin1String(kFieldStyle));
        edit->setGeometry(kFieldX, y, f == FieldDepth ? kFieldWidth - 50 : kFieldWidth,
                          kRowHeight - 4);
        m_fields[f] = edit;
    }
    m_unit = new QLabel(this);
    m_unit->setStyleSheet(QLatin1String(kLabelStyle));
    m_unit->setFont(textFont());
    m_unit->setGeometry(kFieldX + kFieldWidth - 46, kTop + FieldDepth * kRowHeight, 46,
                        kRowHeight - 4);
    const int buttonWidth = (kWidth - 2 * kLabelX - 8) / 3;
    for (int b = 0; b < 3; ++b) {
        UxFocusButton* button = new UxFocusButton(QString(), this);
        button->setFont(textFont());
        button->setStyleSheet(QLatin1String(kButtonStyle));
        button->setGeometry(kLabelX + b * (buttonWidth + 4), kTop + 6 * kRowHeight + 6, buttonWidth,
                            kRowHeight);
        m_fields[ButtonEdit + b] = button;
    }
    // The pop-ups stand on the screen beside the editor, not inside it.
    QWidget* screen = parent ? parent : this;
    m_editor = new UxLineEditor(screen);
    m_editor->hide();
    connect(m_editor, &UxLineEditor::signal_editorConfirm, this,
            &UxWaypointDetail::editorConfirmed);
    m_iconChooser = new UxSmallMenu(true, screen);
    m_iconChooser->hide();
    connect(m_iconChooser, &UxSmallMenu::signal_itemClick, this, [this](int row) {
        m_iconChooser->hide();
        setIcon(row);
    });
}

void UxWaypointDetail::showWaypointDetail(const QString& sn, int iconIndex, const QString& name,
                                          const QString& latitude, const QString& longitude,
                                          const QString& depth, const QString& depthUnit) {
    // Texts in the language of the day.
    m_title->setTitleText(TrResource::getTrString(TR_Detail));
    // A long name or button text takes a font fitted to its room (the buttons' frame and
    // rounded corners need 6 px each side) rather than being clipped.
    for (int f = FieldSn; f <= FieldDepth; ++f) {
        QLabel* label = m_labels.at(f);
        label->setText(TrResource::getTrString(kTexts[f]));
        label->setFont(UxTheme::fitFont(textFont(), label->text(), label->contentsRect().width()));
    }
    for (int b = ButtonEdit; b < FieldCount; ++b) {
        auto* button = static_cast<UxFocusButton*>(m_fields[b]);
        button->setText(TrResource::getTrString(kTexts[b]));
        button->setFont(UxTheme::fitFont(textFont(), button->text(), button->width() - 12));
    }
    static_cast<UxFocusLineEdit*>(m_fields[FieldSn])->setText(sn);
    static_cast<UxFocusLineEdit*>(m_fields[FieldName])->setText(name);
    static_cast<UxFocusLineEdit*>(m_fields[FieldLon])->setText(longitude);
    static_cast<UxFocusLineEdit*>(m_fields[FieldLat])->setText(latitude);
    static_cast<UxFocusLineEdit*>(m_fields[FieldDepth])->setText(depth);
    m_unit->setText(depthUnit);
    setIcon(iconIndex);
    keepInsideParent();
    show();
    // A question answered in its own window may have opened the editor: the keys come here.
    window()->activateWindow();
    setFocusField(FieldSn);
}

void UxWaypointDetail::getWaypointDetail(int& iconIndex, QString& name, QString& latitude,
                                         QString& longitude, float& depth) const {
    iconIndex = m_icon;
    name = fieldText(FieldName);
    latitude = fieldText(FieldLat);
    longitude = fieldText(FieldLon);
    // Shown in the current unit, kept in metres.
    depth = Global::getValue_depth(fieldText(FieldDepth));
}

QString UxWaypointDetail::fieldText(EnumField field) const {
    if (field == FieldIcon) return QString::number(m_icon);
    if (const auto* edit = qobject_cast<const UxFocusLineEdit*>(m_fields.value(field)))
        return edit->text();
    if (const auto* button = qobject_cast<const UxFocusButton*>(m_fields.value(field)))
        return button->text();
    return QString();
}

void UxWaypointDetail::setIcon(int index) {
    m_icon = qBound(0, index, 2);
    m_iconLabel->setPixmap(Global::getIcon_target(m_icon).scaled(
        kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void UxWaypointDetail::setFocusField(EnumField field) {
    m_focus = field;
    m_fields[field]->setFocus(Qt::OtherFocusReason);
}

void UxWaypointDetail::keyClicked(EnumKey key) {
    const int count = FieldCount;
    switch (key) {
        case EnumKey::Up:
        case EnumKey::Left:
            keyTone();
            setFocusField(EnumField((m_focus + count - 1) % count));
            break;
        case EnumKey::Down:
        case EnumKey::Right:
            keyTone();
            setFocusField(EnumField((m_focus + 1) % count));
            break;
        case EnumKey::Enter:
            keyTone();
            enter();
            break;
        case EnumKey::Escape:
        case EnumKey::Menu:
            keyTone();
            hide();
            break;
        default:
            break;
    }
}

void UxWaypointDetail::enter() {
    switch (m_focus) {
        case FieldIcon: {
            const QRect field = m_iconLabel->geometry().translated(pos());
            m_iconChooser->move(field.right() + 6, field.top());
            m_iconChooser->showSmallMenu(m_icon);
            break;
        }
        case ButtonEdit:
            editField(FieldName);
            break;
        case ButtonOk:
            hide();
            emit signal_detailClick_ok(fieldText(FieldSn).toInt());
            break;
        case ButtonExit:
            hide();
            break;
        default:
            editField(m_focus);
            break;
    }
}

void UxWaypointDetail::editField(EnumField field) {
    m_editing = field;
    QString text = fieldText(field);
    QStringList sets;
    switch (field) {
        case FieldSn:
            sets = WaypointCharSets::sn();
            break;
        case FieldName:
            text = WaypointTexts::nameForEditor(text);
            sets = WaypointCharSets::name();
            break;
        case FieldLon:
            sets = WaypointCharSets::longitude();
            break;
        case FieldLat:
            sets = WaypointCharSets::latitude();
            break;
        case FieldDepth:
            sets = WaypointCharSets::depth(text);
            break;
        default:
            return;
    }
    m_editor->move(x(), qMin(y() + height() + 4, m_editor->parentWidget()->height() - 64));
    m_editor->showLineEditor(text, sets, QStringLiteral("left"));
}

void UxWaypointDetail::editorConfirmed(const QString& text) {
    QString value = text;
    if (m_editing == FieldName) {
        value = WaypointTexts::nameFromEditor(value);
        if (value.isEmpty()) return;
    }
    if (m_editing == FieldLon) value = WaypointCharSets::boundLongitude(value);
    if (auto* edit = qobject_cast<UxFocusLineEdit*>(m_fields.value(m_editing)))
        edit->setText(value);
}

QVector<StructTextBox> UxWaypointDetail::textBoxes() const {
    QVector<StructTextBox> boxes;
    for (const StructTextBox& b : m_title->textBoxes())
        boxes.append({b.text, b.box.translated(m_title->pos()), b.font});
    for (const QLabel* label : m_labels)
        boxes.append({label->text(), label->geometry(), label->font()});
    boxes.append({m_unit->text(), m_unit->geometry(), m_unit->font()});
    for (int f = FieldSn; f < FieldCount; ++f) {
        if (f == FieldIcon) continue;
        boxes.append({fieldText(EnumField(f)),
                      m_fields.at(f)->contentsRect().translated(m_fields.at(f)->pos()),
                      m_fields.at(f)->font()});
    }
    return boxes;
}

void UxWaypointDetail::paintEvent(QPaintEvent*) {
    QPainter p(this);
    UxTheme::drawPanel(p, rect());
}
