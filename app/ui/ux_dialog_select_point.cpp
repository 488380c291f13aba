#include "ui/ux_dialog_select_point.h"

#include "core/base/tr_resource.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

UxDialogSelectPoint::UxDialogSelectPoint(QWidget* parent) : UxDialog(parent) {
    m_text = newBodyLabel();
    body()->addWidget(m_text);
}

void UxDialogSelectPoint::select_show(const QString& longitude, const QString& latitude,
                                      const QString& distance) {
    setTitleBar(QString(), TrResource::getTrString(TR_Cursor));
    setTexts(longitude, latitude, distance);
    showAndFocus();
}

void UxDialogSelectPoint::setTexts(const QString& longitude, const QString& latitude,
                                   const QString& distance) {
    m_text->setText(QStringLiteral("%1\n%2\n%3: %4")
                        .arg(latitude, longitude, TrResource::getTrString(TR_DstToBoat), distance));
    fitHeight();
}

QString UxDialogSelectPoint::text() const {
    return m_text->text();
}

void UxDialogSelectPoint::keyPressed(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            emit signal_keyClick(QStringLiteral("up"), kStep);
            break;
        case Qt::Key_Down:
            emit signal_keyClick(QStringLiteral("down"), kStep);
            break;
        case Qt::Key_Left:
            emit signal_keyClick(QStringLiteral("left"), kStep);
            break;
        case Qt::Key_Right:
            emit signal_keyClick(QStringLiteral("right"), kStep);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_I:
            hide();
            emit signal_keyClick(QStringLiteral("enter"), kStep);
            break;
        case Qt::Key_Escape:
        case Qt::Key_M:
        case Qt::Key_C:
        case Qt::Key_O:
            hide();
            break;
        default:
            break;
    }
}
