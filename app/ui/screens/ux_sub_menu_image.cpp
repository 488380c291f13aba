#include "ui/screens/ux_sub_menu_image.h"

#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"

#include <QPainter>

namespace {

constexpr int kChosenFrame = 3;  // "border: 3px solid rgb(255,0,0)"
constexpr int kGap = 4;

SmallImageData::KindImages& cache() {
    static SmallImageData::KindImages images;
    return images;
}

}  // namespace

UxSubMenuImage::UxSubMenuImage(QWidget* parent) : UxKeyWidget(parent) {
    m_title = new UxTitleBar(this);
}

bool UxSubMenuImage::loadSmallImageData() {
    if (!cache().isEmpty()) return true;
    SmallImageData::KindImages images;
    if (!SmallImageData::load(QString::fromLatin1(SmallImageData::kResourcePath), &images))
        return false;
    cache() = images;
    return true;
}

void UxSubMenuImage::showMenuImage(const QString& title, const QString& kind, int* field) {
    loadSmallImageData();
    m_title->setTitleText(title);
    m_kind = kind;
    m_field = field;
    m_choice = qBound(0, field ? *field : 0, kChoices - 1);
    layOut();
    keepInsideParent();
    update();
    show();
}

QString UxSubMenuImage::getTitle() const {
    return m_title->getTitle();
}

QImage UxSubMenuImage::previewImage(int choice) const {
    const QVector<QImage> images = cache().value(m_kind);
    if (choice >= 0 && choice < images.size()) return images.at(choice);
    return QImage();
}

void UxSubMenuImage::choose(int choice) {
    m_choice = qBound(0, choice, kChoices - 1);
    if (m_field) *m_field = m_choice;
    layOut();
    update();
}

void UxSubMenuImage::keyClicked(EnumKey key) {
    switch (key) {
        case EnumKey::Left:
        case EnumKey::Up:
            keyTone();
            choose(m_choice - 1);
            break;
        case EnumKey::Right:
        case EnumKey::Down:
            keyTone();
            choose(m_choice + 1);
            break;
        case EnumKey::Enter:
        case EnumKey::Escape:
        case EnumKey::Menu:
            keyTone();
            hide();
            break;
        default:
            break;
    }
}

void UxSubMenuImage::resizeEvent(QResizeEvent* event) {
    UxKeyWidget::resizeEvent(event);
    const int f = UxTheme::kFrameWidth;
    m_title->setGeometry(f, f, width() - 2 * f, UxTheme::kTitleHeight);
    layOut();
}

QRect UxSubMenuImage::choiceRect(int choice) const {
    const int f = UxTheme::kFrameWidth;
    const QRect area(f + kGap, f + UxTheme::kTitleHeight + kGap, width() - 2 * (f + kGap),
                     height() - 2 * f - UxTheme::kTitleHeight - 2 * kGap);
    const int cell = (area.width() - (kChoices - 1) * kGap) / kChoices;
    return QRect(area.left() + choice * (cell + kGap), area.top(), cell, area.height());
}

// A field is a choice's picture, inside the room the chosen one's frame takes.
void UxSubMenuImage::layOut() {
    m_fields.clear();
    const QMargins frame(kChosenFrame, kChosenFrame, kChosenFrame, kChosenFrame);
    for (int i = 0; i < kChoices; ++i) {
        const QRect picture = choiceRect(i).marginsRemoved(frame);
        const QImage image = previewImage(i);
        // Without the data file each choice is at least told apart by its number.
        FieldTable::StructField& f = m_fields.label(
            picture,
            image.isNull() ? FieldTable::fixedText(QString::number(i + 1)) : FieldTable::Text(),
            Qt::AlignHCenter);
        if (image.isNull()) {
            f.fill = UxTheme::kTrack;
        } else {
            f.icon = QPixmap::fromImage(image);
            f.iconRect = picture;
        }
        if (i != m_choice) continue;
        f.outline = UxTheme::kChosenFrame;
        f.outlineWidth = kChosenFrame;
    }
}

QVector<StructTextBox> UxSubMenuImage::textBoxes() const {
    return m_fields.textBoxes(m_title);
}

void UxSubMenuImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    UxTheme::drawPanel(p, rect());
    m_fields.paint(p);
}
