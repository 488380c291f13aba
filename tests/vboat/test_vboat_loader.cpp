// The virtual sonar box's firmware loader on its own: its KBoot packets and its answers.
#include "korvel_test.h"
#include "sonar_loader.h"

#include <QtTest>

using vboat::LoaderFault;
using vboat::SonarLoader;

namespace {
QByteArray start(quint32 size, quint8 x) {
    QByteArray d;
    for (int i = 0; i < 4; ++i)
        d.append(char((size >> (8 * i)) & 0xFF));
    d.append(char(128)).append('\0').append('\0').append('\0').append(char(x));
    return SonarLoader::encode(SonarLoader::kStart, d);
}
QByteArray block(int index, const QByteArray& image) {
    QByteArray d;
    d.append(char(index & 0xFF)).append(char(index >> 8));
    QByteArray b = image.mid(index * 128, 128);
    b.append(QByteArray(128 - b.size(), '\xFF'));
    return SonarLoader::encode(SonarLoader::kBlock, d + b);
}
// "!n", "4", "5", "hb" or "" for the loader's one answer.
QString answer(const QList<QByteArray>& replies) {
    if (replies.isEmpty()) return QString();
    quint8 type = 0;
    QByteArray data;
    if (replies.size() != 1 || !SonarLoader::decode(replies.first(), type, data)) return "?";
    if (type == SonarLoader::kHeartbeatAnswer) return "hb";
    if (type != SonarLoader::kReport || data.isEmpty()) return "?";
    if (data[0] == '!') return "!" + QString::number(quint8(data[1]) | quint8(data[2]) << 8);
    return QString(QChar(data[0]));
}
}  // namespace

class TestVboatLoader : public QObject {
    Q_OBJECT
private slots:
    void packet_roundTripAndRejects() {
        const QByteArray p = SonarLoader::encode(0x36, QByteArray("!\x02\x00", 3));
        QCOMPARE(p, QByteArray("#\x03\x00\x36!\x02\x00", 7) + char(0x23 ^ 3 ^ 0x36 ^ '!' ^ 2));
        quint8 t = 0;
        QByteArray d;
        QVERIFY(SonarLoader::decode(p, t, d));
        QCOMPARE(int(t), 0x36);
        QCOMPARE(d, QByteArray("!\x02\x00", 3));
        QByteArray bad = p;
        bad[4] = 'x';
        QVERIFY(!SonarLoader::decode(bad, t, d));
        QVERIFY(!SonarLoader::decode(p.left(6), t, d));
    }

    void transfer_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("reRequest");
        QTest::addColumn<bool>("corrupt");
        QTest::addColumn<QStringList>("answers");
        const int none = int(LoaderFault::None);
        // Heartbeat, start, then blocks 0, 1, 2 as the handset sends them (each block that
        // was asked for).
        QTest::newRow("success") << none << 0 << false << QStringList{"hb", "!0", "!1", "!2", "4"};
        QTest::newRow("every 2nd asked twice")
            << none << 2 << false << QStringList{"hb", "!0", "!1", "!1", "!2", "4"};
        QTest::newRow("image XOR wrong")
            << none << 0 << true << QStringList{"hb", "!0", "!1", "!2", "5"};
        QTest::newRow("reports failure") << int(LoaderFault::ReportFailure) << 0 << false
                                         << QStringList{"hb", "!0", "!1", "!2", "5"};
        QTest::newRow("stops after 2")
            << int(LoaderFault::StopRequesting) << 0 << false << QStringList{"hb", "!0", "!1", ""};
        QTest::newRow("no answer")
            << int(LoaderFault::NoAnswer) << 0 << false << QStringList{"", ""};
    }
    void transfer() {
        QFETCH(int, fault);
        QFETCH(int, reRequest);
        QFETCH(bool, corrupt);
        QFETCH(QStringList, answers);
        QByteArray image(300, '\0');
        for (int i = 0; i < image.size(); ++i)
            image[i] = char(i * 13);
        quint8 x = 0;
        for (char c : image)
            x ^= quint8(c);
        SonarLoader l;
        l.setFault(LoaderFault(fault), 2);
        l.setReRequestEvery(reRequest);
        l.enter();
        QStringList got;
        got << answer(l.onPacket(SonarLoader::encode(SonarLoader::kHeartbeat, "\x40\x00")));
        got << answer(l.onPacket(start(300, corrupt ? x ^ 1 : x)));
        while (got.last().startsWith('!') && got.size() < 20)
            got << answer(l.onPacket(block(got.last().mid(1).toInt(), image)));
        QCOMPARE(got, answers);
        if (answers.last() == "4") {
            QCOMPARE(l.stats().image, image);
            QVERIFY(l.done());
        }
    }

    void unexpectedBlock_asksAgainForTheRightOne() {
        SonarLoader l;
        l.enter();
        const QByteArray image(256, 'a');
        QCOMPARE(answer(l.onPacket(start(256, 0))), QStringLiteral("!0"));
        QCOMPARE(answer(l.onPacket(block(1, image))), QStringLiteral("!0"));
        QCOMPARE(answer(l.onPacket(block(0, image))), QStringLiteral("!1"));
        QCOMPARE(answer(l.onPacket(block(0, image))), QStringLiteral("!1"));  // a resent block
        QCOMPARE(answer(l.onPacket(block(1, image))), QStringLiteral("4"));
    }
};

KORVEL_TEST_MAIN(TestVboatLoader)
#include "test_vboat_loader.moc"
