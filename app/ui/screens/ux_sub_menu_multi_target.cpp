#include "ui/screens/ux_sub_menu_multi_target.h"

#include "base/global.h"
#include "base/tr_resource.h"
#include "navi/convert.h"
#include "navi/geodesy.h"
#include "ui/kit/ux_line_editor.h"
#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"
#include "ui/map/target_icon.h"
#include "ui/map/ux_dst_bar.h"
#include "ui/screens/ux_small_menu.h"

#include <QPainter>

namespace {
constexpr int kFrame = UxTheme::kFrameWidth;
constexpr int kBarTop = 52;
constexpr int kTableTitleTop = 96;
constexpr int kHeaderTop = 116;
constexpr int kRowsTop = 136;
constexpr int kRowHeight = 28;
constexpr int kInfoTop = kRowsTop + UxSubMenuMultiTarget::kRows * kRowHeight + 6;
constexpr int kInfoLineHeight = 20;
constexpr int kButtonsTop = kInfoTop + 2 * kInfoLineHeight + 10;
constexpr int kButtonHeight = 40;
constexpr int kLeft = kFrame + 6;
constexpr int kSnWidth = 30;
constexpr int kDelayWidth = 60;
constexpr int kIconSize = 18;
const QRect kMenuPlace(60, 200, 185, 60);

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

// The buttons are framed and their texts left-aligned after the icon; the cells are not.
FieldTable::StructLook look() {
    FieldTable::StructLook look;
    look.frame = FieldTable::EnumFrame::Rounded;
    look.margins = QMargins(6, 0, 4, 0);
    look.fontPixels = 14;
    return look;
}

QPoint pointOf(const StructWaypoint& w) {
    return Convert::navi_ddS32_to_relativeCoor(Convert::dmString_to_ddS32_Lon(w.longitude),
                                               Convert::dmString_to_ddS32_Lat(w.latitude));
}
}  // namespace

UxSubMenuMultiTarget::UxSubMenuMultiTarget(MultiTargetList& list, QWidget* parent)
    : UxKeyWidget(parent), m_list(list), m_fields(look()) {
    resize(260, 450);
    m_fields.setFocus(FocusSelect);
    layOut();
    m_title = new UxTitleBar(this);
    m_title->setGeometry(kFrame, kFrame, width() - 2 * kFrame, UxTheme::kTitleHeight);
    m_bar = new UxDstBar(this);
    m_bar->setGeometry(14, kBarTop, width() - 28, 36);
    QWidget* screen = parent ? parent : this;
    m_menu = new UxSmallMenu(false, screen);
    m_menu->setGeometry(kMenuPlace);
    m_menu->hide();
    connect(m_menu, &UxSmallMenu::signal_itemClick, this, [this](int row) {
        m_menu->hide();
        if (row == 0) emit signal_selectWaypoint(QStringLiteral("multiTarget"));
        if (row == 1) deleteCurrentTarget();
    });
    m_editor = new UxLineEditor(screen);
    m_editor->hide();
    connect(m_editor, &UxLineEditor::signal_editorConfirm, this,
            [this](const QString& text) { m_list.setDelay(focus() / 2, text.toInt()); });
    connect(&m_list, &MultiTargetList::changed, this, &UxSubMenuMultiTarget::refresh);
}

QVector<QWidget*> UxSubMenuMultiTarget::popups() const {
    return {m_menu, m_editor};
}

// --- The list ----------------------------------------------------------------------------------

void UxSubMenuMultiTarget::setWaypoint(const StructWaypoint& waypoint) {
    m_list.setWaypoint(focus() < FocusSelect ? focus() / 2 : 0, waypoint);
}

void UxSubMenuMultiTarget::deleteCurrentTarget() {
    if (focus() < FocusSelect) m_list.clear(focus() / 2);
}

void UxSubMenuMultiTarget::getTargetInfo(int row, StructWaypoint& waypoint, int& delay) const {
    const StructMultiTarget t = m_list.at(row);
    waypoint = t;
    delay = t.delay;
}

QString UxSubMenuMultiTarget::delayText(int row) const {
    return QString::number(m_list.at(row).delay);
}

void UxSubMenuMultiTarget::setCurrentHomePoint(QPoint point) {
    m_home = point;
}

void UxSubMenuMultiTarget::setCurrentBoatPoint(QPoint point) {
    m_boat = point;
}

// --- Showing and keys ---------------------------------------------------------------------------

void UxSubMenuMultiTarget::showMultiTarget() {
    m_title->setTitleText(trText(TR_MultiTargetAutopilot));
    m_fields.setFocus(FocusSelect);
    m_entered = false;
    refresh();
    keepInsideParent();
    show();
    raise();
    window()->activateWindow();
}

void UxSubMenuMultiTarget::leave() {
    saveToNand();
    hide();
    m_entered = false;
}

void UxSubMenuMultiTarget::keyClicked(EnumKey key) {
    switch (key) {
        case EnumKey::Up:
        case EnumKey::Down:
        case EnumKey::Left:
        case EnumKey::Right:
            moveFocus(key);
            break;
        case EnumKey::Enter:
            enter();
            break;
        case EnumKey::Autopilot:
            startCheck();
            break;
        case EnumKey::Escape:
        case EnumKey::Menu:
            leave();
            break;
        default:
            return;
    }
    keyTone();
    refresh();
}

// Outside the table the arrows walk the buttons round; in it Left and Right walk the cells and
// then the buttons, and Up and Down move a cell by a row, past the last row to the first
// button and before the first row to the last button.
void UxSubMenuMultiTarget::moveFocus(EnumKey key) {
    const int f = focus();
    if (!m_entered || f >= FocusSelect || key == EnumKey::Left || key == EnumKey::Right) {
        m_fields.step(key);
        return;
    }
    const int to = f + (key == EnumKey::Down ? 2 : -2);
    m_fields.setFocus(to < 0 ? int(FocusImport) : qMin(to, int(FocusSelect)));
}

void UxSubMenuMultiTarget::enter() {
    const int f = focus();
    if (f < FocusSelect && f % 2 == 0) {
        if (m_list.at(f / 2).isEmpty()) {
            emit signal_selectWaypoint(QStringLiteral("multiTarget"));
        } else {
            m_menu->move(kMenuPlace.topLeft());
            m_menu->showSmallMenu({trText(TR_Waypoint), trText(TR_Delete)});
        }
    } else if (f < FocusSelect) {
        const QString digits = QStringLiteral("0123456789");
        m_editor->move(x() + 20, y() + m_fields.rectOf(f).bottom() + 4);
        m_editor->showLineEditor(delayText(f / 2).rightJustified(3, QLatin1Char('0')),
                                 {digits, digits, digits}, QStringLiteral("left"));
    } else if (f == FocusSelect) {
        m_entered = true;
        m_fields.setFocus(0);
    } else if (f == FocusStart) {
        startCheck();
    } else if (f == FocusExit) {
        leave();
    } else {
        m_entered = false;
        emit signal_importKml();
    }
}

// The first filled row out of reach of the boat keeps the list from starting; nothing is
// saved then.
void UxSubMenuMultiTarget::startCheck() {
    for (int r = 0; r < kRows; ++r) {
        if (m_list.at(r).isEmpty()) continue;
        if (Global::calc_pixDst(QPointF(pointOf(m_list.at(r))), QPointF(m_boat)) > kRangeM) {
            emit signal_targetTooFar(r);
            return;
        }
    }
    leave();
    emit signal_startMultiTarget();
}

// --- The drawing --------------------------------------------------------------------------------

// The bar shows the legs as they will be run: the filled rows in order, side by side.
void UxSubMenuMultiTarget::refresh() {
    int shown = 0;
    for (const StructMultiTarget& t : m_list.rows()) {
        if (!t.isEmpty()) m_bar->setRelativeCoor(shown++, pointOf(t));
    }
    while (shown < kRows)
        m_bar->setRelativeCoor(shown++, QPoint(UxDstBar::kUnsetCoor, UxDstBar::kUnsetCoor));
    layOut();
    update();
}

// The texts over the bar and the table, the rows (number, target with its icon, wait), the
// focused target's date and depth and the buttons, two by two.
void UxSubMenuMultiTarget::layOut() {
    m_fields.clear();
    const int inner = width() - 2 * kFrame - 12;
    m_fields
        .label(QRect(kLeft, kBarTop - 20, inner, 18),
               [] {
                   return trText(TR_Distance) + QStringLiteral(":(") + Global::getString_dstUnit() +
                          QLatin1Char(')');
               })
        .ink = UxTheme::kFixedInk;
    m_fields.label(QRect(kLeft, kTableTitleTop, inner, 18), FieldTable::trText(TR_SelectTargets))
        .ink = UxTheme::kFixedInk;
    FieldTable::StructField& header =
        m_fields.label(QRect(kFrame + 4, kHeaderTop, inner + 4, 20), FieldTable::trText(TR_SN));
    header.margins = QMargins(2, 0, 0, 0);
    header.fill = UxTheme::kTrack;
    const int nameLeft = kLeft + kSnWidth;
    const int delayLeft = width() - kFrame - 6 - kDelayWidth;
    m_fields.label(QRect(nameLeft, kHeaderTop, 100, 20), FieldTable::trText(TR_Name));
    m_fields.label(QRect(delayLeft, kHeaderTop, kDelayWidth, 20), FieldTable::trText(TR_Delay));
    const auto cell = [this](int focus, const QRect& rect, const FieldTable::Text& text) -> auto& {
        FieldTable::StructField& f =
            m_fields.value(m_entered ? focus : FieldTable::kNoFocus, rect, text);
        f.frame = FieldTable::EnumFrame::None;
        f.margins = QMargins();
        f.fontPixels = 15;
        return f;
    };
    for (int r = 0; r < kRows; ++r) {
        const int top = kRowsTop + r * kRowHeight;
        const int h = kRowHeight - 2;
        m_fields
            .label(QRect(kFrame + 8, top, kSnWidth, h),
                   FieldTable::fixedText(QString::number(r + 1)))
            .fontPixels = 15;
        FieldTable::StructField& name =
            cell(2 * r, QRect(nameLeft, top, delayLeft - nameLeft - 4, h),
                 [this, r] { return m_list.at(r).name; });
        name.margins.setRight(kIconSize + 4);
        const StructMultiTarget t = m_list.at(r);
        if (!t.isEmpty()) {
            name.icon = Global::getIcon_target(t.iconIndex);
            name.iconRect = QRect(name.rect.right() - kIconSize, top + 4, kIconSize, kIconSize);
        }
        cell(2 * r + 1, QRect(delayLeft, top, kDelayWidth, h), [this, r] { return delayText(r); });
    }
    for (int i = 0; i < 2; ++i)
        m_fields.label(QRect(kLeft, kInfoTop + i * kInfoLineHeight, inner, 18),
                       [this, i] { return infoLines().at(i); });
    const EnumTrString texts[] = {TR_SelectTargets, TR_Start, TR_Exit, TR_Import};
    const char* const icons[] = {nullptr, ":/ico/button_start.png", ":/ico/button_exit.png",
                                 ":/ico/button_import.png"};
    const int w = (width() - 2 * kFrame - 18) / 2;
    for (int i = 0; i < 4; ++i) {
        FieldTable::StructField& b =
            m_fields.button(FocusSelect + i,
                            QRect(kLeft + (i % 2) * (w + 6),
                                  kButtonsTop + (i / 2) * (kButtonHeight + 6), w, kButtonHeight),
                            FieldTable::trText(texts[i]));
        b.align = 0;
        if (icons[i] == nullptr) continue;
        b.icon = QPixmap(QLatin1String(icons[i]));
        b.iconRect = QRect(b.rect.left() + 6, b.rect.center().y() - 10, 20, 20);
        b.margins.setLeft(30);
    }
}

QStringList UxSubMenuMultiTarget::infoLines() const {
    const int row = focus() < FocusSelect ? focus() / 2 : -1;
    const bool set = row >= 0 && !m_list.at(row).isEmpty();
    const StructMultiTarget t = set ? m_list.at(row) : StructMultiTarget();
    const QString none = QStringLiteral("-.-");
    return {trText(TR_Date) + QStringLiteral(": ") + (set ? t.date : none),
            trText(TR_Depth) + QStringLiteral(": ") +
                (set ? Global::getString_depthValue(t.depth, 1, true) + QLatin1Char(' ') +
                           Global::getString_depthUnit()
                     : none)};
}

QVector<StructTextBox> UxSubMenuMultiTarget::textBoxes() const {
    return m_fields.textBoxes(m_title);
}

void UxSubMenuMultiTarget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    UxTheme::drawPanel(p, rect());
    m_fields.paint(p);
}
