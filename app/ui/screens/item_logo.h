#pragma once

#include <QGraphicsObject>
#include <QPixmap>

class QMovie;

// The start-up screen: the earth picture, the logo of the unit's model, a progress bar that
// advances once per construction step of the controller and the moving line under it, which
// shows that the handset is busy between two steps.
class ItemLogo : public QGraphicsObject {
    Q_OBJECT
public:
    explicit ItemLogo(QGraphicsItem* parent = nullptr);

    // Chooses the picture for the model letter, resets the progress to 0 of `steps` and
    // starts the moving line.
    void showLogo(char model, int steps);
    // Advances the progress by one step and repaints at once (the event loop is not running
    // yet while the controller is built; the moving line gets its frames here too).
    void stepGo();

    int steps() const { return m_steps; }
    int done() const { return m_done; }
    // The moving line's current frame, -1 while it does not play.
    int animationFrame() const;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    // Hiding the logo stops the line: the working screen must not pay for its frames.
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

private:
    QPixmap m_background;
    QPixmap m_model;
    QMovie* m_line = nullptr;
    int m_steps = 1;
    int m_done = 0;
};
