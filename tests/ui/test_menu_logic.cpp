#include "core/base/resources.h"
#include "korvel_test.h"
#include "ui/char_edit_model.h"
#include "ui/list_cursor.h"
#include "ui/small_image_data.h"
#include "ui/value_list.h"

#include <QtTest>

namespace {

QImage swatch(const QColor& color, int w = 10, int h = 8) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    return img;
}

}  // namespace

class TestMenuLogic : public QObject {
    Q_OBJECT

private slots:
    // Script: uN / dN move N rows up or down (N = 1 when left out), sN selects row N, offN and
    // onN disable and enable row N. After each step "current@top", with ! when the step
    // reported that nothing changed.
    void listCursor_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("visible");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("after");
        QTest::newRow("wraps both ways, several steps at once") << 13 << 9 << "u d d3 u5"
                                                                << "12@4 0@0 3@0 11@3";
        QTest::newRow("skips disabled rows, refuses to select one")
            << 5 << 5 << "off1 off4 d u u s4 off3"
            << "0@0 0@0 2@0 0@0 3@0 3@0! 0@0";
        QTest::newRow("all disabled: no row, no move; one enabled is selected")
            << 3 << 3 << "off0 off1 off2 d u on1"
            << "1@0 2@0 -1@0 -1@0! -1@0! 1@0";
        QTest::newRow("empty list") << 0 << 4 << "d u"
                                    << "-1@0! -1@0!";
        QTest::newRow("window follows the cursor") << 15 << 9 << "d8 d u10 d"
                                                   << "8@0 9@1 14@6 0@0";
    }
    void listCursor() {
        QFETCH(int, count);
        QFETCH(int, visible);
        QFETCH(QString, script);
        QFETCH(QString, after);
        ListCursor c;
        c.reset(count, visible);
        QStringList got;
        for (const QString& step : script.split(' ')) {
            const QString op =
                step.left(step.startsWith('o') ? (step.startsWith("on") ? 2 : 3) : 1);
            const int n = step.mid(op.size()).isEmpty() ? 1 : step.mid(op.size()).toInt();
            bool changed = true;
            if (op == "u") changed = c.up(n);
            if (op == "d") changed = c.down(n);
            if (op == "s") changed = c.select(n);
            if (op == "off" || op == "on") c.setEnabled(n, op == "on");
            got << QStringLiteral("%1@%2%3").arg(c.current()).arg(c.top()).arg(changed ? "" : "!");
        }
        QCOMPARE(got.join(' '), after);
    }

    void valueList_formatAndIndex_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::newRow("whole") << 8.0f << "8" << 1;
        QTest::newRow("tenth") << 8.1f << "8.1" << 2;
        QTest::newRow("off") << 7.9f << "7.9" << 0;
        QTest::newRow("negative tenth") << -0.1f << "-0.1" << 3;
        QTest::newRow("not listed") << 8.05f << "8.05" << -1;
    }
    void valueList_formatAndIndex() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QFETCH(int, index);
        const QStringList values{"7.9", "8", "8.1", "-0.1"};
        QCOMPARE(ValueList::format(value), text);
        QCOMPARE(ValueList::indexOf(value, values), index);
        if (index >= 0) QCOMPARE(ValueList::valueAt(values, index), value);
    }

    void valueList_stepStaysInside() {
        QCOMPARE(ValueList::step(3, 1, 10), 4);
        QCOMPARE(ValueList::step(3, -5, 10), 0);
        QCOMPARE(ValueList::step(8, 5, 10), 9);
        QCOMPARE(ValueList::step(0, 1, 0), -1);
        QCOMPARE(ValueList::valueAt(QStringList{"1"}, 5), 0.0f);
    }

    void charEdit_setsFixedPositionsAndStartSide() {
        CharEditModel m;
        // A character not in the set becomes the first (up) or the last (down).
        m.start(QStringLiteral("7"), QStringList{"01234"}, CharEditModel::SideLeft);
        m.up();
        QCOMPARE(m.text(), QStringLiteral("0"));
        m.start(QStringLiteral("7"), QStringList{"01234"}, CharEditModel::SideLeft);
        m.down();
        QCOMPARE(m.text(), QStringLiteral("4"));
        // A longitude: hemisphere, fixed space, degrees, fixed degree sign, minutes, fixed point.
        const QString d = QStringLiteral("0123456789");
        m.start(QString::fromUtf8("E 113°12.345"),
                {"EW", "", "01", d, d, "", "012345", d, "", d, d, d}, CharEditModel::SideLeft);
        QList<int> visited{m.cursor()};
        while (m.right())
            visited << m.cursor();
        QCOMPARE(visited, (QList<int>{0, 2, 3, 4, 6, 7, 9, 10, 11}));
        QVERIFY(!m.isEditable(1));
        // Opened from the right: the last editable position; the trailing space has no set.
        m.start(QStringLiteral("12.5 "), QStringList{d, d, "", d}, CharEditModel::SideRight);
        QCOMPARE(m.cursor(), 3);
        m.start(QStringLiteral(".5"), QStringList{"", d}, CharEditModel::SideLeft);
        QCOMPARE(m.cursor(), 1);
        m.start(QString(), QStringList(), CharEditModel::SideLeft);
        QVERIFY(!m.up());
        QVERIFY(!m.right());
    }

    void smallImageData_roundTrip() {
        SmallImageData::KindImages in;
        in.insert(QStringLiteral("background"),
                  {swatch(Qt::white), swatch(Qt::black), swatch(Qt::blue)});
        in.insert(QStringLiteral("color"), {swatch(Qt::red, 5, 4)});
        SmallImageData::KindImages out;
        QVERIFY(SmallImageData::decode(SmallImageData::encode(in), &out));
        QCOMPARE(out.keys(), in.keys());
        QCOMPARE(out.value(QStringLiteral("background")).size(), 3);
        QCOMPARE(out.value(QStringLiteral("background")).at(2).pixelColor(3, 3), QColor(Qt::blue));
        QCOMPARE(out.value(QStringLiteral("color")).at(0).size(), QSize(5, 4));
        // What cannot be written gives no bytes at all.
        SmallImageData::KindImages bad;
        bad.insert(QString(), {swatch(Qt::red)});
        QVERIFY(SmallImageData::encode(bad).isEmpty());
        bad.clear();
        bad.insert(QStringLiteral("x"), {QImage()});
        QVERIFY(SmallImageData::encode(bad).isEmpty());
    }

    void smallImageData_rejectsDamagedBytes_data() {
        SmallImageData::KindImages in;
        in.insert(QStringLiteral("color"), {swatch(Qt::red), swatch(Qt::green)});
        const QByteArray good = SmallImageData::encode(in);
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("wrong magic") << QByteArray("KSI2") + good.mid(4);
        QTest::newRow("truncated") << good.left(good.size() - 7);
        QTest::newRow("trailing bytes") << good + "x";
        QByteArray zeroKinds = good;
        zeroKinds[4] = 0;
        QTest::newRow("no kinds") << zeroKinds;
        QByteArray hugeLength = good;
        // magic, kind count, name length, "color", image count, then the first image's length
        const int lengthAt = 4 + 1 + 1 + 5 + 1;
        hugeLength[lengthAt + 3] = char(0x7f);
        QTest::newRow("image length past the end") << hugeLength;
        QByteArray notPng = good;
        notPng[lengthAt + 4 + 1] = 'X';  // spoils the PNG signature
        QTest::newRow("not a picture") << notPng;
    }
    void smallImageData_rejectsDamagedBytes() {
        QFETCH(QByteArray, bytes);
        SmallImageData::KindImages out;
        out.insert(QStringLiteral("kept"), {swatch(Qt::red)});
        QVERIFY(!SmallImageData::decode(bytes, &out));
        QCOMPARE(out.keys(), QStringList{QStringLiteral("kept")});
    }

    void smallImageData_resourceHasThreeImagesPerKind() {
        korvelInitResources();
        SmallImageData::KindImages images;
        QVERIFY(SmallImageData::load(QString::fromLatin1(SmallImageData::kResourcePath), &images));
        for (const char* kind : {"background", "color"}) {
            const QVector<QImage> list = images.value(QString::fromLatin1(kind));
            QCOMPARE(list.size(), 3);
            for (const QImage& image : list)
                QVERIFY(!image.isNull());
        }
        QVERIFY(!SmallImageData::load(QStringLiteral("/nonexistent/file.ksi"), &images));
    }
};

KORVEL_TEST_MAIN(TestMenuLogic)
#include "test_menu_logic.moc"
