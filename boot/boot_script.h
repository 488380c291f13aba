#pragma once

#include <QObject>
#include <QVector>

class QWidget;

// Plays a script of keys and screenshots against the update program, for pictures and
// end-to-end tests. One command per line:
//   wait MS        let the program run for MS milliseconds
//   key NAME       click a keypad key: up, down, left, right, enter, esc, menu
//   shot FILE.png  save a picture of the program's window with its dialogs
//   quit           end the program (status 0)
// Empty lines and lines starting with '#' are skipped.
class BootScript : public QObject {
    Q_OBJECT
public:
    explicit BootScript(QWidget* window, QObject* parent = nullptr);

    // Reads and checks the whole script; on the first bad line sets error() and returns false.
    bool load(const QString& fileName);
    QString error() const { return m_error; }
    void start();

signals:
    void finished(int exitCode);

private:
    struct StructCommand {
        enum Kind { Wait, Key, Shot, Quit } kind;
        QString arg;
        int value = 0;
        int line = 0;
    };

    bool parseLine(const QString& line, StructCommand& command) const;
    void runNext();

    QWidget* m_window;
    QVector<StructCommand> m_commands;
    int m_next = 0;
    QString m_error;
};
