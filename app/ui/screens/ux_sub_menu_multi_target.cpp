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
constexpr int kSnWidth = 30;
constexpr int kDelayWidth = 60;
constexpr int kIconSize = 18;
const QRect kMenuPlace(60, 200, 185, 60);

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

QPoint pointOf(const StructWaypoint& w) {
    return Convert::navi_ddS32_to_relativeCoor(Convert::dmString_to_ddS32_Lon(w.longitude),
                                               Convert::dmString_to_ddS32_Lat(w.latitude));
}
}  // namespace

UxSubMenuMultiTarget::UxSubMenuMultiTarget(MultiTargetList& list, QWidget* parent)
    : UxKeyWidget(parent), m_list(list) {
    resize(260, 450);
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
            [this](const QString& text) { m_list.setDelay(m_focus / 2, text.toInt()); });
    connect(&m_list, &MultiTargetList::changed, this, &UxSubMenuMultiTarget::refresh);
}

QVector<QWidget*> UxSubMenuMultiTarget::popups() const {
    return {m_menu, m_editor};
}

// --- The list ----------------------------------------------------------------------------------

void UxSubMenuMultiTarget::setWaypoint(const StructWaypoint& waypoint) {
    m_list.setWaypoint(m_focus < FocusSelect ? m_focus / 2 : 0, waypoint);
}

void UxSubMenuMultiTarget::deleteCurrentTarget() {
    if (m_focus < FocusSelect) m_list.clear(m_focus / 2);
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
    m_focus = FocusSelect;
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

// In the table the arrows walk the cells and then the buttons; outside it only the buttons.
void UxSubMenuMultiTarget::moveFocus(EnumKey key) {
    const int f = m_focus;
    if (!m_entered) {
        const bool forward = key == EnumKey::Down || key == EnumKey::Right;
        m_focus = forward ? (f == FocusImport ? FocusSelect : f + 1)
                          : (f == FocusSelect ? FocusImport : f - 1);
        return;
    }
    switch (key) {
        case EnumKey::Down:
            m_focus = f < 8 ? f + 2 : f < FocusSelect ? FocusSelect : f == FocusImport ? 0 : f + 1;
            break;
        case EnumKey::Up:
            m_focus = f <= 1 ? FocusImport : f < FocusSelect ? f - 2 : f - 1;
            break;
        case EnumKey::Left:
            m_focus = f == 0 ? FocusImport : f - 1;
            break;
        default:
            m_focus = f == FocusImport ? 0 : f + 1;
            break;
    }
}

void UxSubMenuMultiTarget::enter() {
    if (m_focus < FocusSelect && m_focus % 2 == 0) {
        if (m_list.at(m_focus / 2).isEmpty()) {
            emit signal_selectWaypoint(QStringLiteral("multiTarget"));
        } else {
            m_menu->move(kMenuPlace.topLeft());
            m_menu->showSmallMenu({trText(TR_Waypoint), trText(TR_Delete)});
        }
    } else if (m_focus < FocusSelect) {
        const QString digits = QStringLiteral("0123456789");
        m_editor->move(x() + 20, y() + cellRect(m_focus).bottom() + 4);
        m_editor->showLineEditor(delayText(m_focus / 2).rightJustified(3, QLatin1Char('0')),
                                 {digits, digits, digits}, QStringLiteral("left"));
    } else if (m_focus == FocusSelect) {
        m_entered = true;
        m_focus = 0;
    } else if (m_focus == FocusStart) {
        startCheck();
    } else if (m_focus == FocusExit) {
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
    update();
}

QRect UxSubMenuMultiTarget::cellRect(int position) const {
    const int top = kRowsTop + (position / 2) * kRowHeight;
    const int nameLeft = kFrame + 6 + kSnWidth;
    const int delayLeft = width() - kFrame - 6 - kDelayWidth;
    if (position % 2 == 0) return QRect(nameLeft, top, delayLeft - nameLeft - 4, kRowHeight - 2);
    return QRect(delayLeft, top, kDelayWidth, kRowHeight - 2);
}

QRect UxSubMenuMultiTarget::buttonRect(int focus) const {
    const int i = focus - FocusSelect;
    const int w = (width() - 2 * kFrame - 18) / 2;
    return QRect(kFrame + 6 + (i % 2) * (w + 6), kButtonsTop + (i / 2) * (kButtonHeight + 6), w,
                 kButtonHeight);
}

QStringList UxSubMenuMultiTarget::infoLines() const {
    const int row = m_focus < FocusSelect ? m_focus / 2 : -1;
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
    QVector<StructTextBox> boxes;
    for (const StructTextBox& b : m_title->textBoxes())
        boxes.append({b.text, b.box.translated(m_title->pos()), b.font});
    for (int r = 0; r < kRows; ++r) {
        boxes.append({m_list.at(r).name, cellRect(2 * r).adjusted(0, 0, -kIconSize - 4, 0),
                      UxTheme::font(15)});
        boxes.append({delayText(r), cellRect(2 * r + 1), UxTheme::font(15)});
    }
    const QStringList lines = infoLines();
    for (int i = 0; i < lines.size(); ++i)
        boxes.append({lines.at(i),
                      QRect(kFrame + 6, kInfoTop + i * kInfoLineHeight, 240, kInfoLineHeight),
                      UxTheme::font(14)});
    return boxes;
}

void UxSubMenuMultiTarget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    UxTheme::drawPanel(p, rect());
    const int inner = width() - 2 * kFrame - 12;
    p.setFont(UxTheme::font(14));
    UxTheme::drawText(
        p, QRect(kFrame + 6, kBarTop - 20, inner, 18),
        trText(TR_Distance) + QStringLiteral(":(") + Global::getString_dstUnit() + QLatin1Char(')'),
        UxTheme::kFixedInk);
    UxTheme::drawText(p, QRect(kFrame + 6, kTableTitleTop, inner, 18), trText(TR_SelectTargets),
                      UxTheme::kFixedInk);
    const QRect header(kFrame + 4, kHeaderTop, inner + 4, 20);
    p.fillRect(header, UxTheme::kTrack);
    UxTheme::drawText(p, header.adjusted(2, 0, 0, 0), trText(TR_SN), UxTheme::kInk);
    UxTheme::drawText(p, QRect(cellRect(0).left(), kHeaderTop, 100, 20), trText(TR_Name),
                      UxTheme::kInk);
    UxTheme::drawText(p, QRect(cellRect(1).left(), kHeaderTop, kDelayWidth, 20), trText(TR_Delay),
                      UxTheme::kInk);
    p.setFont(UxTheme::font(15));
    for (int position = 0; position < FocusSelect; ++position) {
        const QRect cell = cellRect(position);
        const bool focused = m_entered && position == m_focus;
        if (focused) p.fillRect(cell, UxTheme::kSelect);
        const QColor ink = focused ? UxTheme::kSelectInk : UxTheme::kInk;
        const StructMultiTarget t = m_list.at(position / 2);
        if (position % 2 == 1) {
            UxTheme::drawText(p, cell, delayText(position / 2), ink);
            continue;
        }
        UxTheme::drawText(p, QRect(kFrame + 8, cell.top(), kSnWidth, cell.height()),
                          QString::number(position / 2 + 1), UxTheme::kInk);
        UxTheme::drawText(p, cell.adjusted(0, 0, -kIconSize - 4, 0), t.name, ink);
        if (!t.isEmpty())
            p.drawPixmap(QRect(cell.right() - kIconSize, cell.top() + 4, kIconSize, kIconSize),
                         Global::getIcon_target(t.iconIndex));
    }
    p.setFont(UxTheme::font(14));
    const QStringList lines = infoLines();
    for (int i = 0; i < lines.size(); ++i)
        UxTheme::drawText(p, QRect(kFrame + 6, kInfoTop + i * kInfoLineHeight, inner, 18),
                          lines.at(i), UxTheme::kInk);
    const EnumTrString texts[] = {TR_SelectTargets, TR_Start, TR_Exit, TR_Import};
    const char* const icons[] = {nullptr, ":/ico/button_start.png", ":/ico/button_exit.png",
                                 ":/ico/button_import.png"};
    for (int b = FocusSelect; b < kFocusCount; ++b) {
        const QRect r = buttonRect(b);
        const bool focused = b == m_focus;
        p.setPen(QPen(UxTheme::kFrame, 1));
        p.setBrush(focused ? UxTheme::kSelect : UxTheme::kTrack);
        p.drawRoundedRect(r, 3, 3);
        QRect text = r.adjusted(6, 0, -4, 0);
        if (const char* icon = icons[b - FocusSelect]) {
            p.drawPixmap(QRect(r.left() + 6, r.center().y() - 10, 20, 20),
                         QPixmap(QLatin1String(icon)));
            text.setLeft(r.left() + 30);
        }
        UxTheme::drawText(p, text, trText(texts[b - FocusSelect]),
                          focused ? UxTheme::kSelectInk : UxTheme::kInk);
    }
}
