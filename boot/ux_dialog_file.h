#pragma once

#include <QWidget>

class QLabel;
class QListWidget;

// The package chooser, shown when the card holds more than one package: a titled list of the
// names in its directory that match its filter. Up and Down move with wrap-around, Enter picks
// the selected name, Escape or M gives up. Every key press clicks.
class UxDialogFile : public QWidget {
    Q_OBJECT
public:
    UxDialogFile(const QString& dir, const QString& filter, QWidget* parent = nullptr);

    // The names in the directory that match the filter, sorted.
    QStringList scanFile() const;
    // Shows the names, the first one selected, under the title "Select File".
    void Show(const QStringList& names);

signals:
    void signal_DialogFileNameGet(const QString& name);
    void signal_EscKeyPressed();
    void signal_keyClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_dir;
    QString m_filter;
    QLabel* m_title;
    QListWidget* m_list;
};
