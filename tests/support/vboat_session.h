#pragma once

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

// The handset program run by scripts against the virtual boat program, for end-to-end tests.
// The boat keeps running (and keeps its lake) between the handset's runs; the test program
// names the two binaries with KORVEL_BINARY and KORVEL_VBOAT_BINARY.
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
    QString root() const { return m_dir.path() + "/root"; }
    QString trace() const { return m_dir.path() + "/trace.txt"; }
    // What the boat heard and said so far.
    QString traced() const {
        QFile f(trace());
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
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
        env.insert("QT_LOGGING_RULES", "korvel.navi.info=true");
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.setWorkingDirectory(m_dir.path());
        p.start(KORVEL_BINARY, {"--script", s.fileName()});
        if (!p.waitForFinished(300000)) p.kill();
        return QString::fromLocal8Bit(p.readAll());
    }

private:
    QTemporaryDir m_dir;
    QProcess m_boat;
};
