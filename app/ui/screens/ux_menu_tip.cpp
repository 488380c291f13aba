#include "ui/screens/ux_menu_tip.h"

#include "ui/kit/ux_theme.h"

#include <QFontMetrics>
#include <QPainter>

UxMenuTip::UxMenuTip(QWidget* parent) : UxKeyWidget(parent) {}

void UxMenuTip::showMenuTip(const QString& text, int width) {
    m_text = text;
    resize(width, height());
    update();
    show();
}

QRect UxMenuTip::textBox() const {
    return rect().adjusted(kPad, 0, -kPad, 0);
}

QVector<StructTextBox> UxMenuTip::textBoxes() const {
    if (m_text.isEmpty()) return {};
    return {{m_text, textBox(), UxTheme::fitFont(UxTheme::font(), m_text, textBox().width())}};
}

namespace {
// The names the tip passes keys on by, and the key the page list takes each for.
const struct {
    const char* name;
    EnumKey key;
} kTipNames[] = {{"esc", EnumKey::Escape},
                 {"up", EnumKey::Up},
                 {"down", EnumKey::Down},
                 {"enter", EnumKey::Enter},
                 {"c", EnumKey::Change}};
}  // namespace

QString UxMenuTip::keyName(EnumKey key) {
    // Menu closes like escape, and Right chooses like enter, as on the page list.
    if (key == EnumKey::Menu) key = EnumKey::Escape;
    if (key == EnumKey::Right) key = EnumKey::Enter;
    for (const auto& t : kTipNames) {
        if (t.key == key) return QLatin1String(t.name);
    }
    return QString();
}

EnumKey UxMenuTip::keyOfName(const QString& name) {
    for (const auto& t : kTipNames) {
        if (name == QLatin1String(t.name)) return t.key;
    }
    return EnumKey::None;
}

void UxMenuTip::keyClicked(EnumKey key) {
    // The page list sounds the key tone when it acts on the key.
    const QString name = keyName(key);
    if (!name.isEmpty()) emit signal_keyClick(name);
}

void UxMenuTip::keyReleased(EnumKey key) {
    emit signal_keyRelease(key);
}

void UxMenuTip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), UxTheme::kSelect);
    p.setPen(QPen(UxTheme::kSelectInk, UxTheme::kFrameWidth));
    p.drawRect(rect().adjusted(1, 1, -1, -1));
    p.setFont(UxTheme::font());
    UxTheme::drawText(p, textBox(), m_text, UxTheme::kSelectInk);
}
