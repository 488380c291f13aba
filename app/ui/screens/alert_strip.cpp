#include "ui/screens/alert_strip.h"

#include "ui/kit/ux_theme.h"

#include <QPainter>

UxAlertStrip::UxAlertStrip(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void UxAlertStrip::setView(const StructAlertStripView& view, const QPoint& place, int width) {
    const bool same = view.lines == m_view.lines && view.ground == m_view.ground;
    m_view = view;
    if (view.lines.isEmpty()) {
        hide();
        return;
    }
    setGeometry(place.x(), place.y(), width, int(view.lines.size()) * kLine + 2 * kPad);
    if (!same) update();
    if (!isVisible()) show();
    raise();
}

void UxAlertStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_view.ground);
    for (int i = 0; i < m_view.lines.size(); ++i) {
        QFont font = UxTheme::font();
        font.setBold(i == 0);
        p.setFont(font);
        const QRect box(kPad, kPad + i * kLine, width() - 2 * kPad, kLine);
        UxTheme::drawText(p, box, m_view.lines.at(i), m_view.ink,
                          i == 0 ? int(Qt::AlignHCenter) : 0);
    }
}
