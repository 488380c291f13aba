#pragma once

#include <QGraphicsObject>
#include <QPixmap>

// The start-up screen: the logo of the unit's model and a progress bar that advances once per
// construction step of the controller.
class ItemLogo : public QGraphicsObject {
    Q_OBJECT
public:
    explicit ItemLogo(QGraphicsItem* parent = nullptr);

    // Chooses the picture for the model letter and resets the progress to 0 of `steps`.
    void showLogo(char model, int steps);
    // Advances the progress by one step and repaints at once (the event loop is not running
    // yet while the controller is built).
    void stepGo();

    int steps() const { return m_steps; }
    int done() const { return m_done; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QPixmap m_background;
    QPixmap m_model;
    int m_steps = 1;
    int m_done = 0;
};
