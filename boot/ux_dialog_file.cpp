#include "ux_dialog_file.h"

#include "package_files.h"
#include "tr_resource.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

UxDialogFile::UxDialogFile(const QString& dir, const QString& filter, QWidget* parent)
    : QWidget(parent),
      m_dir(dir),
      m_filter(filter),
      m_title(new QLabel(this)),
      m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("fileDialog"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(
        QStringLiteral("#fileDialog{background-color:#1b2a4a;}"
                       "#fileDialog QLabel{color:white;}"));
    m_title->setAlignment(Qt::AlignCenter);
    m_list->setStyleSheet(
        QStringLiteral("border: 0px;selection-background-color: #fdad00;"
                       "selection-color: #ffffff;background-color: #fdfdfd;"));
    m_list->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_title);
    layout->addWidget(m_list);
    hide();
}

QStringList UxDialogFile::scanFile() const {
    return PackageFiles::list(m_dir, m_filter);
}

void UxDialogFile::Show(const QStringList& names) {
    m_title->setText(TrResource::getTrString(EnumText::SelectFile));
    m_list->clear();
    m_list->addItems(names);
    m_list->setCurrentRow(0);
    show();
    raise();
    m_list->setFocus();
}

bool UxDialogFile::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    emit signal_keyClick();
    const int rows = m_list->count();
    switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Escape:
        case Qt::Key_M:
            emit signal_EscKeyPressed();
            break;
        case Qt::Key_Up:
            if (rows > 0) m_list->setCurrentRow((m_list->currentRow() + rows - 1) % rows);
            break;
        case Qt::Key_Down:
            if (rows > 0) m_list->setCurrentRow((m_list->currentRow() + 1) % rows);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_list->currentItem()) emit signal_DialogFileNameGet(m_list->currentItem()->text());
            break;
        default:
            break;
    }
    // The list's own keys (type-ahead, paging) are not the keypad's.
    return true;
}
