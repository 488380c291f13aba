#include "core/script_runner.h"

#include "base/configuration_fields.h"
#include "base/global.h"
#include "base/keypad.h"
#include "base/log.h"
#include "platform/boat_control.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {

bool readMs(const QString& text, int& ms) {
    bool ok = false;
    ms = text.toInt(&ok);
    return ok && ms >= 0;
}

}  // namespace

ScriptRunner::ScriptRunner(QWidget* screen, QObject* parent) : QObject(parent), m_screen(screen) {
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

bool ScriptRunner::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow()) {
            m_shown.removeAll(w);
            m_shown.append(w);
        }
    }
    return QObject::eventFilter(watched, event);
}

QImage ScriptRunner::composeScreen() const {
    QImage picture = m_screen->grab().toImage();
    QPainter p(&picture);
    const QPoint origin = m_screen->geometry().topLeft();
    for (const QPointer<QWidget>& w : m_shown) {
        if (!w || w == m_screen || !w->isVisible()) continue;
        p.drawPixmap(w->geometry().topLeft() - origin, w->grab());
    }
    return picture;
}

bool ScriptRunner::isKeyName(const QString& name) {
    return !Keypad::keysOf(name).isEmpty();
}

bool ScriptRunner::load(const QString& fileName) {
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_error = QStringLiteral("%1: cannot open: %2").arg(fileName, f.errorString());
        return false;
    }
    return parse(QString::fromUtf8(f.readAll()));
}

bool ScriptRunner::parse(const QString& text) {
    m_commands.clear();
    m_error.clear();
    const QStringList lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QStringList w = line.split(' ', Qt::SkipEmptyParts);
        StructCommand c{StructCommand::Quit, QString(), 0, i + 1};
        bool ok = false;
        const QString& verb = w[0];
        if (verb == QLatin1String("wait") && w.size() == 2) {
            c.kind = StructCommand::Wait;
            ok = readMs(w[1], c.ms);
        } else if (verb == QLatin1String("key") && w.size() == 2) {
            c.kind = StructCommand::Key;
            c.arg = w[1];
            ok = isKeyName(c.arg);
        } else if ((verb == QLatin1String("press") || verb == QLatin1String("release")) &&
                   w.size() == 2) {
            c.kind = verb == QLatin1String("press") ? StructCommand::Press : StructCommand::Release;
            c.arg = w[1];
            ok = isKeyName(c.arg);
        } else if (verb == QLatin1String("hold") && w.size() == 3) {
            c.kind = StructCommand::Hold;
            c.arg = w[1];
            ok = isKeyName(c.arg) && readMs(w[2], c.ms);
        } else if (verb == QLatin1String("shot") && w.size() == 2) {
            c.kind = StructCommand::Shot;
            c.arg = w[1];
            ok = c.arg.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
        } else if (verb == QLatin1String("boat") && w.size() >= 2) {
            c.kind = StructCommand::Boat;
            c.arg = line.mid(verb.size()).trimmed();
            ok = true;
        } else if (verb == QLatin1String("set") && w.size() == 3) {
            c.kind = StructCommand::Set;
            c.arg = w[1] + ' ' + w[2];
            StructConfiguration scratch{};
            Configuration::applyDefaults(scratch);
            ok = ConfigurationFields::set(scratch, w[1], w[2]);
        } else if (verb == QLatin1String("quit") && w.size() == 1) {
            ok = true;
        }
        if (!ok) {
            m_error = QStringLiteral("script line %1: cannot read \"%2\"").arg(i + 1).arg(line);
            m_commands.clear();
            return false;
        }
        m_commands << c;
    }
    return true;
}

void ScriptRunner::start() {
    m_next = 0;
    QTimer::singleShot(0, this, &ScriptRunner::runNext);
}

void ScriptRunner::sendKey(const QString& name, bool press) {
    // The keys of a name are pressed in order and released in reverse, as a hand would.
    QVector<EnumKey> keys = Keypad::keysOf(name);
    if (!press) std::reverse(keys.begin(), keys.end());
    for (EnumKey key : keys) {
        QWidget* target = QApplication::focusWidget();
        // While no window is active (activation is asynchronous), the key goes to the widget
        // that has the focus within the screen, a menu for instance.
        if (target == nullptr && m_screen) target = m_screen->focusWidget();
        if (target == nullptr) target = m_screen;
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, Keypad::qtKey(key),
                        Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
}

void ScriptRunner::runNext() {
    if (m_next >= m_commands.size()) {
        emit finished(0);
        return;
    }
    const StructCommand c = m_commands[m_next++];
    switch (c.kind) {
        case StructCommand::Wait:
            QTimer::singleShot(c.ms, this, &ScriptRunner::runNext);
            return;
        case StructCommand::Key:
            sendKey(c.arg, true);
            sendKey(c.arg, false);
            break;
        case StructCommand::Press:
            sendKey(c.arg, true);
            break;
        case StructCommand::Release:
            sendKey(c.arg, false);
            break;
        case StructCommand::Hold:
            sendKey(c.arg, true);
            QTimer::singleShot(c.ms, this, [this, c] {
                sendKey(c.arg, false);
                runNext();
            });
            return;
        case StructCommand::Shot: {
            const QString dir = QFileInfo(c.arg).absolutePath();
            QDir().mkpath(dir);
            if (!composeScreen().save(c.arg)) {
                qWarning("script line %d: cannot save %s", c.line, qPrintable(c.arg));
                emit finished(1);
                return;
            }
            break;
        }
        case StructCommand::Boat: {
            qCInfo(lcCore).noquote() << "script: boat" << c.arg;
            QString answer;
            QString error;
            if (!BoatControl::send(c.arg, &answer, &error)) {
                qWarning("script line %d: boat %s: %s", c.line, qPrintable(c.arg),
                         qPrintable(error));
            } else if (!answer.startsWith(QLatin1String("ok"))) {
                qWarning("script line %d: boat %s: %s", c.line, qPrintable(c.arg),
                         qPrintable(answer));
            }
            break;
        }
        case StructCommand::Set: {
            const QStringList w = c.arg.split(' ');
            if (!ConfigurationFields::set(Global::configuration, w[0], w[1]))
                qWarning("script line %d: cannot set %s", c.line, qPrintable(c.arg));
            break;
        }
        case StructCommand::Quit:
            emit finished(0);
            return;
    }
    QTimer::singleShot(0, this, &ScriptRunner::runNext);
}
