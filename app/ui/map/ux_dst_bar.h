#pragma once

#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <array>

// The distance bar of the course and target screens: up to five points in a row (relative
// coordinates, unset as (9999, 9999)) and the distance between each neighbouring pair, in the
// current distance unit, or "-.-" where either point is unset.
class UxDstBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPoints = 5;
    static constexpr int kUnsetCoor = 9999;

    explicit UxDstBar(QWidget* parent = nullptr);

    // Index 0 to 4; any other index is ignored.
    void setRelativeCoor(int index, const QPoint& point);
    // The four distance texts, left to right.
    QStringList texts() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool isSet(int index) const;

    std::array<QPoint, kPoints> m_points;
};
