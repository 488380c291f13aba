#pragma once

#include <QPixmap>
#include <QString>
#include <deque>

// The panels' last pictures, shared by all of them: a panel that shows what one of them showed
// a moment ago (several showing the time of day, a depth going back and forth between two
// values) takes that picture instead of laying out and drawing its texts again.
class InfoPanPictures {
public:
    // Everything a panel's picture is drawn from.
    struct StructLook {
        int width = 0;
        int height = 0;
        int titleHeight = 0;
        QString title;
        QString value;
        qint64 icon = 0;  // the icon's cache key, 0 for none
        bool selected = false;
        bool operator==(const StructLook& o) const {
            return width == o.width && height == o.height && titleHeight == o.titleHeight &&
                   icon == o.icon && selected == o.selected && value == o.value && title == o.title;
        }
    };

    static constexpr size_t kKept = 12;

    // The picture of look, or a null one.
    QPixmap find(const StructLook& look);
    // Keeps picture as that of look; the oldest picture goes past kKept.
    void keep(const StructLook& look, const QPixmap& picture);

private:
    std::deque<std::pair<StructLook, QPixmap>> m_recent;  // most recently used first
};
