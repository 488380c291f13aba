#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

// The handset program run with scripts against the virtual boat program, which keeps running
// (and keeps its lake) between the runs of one session. The test defines KORVEL_BINARY and
// KORVEL_VBOAT_BINARY.
class VboatSession {
public:
    VboatSession() {
        QDir(m_dir.path()).mkpath("root/dev");
        QDir(m_dir.path()).mkpath("root/opt");
        m_boat.setProcessChannelMode(QProcess::MergedChannels);
        m_boat.start(KORVEL_VBOAT_BINARY, {"--socket", root() + "/dev/vboat.sock", "--control",
                                           root() + "/dev/vboat.ctl", "--trace", trace()});
        m_boat.waitForStarted();
    }
    ~VboatSession() {
        m_boat.terminate();
        m_boat.waitForFinished(3000);
    }
    QString dir() const { return m_dir.path(); }
    QString root() const { return m_dir.path() + "/root"; }
    QString trace() const { return m_dir.path() + "/trace.txt"; }
    QString traced() const { return read(trace()); }
    static QString read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    // Runs the handset with the script; returns what it logged.
    QString run(const QString& script) {
        QFile s(m_dir.path() + "/script.txt");
        if (!s.open(QIODevice::WriteOnly)) return QString();
        s.write(script.toUtf8());
        s.close();
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KORVEL_ROOT", root());
        env.insert("KORVEL_PLATFORM", "virtual");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_LOGGING_RULES",
                   "korvel.navi.info=true;korvel.core.info=true;korvel.link.info=true");
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.setWorkingDirectory(m_dir.path());
        p.start(KORVEL_BINARY, {"--script", s.fileName()});
        if (!p.waitForFinished(300000)) p.kill();
        return QString::fromUtf8(p.readAll());
    }

    // Whether the lines of text occur in this order, each after the one before.
    static bool inOrder(const QString& text, const QStringList& lines) {
        int at = 0;
        for (const QString& line : lines) {
            at = text.indexOf(QRegularExpression(line), at);
            if (at < 0) return false;
        }
        return true;
    }

private:
    QTemporaryDir m_dir;
    QProcess m_boat;
};
