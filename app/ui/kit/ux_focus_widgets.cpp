#include "ui/kit/ux_focus_widgets.h"

#include <QFontMetrics>
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

}  // namespace

void UxFocusStyle::wear(QWidget* w, QString* saved, const char* focusStyle) {
    *saved = w->styleSheet();
    w->setStyleSheet(QString::fromLatin1(focusStyle));
}

void UxFocusStyle::takeOff(QWidget* w, const QString& saved) {
    w->setStyleSheet(saved);
    QToolTip::hideText();
}

UxFocusButton::UxFocusButton(const QString& text, QWidget* parent)
    : UxFocusField(kYellow, text, parent) {}

bool UxFocusButton::textTooWide() const {
    return QFontMetrics(font()).horizontalAdvance(text()) > contentsRect().width();
}

void UxFocusButton::focusTaken() {
    if (textTooWide()) QToolTip::showText(mapToGlobal(QPoint(0, height())), text(), this);
}

UxFocusLineEdit::UxFocusLineEdit(QWidget* parent) : UxFocusField(kGreen, parent) {}

UxFocusChBox::UxFocusChBox(const QString& text, QWidget* parent)
    : UxFocusField(kBlueBand, text, parent) {}

UxFocusLabel::UxFocusLabel(const QString& text, QWidget* parent)
    : UxFocusField(kLabelBand, text, parent) {}

UxFocusIcoLabel::UxFocusIcoLabel(QWidget* parent) : UxFocusField(kGreen, parent) {
    setAlignment(Qt::AlignCenter);
}
