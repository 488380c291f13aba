#pragma once

#include "ui/kit/ux_dialog.h"

#include <functional>

class QLabel;
class QListWidget;

// Lets the user pick a file of a folder by a name pattern. The choice is signalled with the
// type it was asked for and the file's full handset path; an empty path means cancelled.
class UxDialogFile : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogFile(QWidget* parent = nullptr);

    static constexpr int kListRows = 7;

    void showFile(const QString& folder, const QString& pattern, const QString& type);
    // How the dialog learns whether the SD card is mounted (default: FileScan::cardMounted).
    void setCardCheck(std::function<bool()> check) { m_cardCheck = std::move(check); }

    QString text() const;
    QStringList names() const;
    int currentRow() const;

signals:
    void signal_fileNameGet(QString type, QString fileName);

protected:
    void keyPressed(EnumKey key) override;

private:
    void finish(const QString& path);

    QLabel* m_text = nullptr;
    QListWidget* m_list = nullptr;
    QString m_folder;
    QString m_type;
    std::function<bool()> m_cardCheck;
};
