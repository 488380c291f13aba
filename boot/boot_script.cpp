#include "boot_script.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

namespace {

// The desktop key that stands for a keypad key; 0 for a name that is not one.
int qtKeyOf(const QString& name) {
    static const QHash<QString, int> keys = {
        {"up", Qt::Key_Up},       {"down", Qt::Key_Down},    {"left", Qt::Key_Left},
        {"right", Qt::Key_Right}, {"enter", Qt::Key_Return}, {"esc", Qt::Key_Escape},
        {"menu", Qt::Key_M},
    };
    return keys.value(name, 0);
}

}  // namespace

BootScript::BootScript(QWidget* window, QObject* parent) : QObject(parent), m_window(window) {}

bool BootScript::load(const QString& fileName) {
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_error = QStringLiteral("%1: cannot open: %2").arg(fileName, f.errorString());
        return false;
    }
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        StructCommand c{StructCommand::Quit, QString(), 0, i + 1};
        if (!parseLine(line, c)) {
            m_error = QStringLiteral("script line %1: cannot read \"%2\"").arg(i + 1).arg(line);
            m_commands.clear();
            return false;
        }
        m_commands << c;
    }
    return true;
}

bool BootScript::parseLine(const QString& line, StructCommand& c) const {
    const QStringList w = line.split(' ', Qt::SkipEmptyParts);
    bool ok = w.size() == 2;
    if (w[0] == QLatin1String("wait") && ok) {
        c.kind = StructCommand::Wait;
        c.value = w[1].toInt(&ok);
        return ok && c.value >= 0;
    }
    if (w[0] == QLatin1String("key") && ok) {
        c.kind = StructCommand::Key;
        c.value = qtKeyOf(w[1]);
        return c.value != 0;
    }
    if (w[0] == QLatin1String("shot") && ok) {
        c.kind = StructCommand::Shot;
        c.arg = w[1];
        return c.arg.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    }
    return w[0] == QLatin1String("quit") && w.size() == 1;
}

void BootScript::start() {
    m_next = 0;
    QTimer::singleShot(0, this, &BootScript::runNext);
}

void BootScript::runNext() {
    if (m_next >= m_commands.size()) {
        emit finished(0);
        return;
    }
    const StructCommand c = m_commands[m_next++];
    if (c.kind == StructCommand::Wait) {
        QTimer::singleShot(c.value, this, &BootScript::runNext);
        return;
    }
    if (c.kind == StructCommand::Quit) {
        emit finished(0);
        return;
    }
    if (c.kind == StructCommand::Key) {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr) target = m_window->focusWidget();
        if (target == nullptr) target = m_window;
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, c.value, Qt::NoModifier);
            QApplication::sendEvent(target, &event);
        }
    } else if (c.kind == StructCommand::Shot) {
        QDir().mkpath(QFileInfo(c.arg).absolutePath());
        // Layouts of a dialog shown a moment ago settle through posted events.
        QCoreApplication::sendPostedEvents();
        if (!m_window->grab().save(c.arg)) {
            qWarning("script line %d: cannot save %s", c.line, qPrintable(c.arg));
            emit finished(1);
            return;
        }
    }
    QTimer::singleShot(0, this, &BootScript::runNext);
}
