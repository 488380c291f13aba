// The link's supervision without a widget: the silent seconds counted, the boxes' hellos
// answered once, changed settings sent again, each with its wait for the box's word.
#include "base/configuration.h"
#include "fake_prompter.h"
#include "korvel_test.h"
#include "link/link_state.h"
#include "state/link_watch.h"

#include <QtTest>

namespace {

struct Watch {
    LinkState link;
    FakePrompter prompter;
    StructConfiguration cfg;
    QStringList sent;  // "hello", "sonar:<key>", "ap"
    bool updating = false;
    int tick = 0;
    LinkWatch watch{
        link,
        prompter,
        {[this] { sent << "hello"; }, [this](const QString& key) { sent << "sonar:" + key; },
         [this] { sent << "ap"; }, [this] { return updating; }}};

    Watch() {
        Configuration::applyDefaults(cfg);
        link.count_noData_sonar = 0;
        link.count_noData_ap = 0;
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            watch.tick(tick++, cfg);
    }
};

}  // namespace

class TestLinkWatchRules : public QObject {
    Q_OBJECT
private slots:
    // A script of events, t<N> (N ticks), h (the sonar box's hello), a (the autopilot's),
    // g (a new gain), v (a new arrival radius, an autopilot setting), u (an update runs),
    // r (the last wait re-sends), w (the time an answer to our hello takes goes by): what was
    // sent and the waits, in order.
    void script_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<int>("waits");
        QTest::newRow("nothing changed, nothing sent") << "t16"
                                                       << "" << 0;
        QTest::newRow("the box's hello: greeted, all, a wait") << "t8 h t5"
                                                               << "hello sonar:all" << 1;
        QTest::newRow("its answer to ours starts no round") << "t8 h t5 h t5"
                                                            << "hello sonar:all" << 1;
        QTest::newRow("a later hello is a power-up") << "t8 h t5 w h t5"
                                                     << "hello sonar:all hello sonar:all" << 2;
        QTest::newRow("no greeting during an update") << "u t8 h t5"
                                                      << "" << 0;
        QTest::newRow("the autopilot's hello") << "t8 a t5"
                                               << "ap" << 1;
        QTest::newRow("a new gain within a second, re-sent") << "t8 g t8 r"
                                                             << "sonar:gain sonar:repeat" << 1;
        QTest::newRow("an autopilot setting, re-sent") << "t8 v t8 r"
                                                       << "ap ap" << 1;
    }
    void script() {
        QFETCH(QString, script);
        Watch w;
        for (const QString& e : script.split(' ')) {
            if (e.startsWith('t')) w.ticks(e.mid(1).toInt());
            if (e == "h") w.link.flag_getData_sonar_hello = 1;
            if (e == "a") w.link.flag_getData_ap_hello = 1;
            if (e == "g") w.cfg.sonarGain = (w.cfg.sonarGain + 1) % 4;
            if (e == "v") w.cfg.arriveAlarmLevel += 1;
            if (e == "u") w.updating = true;
            if (e == "r") w.prompter.resendAck();
            if (e == "w") QTest::qWait(int(LinkWatch::kHelloAnswerMs) + 50);
        }
        QTEST(w.sent.join(' '), "sent");
        QTEST(int(w.prompter.waits.size()), "waits");
    }

    // The silent seconds of each box count once a second up to the lost mark, and stop there.
    void silence_countedToTheLostMark() {
        Watch w;
        w.ticks(LinkWatch::kTicksPerSecond * 3);
        QCOMPARE(int(w.link.count_noData_sonar), 3);
        w.ticks(LinkWatch::kTicksPerSecond * 20);
        QCOMPARE(int(w.link.count_noData_sonar), LinkWatch::kLostSeconds);
        QCOMPARE(int(w.link.count_noData_ap), LinkWatch::kLostSeconds);
    }
};

KORVEL_TEST_MAIN(TestLinkWatchRules)
#include "test_link_watch_rules.moc"
