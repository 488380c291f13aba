#include "ui/ux_menu_tip.h"

#include "ui/ux_theme.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

UxMenuTip::UxMenuTip(QWidget* parent) : UxKeyWidget(parent) {}

int UxMenuTip::widthFor(const QString& text) {
    return QFontMetrics(UxTheme::font()).horizontalAdvance(text) + 2 * kPad;
}

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
    return {{m_text, textBox(), UxTheme::font()}};
}

QString UxMenuTip::keyName(int key) {
    switch (key) {
        case Qt::Key_Escape:
        case Qt::Key_M:
            return QStringLiteral("esc");
        case Qt::Key_Up:
            return QStringLiteral("up");
        case Qt::Key_Down:
            return QStringLiteral("down");
        case Qt::Key_Enter:
        case Qt::Key_Return:
        case Qt::Key_Right:
            return QStringLiteral("enter");
        case Qt::Key_C:
            return QStringLiteral("c");
        default:
            return QString();
    }
}

void UxMenuTip::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (event->isAutoRepeat()) return;
    const QString name = keyName(event->key());
    if (!name.isEmpty()) emit signal_keyClick(name);
}

void UxMenuTip::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    if (!event->isAutoRepeat()) emit signal_keyRelease(event->key());
}

void UxMenuTip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), UxTheme::kSelect);
    p.setPen(QPen(UxTheme::kSelectInk, UxTheme::kFrameWidth));
    p.drawRect(rect().adjusted(1, 1, -1, -1));
    p.setFont(UxTheme::font());
    UxTheme::drawText(p, textBox(), m_text, UxTheme::kSelectInk);
}
