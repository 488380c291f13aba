#pragma once

#include "ui/kit/ux_key_widget.h"

#include <QWidget>

// The title across the top of an editor or list: the title on the left and an optional second
// text on the right. getTitle() tells the controller which editor was confirmed.
class UxTitleBar : public QWidget {
    Q_OBJECT
public:
    explicit UxTitleBar(QWidget* parent = nullptr);

    void setTitleText(const QString& title, const QString& subtitle = QString());
    QString getTitle() const { return m_title; }
    QString getSubtitle() const { return m_subtitle; }

    // The title's and the second text's boxes, in this widget's coordinates.
    QVector<StructTextBox> textBoxes() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect titleBox() const;
    QRect subtitleBox() const;

    QString m_title;
    QString m_subtitle;
};
