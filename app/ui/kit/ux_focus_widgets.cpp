#include "ui/kit/ux_focus_widgets.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QToolTip>

namespace {

const char kGreen[] = "background-color: green";
const char kYellow[] = "background-color: yellow";
const char kBlueBand[] =
    "spacing: 5px;color: white; background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
    "stop:0 #FFFFFF, stop:0.2 #0000ff, stop:0.8 #0000ff, stop:1 #FFFFFF)";
const char kLabelBand[] =
    "color: white; background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, "
    "stop:0.2 #0000ff, stop:0.8 #0000ff, stop:1 #FFFFFF);";

// Focus in: remember the widget's own style and put on the focus style.
void focusOn(QWidget* w, QString* saved, const char* style) {
    *saved = w->styleSheet();
    w->setStyleSheet(QString::fromLatin1(style));
}

void focusOff(QWidget* w, const QString& saved) {
    w->setStyleSheet(saved);
    QToolTip::hideText();
}

}  // namespace

// A key the field does not handle goes to its parent screen.
#define UX_PASS_KEYS(Class)                         \
    void Class::keyPressEvent(QKeyEvent* event) {   \
        event->ignore();                            \
    }                                               \
    void Class::keyReleaseEvent(QKeyEvent* event) { \
        event->ignore();                            \
    }

UX_PASS_KEYS(UxFocusButton)
UX_PASS_KEYS(UxFocusLineEdit)
UX_PASS_KEYS(UxFocusChBox)
UX_PASS_KEYS(UxFocusLabel)
UX_PASS_KEYS(UxFocusIcoLabel)

#undef UX_PASS_KEYS

UxFocusButton::UxFocusButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setFocusPolicy(Qt::StrongFocus);
}

bool UxFocusButton::textTooWide() const {
    return QFontMetrics(font()).horizontalAdvance(text()) > contentsRect().width();
}

void UxFocusButton::focusInEvent(QFocusEvent* event) {
    QPushButton::focusInEvent(event);
    focusOn(this, &m_style, kYellow);
    if (textTooWide()) QToolTip::showText(mapToGlobal(QPoint(0, height())), text(), this);
}

void UxFocusButton::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    focusOff(this, m_style);
}

UxFocusLineEdit::UxFocusLineEdit(QWidget* parent) : QLineEdit(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void UxFocusLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    focusOn(this, &m_style, kGreen);
}

void UxFocusLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    focusOff(this, m_style);
}

UxFocusChBox::UxFocusChBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void UxFocusChBox::focusInEvent(QFocusEvent* event) {
    QCheckBox::focusInEvent(event);
    focusOn(this, &m_style, kBlueBand);
}

void UxFocusChBox::focusOutEvent(QFocusEvent* event) {
    QCheckBox::focusOutEvent(event);
    focusOff(this, m_style);
}

UxFocusLabel::UxFocusLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void UxFocusLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    focusOn(this, &m_style, kLabelBand);
}

void UxFocusLabel::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    focusOff(this, m_style);
}

UxFocusIcoLabel::UxFocusIcoLabel(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAlignment(Qt::AlignCenter);
}

void UxFocusIcoLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    focusOn(this, &m_style, kGreen);
}

void UxFocusIcoLabel::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    focusOff(this, m_style);
}
