#include "ui/kit/ux_dialog_file.h"

#include "base/tr_resource.h"
#include "ui/kit/file_scan.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
constexpr int kRowHeight = 26;
}

UxDialogFile::UxDialogFile(QWidget* parent) : UxDialog(parent), m_cardCheck(FileScan::cardMounted) {
    m_text = newBodyLabel(Qt::AlignLeft | Qt::AlignVCenter);
    body()->addWidget(m_text);
    m_list = new QListWidget(this);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_list->setUniformItemSizes(true);
    m_list->setFixedHeight(kListRows * kRowHeight + 4);
    QFont font;
    font.setPixelSize(kBodyPixel);
    m_list->setFont(font);
    m_list->setStyleSheet(
        QStringLiteral("QListWidget{background:#0b1a2e;color:#ffffff;border:1px solid #8fa6c4;}"
                       "QListWidget::item{height:%1px;padding-left:4px;}"
                       "QListWidget::item:selected{background:%2;color:#000000;}")
            .arg(kRowHeight)
            .arg(QLatin1String(focusColor())));
    body()->addWidget(m_list);
}

void UxDialogFile::showFile(const QString& folder, const QString& pattern, const QString& type) {
    m_folder = folder;
    m_type = type;
    setTitleBar(QString(), TrResource::getTrString(TR_SelectFile));
    m_list->clear();
    m_text->setText(TrResource::getTrString(TR_ScanningFiles));
    showAndFocus();
    m_text->repaint();  // the scan blocks the event loop; show the note before it

    const FileScan::StructResult result =
        FileScan::scan(folder, pattern, !m_cardCheck || m_cardCheck());
    switch (result.status) {
        case FileScan::EnumStatus::NoCard:
            m_text->setText(TrResource::getTrString(TR_NoSdCard));
            break;
        case FileScan::EnumStatus::NoFolder:
            m_text->setText(TrResource::getTrString(TR_ReadFileFailed));
            break;
        case FileScan::EnumStatus::Listed:
            // The pattern and the count, so that an empty list says what was looked for.
            m_text->setText(QStringLiteral("%1  (%2)").arg(pattern).arg(result.names.size()));
            m_list->addItems(result.names);
            if (!result.names.isEmpty()) m_list->setCurrentRow(0);
            break;
    }
}

QString UxDialogFile::text() const {
    return m_text->text();
}

QStringList UxDialogFile::names() const {
    QStringList out;
    for (int i = 0; i < m_list->count(); ++i)
        out << m_list->item(i)->text();
    return out;
}

int UxDialogFile::currentRow() const {
    return m_list->currentRow();
}

void UxDialogFile::finish(const QString& path) {
    hide();
    emit signal_fileNameGet(m_type, path);
}

void UxDialogFile::keyPressed(EnumKey key) {
    const int count = m_list->count();
    if (key == EnumKey::Up && count > 0) {
        m_list->setCurrentRow((m_list->currentRow() + count - 1) % count);
    } else if (key == EnumKey::Down && count > 0) {
        m_list->setCurrentRow((m_list->currentRow() + 1) % count);
    } else if (key == EnumKey::Enter) {
        // Enter on an empty list is a cancel: there is nothing to choose.
        const QListWidgetItem* item = m_list->currentItem();
        QString path;
        if (item) {
            path = m_folder.endsWith(QLatin1Char('/')) ? m_folder : m_folder + QLatin1Char('/');
            path += item->text();
        }
        finish(path);
    } else if (isEscapeOrMenu(key)) {
        finish(QString());
    }
}
