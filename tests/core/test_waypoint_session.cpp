// The handset program with the virtual boat, driven by scripts as a user would: a waypoint
// saved at the map cursor is in the waypoint file after a restart, and the autopilot key in
// the waypoint list sends the boat there.
#include "korvel_test.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The boat keeps running (and keeps its lake) between the handset's runs.
class Session {
public:
    Session() {
        QDir(m_dir.path()).mkpath("root/dev");
        QDir(m_dir.path()).mkpath("root/opt");
        m_boat.setProcessChannelMode(QProcess::MergedChannels);
        m_boat.start(KORVEL_VBOAT_BINARY, {"--socket", root() + "/dev/vboat.sock", "--control",
                                           root() + "/dev/vboat.ctl", "--trace", trace()});
        m_boat.waitForStarted();
    }
    ~Session() {
        m_boat.terminate();
        m_boat.waitForFinished(3000);
    }
    QString root() const { return m_dir.path() + "/root"; }
    QString trace() const { return m_dir.path() + "/trace.txt"; }
    QString traced() const {
        QFile f(trace());
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }
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

}  // namespace

class TestWaypointSession : public QObject {
    Q_OBJECT
private slots:
    void saveAtTheCursor_restart_goThere() {
        Session s;
        // The start-up check and the first fixes; the home message closed. The map cursor
        // about 32 m north, "Save", and the editor's "OK".
        const QString first =
            s.run("wait 11000\nkey esc\nkey zoom\nkey zoom\nkey zoom\n" +
                  QString("key up\n").repeated(9) + "key enter\nkey left\nkey enter\n" +
                  QString("key down\n").repeated(7) + "key enter\nwait 500\nquit\n");
        const QSettings kwp(s.root() + "/opt/waypointarray.kwp", QSettings::IniFormat);
        const QString name = kwp.value("000/name").toString();
        QVERIFY2(QRegularExpression("^\\d{4}-\\d{4}$").match(name).hasMatch(),
                 qPrintable(name + first));
        QVERIFY(kwp.value("000/latitude").toString().startsWith("N  "));
        QVERIFY(!s.traced().contains("$HMCTL,RUN"));
        // After a restart: the saved home taken ("YES"), its message closed; the autopilot
        // key opens the list, there it asks to go to slot 000, and "Go".
        const QString log = s.run(
            "wait 11000\nkey enter\nwait 500\nkey esc\nkey ap\nkey ap\nkey enter\nwait "
            "3000\nquit\n");
        QVERIFY2(s.traced().contains("boat 0xC2 $HMCTL,RUN,"), qPrintable(s.traced() + log));
        QVERIFY2(log.contains(QRegularExpression("go to \\d+ \\d+ type 0")), qPrintable(log));
    }
};

KORVEL_TEST_MAIN(TestWaypointSession)
#include "test_waypoint_session.moc"
