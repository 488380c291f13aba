#include "ui/kit/ux_title_bar.h"

#include "ui/kit/ux_theme.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kGap = 6;
}

UxTitleBar::UxTitleBar(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void UxTitleBar::setTitleText(const QString& title, const QString& subtitle) {
    m_title = title;
    m_subtitle = subtitle;
    update();
}

QRect UxTitleBar::subtitleBox() const {
    if (m_subtitle.isEmpty()) return QRect();
    const int w = QFontMetrics(UxTheme::font()).horizontalAdvance(m_subtitle);
    const QRect inner = rect().adjusted(UxTheme::kTextPad, 0, -UxTheme::kTextPad, 0);
    return QRect(inner.right() - w + 1, inner.top(), w, inner.height());
}

QRect UxTitleBar::titleBox() const {
    QRect box = rect().adjusted(UxTheme::kTextPad, 0, -UxTheme::kTextPad, 0);
    const QRect sub = subtitleBox();
    if (sub.isValid()) box.setRight(sub.left() - kGap);
    return box;
}

QVector<StructTextBox> UxTitleBar::textBoxes() const {
    QVector<StructTextBox> boxes;
    if (!m_title.isEmpty()) boxes.append({m_title, titleBox(), UxTheme::font()});
    if (!m_subtitle.isEmpty()) boxes.append({m_subtitle, subtitleBox(), UxTheme::font()});
    return boxes;
}

void UxTitleBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), UxTheme::kTitleBand);
    p.setFont(UxTheme::font());
    UxTheme::drawText(p, titleBox(), m_title, UxTheme::kTitleInk);
    if (!m_subtitle.isEmpty())
        UxTheme::drawText(p, subtitleBox(), m_subtitle, UxTheme::kTitleInk, Qt::AlignRight);
}
