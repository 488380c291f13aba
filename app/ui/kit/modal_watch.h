#pragma once

#include <QPointer>
#include <QVector>
#include <QWidget>

// The menus and dialogs that cover the main screen: while one of them is shown the main
// screen is dimmed.
class ModalWatch {
public:
    void add(QWidget* widget) {
        if (widget && !m_widgets.contains(widget)) m_widgets << widget;
    }
    bool anyVisible() const {
        for (const QPointer<QWidget>& w : m_widgets) {
            if (w && w->isVisible()) return true;
        }
        return false;
    }

private:
    QVector<QPointer<QWidget>> m_widgets;
};
