#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

class QWidget;

// Plays a script of key presses and screenshots against the running program, for demos,
// manuals and end-to-end tests. One command per line:
//   wait MS          let the program run for MS milliseconds
//   key NAME         click a keypad key by its key name ("up", "esc", "apWindow", ...)
//   hold NAME MS     press a key, keep it down for MS milliseconds, release it
//   press NAME       press a key and keep it down (chords, pictures during a long press)
//   release NAME     let a pressed key go
//   shot FILE.png    save a picture of the whole screen: the view with every window shown over
//                    it (dialogs, menus), each where the screen shows it
//   boat LINE        send LINE to the virtual boat's control channel (platform/boat_control.h),
//                    e.g. "boat power off"; a line the boat does not take is reported with its
//                    line number and the script goes on
//   set FIELD VALUE  set a field of the configuration record by its name, as a menu would
//                    ("set dataExport 1"); the settings file is written only when the program
//                    saves them
//   quit             end the program
// Empty lines and lines starting with '#' are skipped.
class ScriptRunner : public QObject {
    Q_OBJECT
public:
    struct StructCommand {
        enum Kind { Wait, Key, Hold, Press, Release, Shot, Boat, Set, Quit } kind;
        QString arg;
        int ms = 0;
        int line = 0;
    };

    explicit ScriptRunner(QWidget* screen, QObject* parent = nullptr);

    // Reads and checks the whole script; on the first bad line sets error() and returns false.
    bool load(const QString& fileName);
    bool parse(const QString& text);
    QString error() const { return m_error; }
    const QVector<StructCommand>& commands() const { return m_commands; }

    void setScreen(QWidget* screen) { m_screen = screen; }
    void start();

    // Whether name is one of the keypad's key names ("up", "esc", "apWindow", ...).
    static bool isKeyName(const QString& name);

    // The screen as the handset shows it: the screen widget's picture with every other visible
    // window painted over it at its place, the one shown last on top.
    QImage composeScreen() const;

signals:
    void finished(int exitCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runNext();
    void sendKey(const QString& name, bool press);

    QWidget* m_screen;
    QVector<StructCommand> m_commands;
    // The windows in the order they were last shown, for stacking them in a picture.
    QVector<QPointer<QWidget>> m_shown;
    int m_next = 0;
    QString m_error;
};
