#pragma once

#include <QGraphicsView>

// The top-level window: a frameless 272 x 480 view of the scene. It dims the whole picture
// while a menu or dialog is open.
class UxView : public QGraphicsView {
public:
    explicit UxView(QGraphicsScene* scene, QWidget* parent = nullptr);

    void setLowLight();
    void setHightLight();
    // After start-up: plain black wherever no item covers the screen, so that no piece of the
    // start-up picture shows behind the small compass or the panels.
    void setWorkingBackground();
    bool isLowLight() const;

    static constexpr int kWidth = 272;
    static constexpr int kHeight = 480;

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
};
