#include "ui/kit/dialog_progress_bar.h"

#include "ui/kit/ux_dialog.h"

#include <QProgressBar>

namespace DialogProgressBar {

QProgressBar* create(QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setTextVisible(false);
    bar->setFixedHeight(14);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setStyleSheet(QStringLiteral("QProgressBar{background:#1b2c44;border:1px solid #8fa6c4;"
                                      "border-radius:3px;}QProgressBar::chunk{background:%1;}")
                           .arg(QLatin1String(UxDialog::focusColor())));
    return bar;
}

}  // namespace DialogProgressBar
