#include "ui/screens/ux_sub_menu_go_back.h"

#include "base/tr_resource.h"
#include "ui/kit/ux_line_editor.h"
#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"
#include "ui/screens/ux_small_menu.h"

#include <QPainter>

namespace {
constexpr int kFrame = UxTheme::kFrameWidth;
constexpr int kTop = kFrame + UxTheme::kTitleHeight + 4;
constexpr int kRowHeight = 27;
constexpr int kLabelWidth = 70;
const QRect kMenuPlace(60, 200, 185, 60);

QString homeText() {
    return TrResource::getTrString(TR_HomePosition);
}
}  // namespace

UxSubMenuGoBack::UxSubMenuGoBack(QWidget* parent) : UxKeyWidget(parent) {
    resize(200, 160);
    layOut();
    m_fields.setFocus(FocusTarget1);
    m_title = new UxTitleBar(this);
    m_title->setGeometry(kFrame, kFrame, width() - 2 * kFrame, UxTheme::kTitleHeight);
    QWidget* screen = parent ? parent : this;
    m_menu = new UxSmallMenu(false, screen);
    m_menu->setGeometry(kMenuPlace);
    m_menu->hide();
    connect(m_menu, &UxSmallMenu::signal_itemClick, this, &UxSubMenuGoBack::menuClick);
    m_editor = new UxLineEditor(screen);
    m_editor->hide();
    connect(m_editor, &UxLineEditor::signal_editorConfirm, this, [this](const QString& text) {
        // The tens reach 5 only: 00 to 59.
        (focus() == FocusMinutes ? m_wait.minutes : m_wait.seconds) = text;
        update();
    });
}

QVector<QWidget*> UxSubMenuGoBack::popups() const {
    return {m_menu, m_editor};
}

// A field holding "Home Position" in any language shows it in today's, so that a language
// change keeps its meaning.
void UxSubMenuGoBack::showGoBack() {
    for (StructTarget& t : m_targets) {
        if (TrResource::isTextOfAnyLanguage(TR_HomePosition, t.text)) t.text = homeText();
    }
    m_title->setTitleText(TrResource::getTrString(TR_GoBack));
    m_fields.setFocus(FocusTarget1);
    keepInsideParent();
    show();
    raise();
    window()->activateWindow();
    update();
}

void UxSubMenuGoBack::setWaypoint(int slot, const QString& name) {
    m_targets[m_asking] = {name, slot};
    update();
}

int UxSubMenuGoBack::getLEditIdx(int which) const {
    const StructTarget& t = m_targets[which == 2 ? 1 : 0];
    return t.text == homeText() ? kHome : t.slot;
}

int UxSubMenuGoBack::getOverTime() const {
    return m_wait.totalSeconds();
}

bool UxSubMenuGoBack::targetIsEmpty(int which) const {
    return m_targets[which == 2 ? 1 : 0].text.isEmpty();
}

bool UxSubMenuGoBack::lEditIsEmpty() const {
    return targetIsEmpty(1) || targetIsEmpty(2);
}

StructGoBackRequest UxSubMenuGoBack::request() const {
    StructGoBackRequest r;
    r.firstSlot = getLEditIdx(1);
    r.secondSlot = getLEditIdx(2);
    r.fieldsEmpty = lEditIsEmpty();
    r.firstEmpty = targetIsEmpty(1);
    r.secondEmpty = targetIsEmpty(2);
    r.waitSeconds = getOverTime();
    return r;
}

QString UxSubMenuGoBack::fieldText(int focus) const {
    return m_fields.textOf(focus);
}

void UxSubMenuGoBack::keyClicked(EnumKey key) {
    if (m_fields.step(key)) key = EnumKey::None;
    switch (key) {
        case EnumKey::None:
            break;
        case EnumKey::Enter:
            enter();
            break;
        case EnumKey::Escape:
        case EnumKey::Menu:
            hide();
            break;
        default:
            return;
    }
    keyTone();
    update();
}

void UxSubMenuGoBack::enter() {
    switch (focus()) {
        case FocusTarget1:
        case FocusTarget2:
            m_asking = targetOf(focus());
            m_menu->move(kMenuPlace.topLeft());
            m_menu->showSmallMenu(
                {TrResource::getTrString(TR_Waypoint), TrResource::getTrString(TR_HomePosition)});
            break;
        case FocusMinutes:
        case FocusSeconds:
            m_editor->move(x() + 20, y() + height() + 4);
            m_editor->showLineEditor(fieldText(focus()), StructWaitTime::charSets(),
                                     QStringLiteral("left"));
            break;
        case FocusStart:
            emit signal_startGoBack();
            break;
        default:
            hide();
            break;
    }
}

void UxSubMenuGoBack::menuClick(int row) {
    m_menu->hide();
    if (row == 0) {
        emit signal_selectWaypoint(QStringLiteral("goBack"));
    } else if (row == 1) {
        m_targets[m_asking] = {homeText(), kHome};
        update();
    } else {
        emit signal_invalidItem(QStringLiteral("Small-GB-00") + QString::number(row));
    }
}

// --- The drawing --------------------------------------------------------------------------------

// Three rows of a label and its fields, the two buttons below.
void UxSubMenuGoBack::layOut() {
    m_fields.clear();
    const auto top = [](int row) { return kTop + row * kRowHeight; };
    const EnumTrString labels[] = {TR_Target, TR_Delay, TR_Target};
    for (int row = 0; row < 3; ++row)
        m_fields
            .label(QRect(kFrame + 4, top(row), kLabelWidth, kRowHeight),
                   FieldTable::trText(labels[row]))
            .ink = UxTheme::kFixedInk;
    const int x = kFrame + 4 + kLabelWidth;
    const int w = width() - 2 * kFrame - kLabelWidth - 10;
    const int h = kRowHeight - 3;
    m_fields.label(QRect(x + 32, top(1), 30, h), FieldTable::fixedText(QStringLiteral(":")));
    m_fields.value(FocusTarget1, QRect(x, top(0), w, h), [this] { return m_targets[0].text; });
    m_fields.value(FocusMinutes, QRect(x, top(1), 30, h), [this] { return m_wait.minutes; });
    m_fields.value(FocusSeconds, QRect(x + 44, top(1), 30, h), [this] { return m_wait.seconds; });
    m_fields.value(FocusTarget2, QRect(x, top(2), w, h), [this] { return m_targets[1].text; });
    const int bw = (width() - 2 * kFrame - 18) / 2;
    const QRect start(kFrame + 6, top(3) + 2, bw, kRowHeight);
    m_fields.button(FocusStart, start, FieldTable::trText(TR_Start));
    m_fields.button(FocusExit, start.translated(bw + 6, 0), FieldTable::trText(TR_Exit));
}

void UxSubMenuGoBack::resizeEvent(QResizeEvent* event) {
    UxKeyWidget::resizeEvent(event);
    layOut();
}

QVector<StructTextBox> UxSubMenuGoBack::textBoxes() const {
    return m_fields.textBoxes(m_title);
}

void UxSubMenuGoBack::paintEvent(QPaintEvent*) {
    QPainter p(this);
    UxTheme::drawPanel(p, rect());
    m_fields.paint(p);
}
