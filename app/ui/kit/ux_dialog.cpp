#include "ui/kit/ux_dialog.h"

#include "platform/handset_board.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {
constexpr int kTitleHeight = 28;
constexpr int kFrame = 2;
constexpr int kRadius = 6;

QFont pixelFont(int pixels, bool bold) {
    QFont font;  // the application font
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
}  // namespace

UxDialog::UxDialog(QWidget* parent) : QWidget(parent) {
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::StrongFocus);
    setFixedWidth(kWidth);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(kFrame, kFrame, kFrame, kMargin);
    outer->setSpacing(6);

    auto* bar = new QWidget(this);
    bar->setFixedHeight(kTitleHeight);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(kMargin - kFrame, 0, kMargin - kFrame, 0);
    barLayout->setSpacing(8);
    m_code = new QLabel(bar);
    m_code->setFont(pixelFont(kBodyPixel, false));
    m_code->setStyleSheet(QStringLiteral("color:#ffffff;background:transparent;"));
    m_title = new QLabel(bar);
    m_title->setFont(pixelFont(kTitlePixel, true));
    m_title->setStyleSheet(QStringLiteral("color:#ffffff;background:transparent;"));
    barLayout->addWidget(m_code);
    barLayout->addWidget(m_title, 1);
    outer->addWidget(bar);

    m_body = new QVBoxLayout();
    m_body->setContentsMargins(kMargin - kFrame, 0, kMargin - kFrame, 0);
    m_body->setSpacing(6);
    outer->addLayout(m_body, 1);
    hide();
}

QString UxDialog::titleText() const {
    return m_title->text();
}

QString UxDialog::codeText() const {
    return m_code->text();
}

void UxDialog::setTitleBar(const QString& code, const QString& title) {
    m_code->setText(code);
    m_code->setVisible(!code.isEmpty());
    m_title->setText(title);
}

QLabel* UxDialog::newBodyLabel(Qt::Alignment align) {
    auto* label = new QLabel(this);
    label->setFont(pixelFont(kBodyPixel, false));
    label->setWordWrap(true);
    label->setAlignment(align);
    label->setStyleSheet(QStringLiteral("color:#ffffff;background:transparent;"));
    return label;
}

void UxDialog::fitHeight() {
    // Wrapped texts need the height that goes with the fixed width; adjustSize alone sizes a
    // window by its wider natural hint and cuts wrapped lines off.
    layout()->activate();
    const int need = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(kWidth)
                                                   : layout()->totalSizeHint().height();
    resize(kWidth, qMax(minimumHeight(), need));
}

void UxDialog::showAndFocus() {
    fitHeight();
    if (isVisible()) raise();  // shown again over a newer window
    QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active != this) m_windowBefore = active;
    show();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void UxDialog::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    QWidget* before = m_windowBefore.data();
    m_windowBefore.clear();
    // Only when no other window has taken the keys meanwhile (hiding has let them go).
    QWidget* active = QApplication::activeWindow();
    if (before != nullptr && before->isVisible() && !event->spontaneous() &&
        (active == nullptr || active == this))
        before->activateWindow();
}

void UxDialog::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(QColor(QLatin1String("#e8eef6")), kFrame));
    p.setBrush(QColor(QLatin1String(groundColor())));
    p.drawRoundedRect(box, kRadius, kRadius);
    // The title band, inside the frame; its lower corners stay square.
    QPainterPath band;
    band.setFillRule(Qt::WindingFill);  // the two shapes overlap; their union is the band
    const QRectF top(kFrame, kFrame, width() - 2 * kFrame, kTitleHeight);
    band.addRoundedRect(top, kRadius - 1, kRadius - 1);
    band.addRect(top.adjusted(0, kRadius, 0, 0));
    p.setPen(Qt::NoPen);
    p.fillPath(band.simplified(), QColor(QLatin1String(titleColor())));
}

void UxDialog::ignoreKeyboardRepeat() {
    KeyInput::StructRules rules;
    rules.clickOnAutoRepeat = false;
    m_input = KeyInput(rules);
}

void UxDialog::act(const KeyInput::Actions& actions) {
    for (const KeyInput::StructAction& a : actions) {
        if (a.kind == KeyInput::StructAction::Click) keyPressed(a.key);
        if (a.kind == KeyInput::StructAction::Release) keyReleased(a.key);
    }
}

void UxDialog::keyReleased(EnumKey) {}

void UxDialog::keyPressEvent(QKeyEvent* event) {
    Global::beeperOn(QStringLiteral("key"));
    act(m_input.press(Keypad::fromQtKey(event->key()), event->isAutoRepeat()));
    event->accept();
}

void UxDialog::keyReleaseEvent(QKeyEvent* event) {
    act(m_input.release(Keypad::fromQtKey(event->key()), event->isAutoRepeat()));
    event->accept();
}
