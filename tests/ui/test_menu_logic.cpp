#include "core/base/resources.h"
#include "korvel_test.h"
#include "ui/char_edit_model.h"
#include "ui/list_cursor.h"
#include "ui/small_image_data.h"
#include "ui/value_list.h"

#include <QtTest>

class TestMenuLogic : public QObject {
    Q_OBJECT

private slots:
    void listCursor_wrapsBothWays();
    void listCursor_skipsDisabledRows();
    void listCursor_allDisabledDoesNotMove();
    void listCursor_windowFollowsCursor();

    void valueList_formatAndIndex_data();
    void valueList_formatAndIndex();
    void valueList_stepStaysInside();

    void charEdit_upDownThroughSets();
    void charEdit_cursorSkipsFixedPositions();
    void charEdit_startSide();

    void smallImageData_roundTrip();
    void smallImageData_rejectsDamagedBytes_data();
    void smallImageData_rejectsDamagedBytes();
    void smallImageData_resourceHasThreeImagesPerKind();
};

void TestMenuLogic::listCursor_wrapsBothWays() {
    ListCursor c;
    c.reset(13, 9);
    QCOMPARE(c.current(), 0);
    QVERIFY(c.up());
    QCOMPARE(c.current(), 12);
    QVERIFY(c.down());
    QCOMPARE(c.current(), 0);
    QVERIFY(c.down(3));
    QCOMPARE(c.current(), 3);
    QVERIFY(c.up(5));
    QCOMPARE(c.current(), 11);
}

void TestMenuLogic::listCursor_skipsDisabledRows() {
    ListCursor c;
    c.reset(5, 5);
    c.setEnabled(1, false);
    c.setEnabled(4, false);
    c.down();
    QCOMPARE(c.current(), 2);
    c.up();
    QCOMPARE(c.current(), 0);
    c.up();  // wraps past disabled 4
    QCOMPARE(c.current(), 3);
    QVERIFY(!c.select(4));
    QCOMPARE(c.current(), 3);
    // Disabling the current row moves the cursor on.
    c.setEnabled(3, false);
    QCOMPARE(c.current(), 0);
}

void TestMenuLogic::listCursor_allDisabledDoesNotMove() {
    ListCursor c;
    c.reset(3, 3);
    for (int r = 0; r < 3; ++r)
        c.setEnabled(r, false);
    QCOMPARE(c.current(), -1);
    QVERIFY(!c.down());
    QVERIFY(!c.up());
    ListCursor empty;
    empty.reset(0, 4);
    QCOMPARE(empty.current(), -1);
    QVERIFY(!empty.down());
}

void TestMenuLogic::listCursor_windowFollowsCursor() {
    ListCursor c;
    c.reset(15, 9);
    QCOMPARE(c.top(), 0);
    c.down(8);
    QCOMPARE(c.top(), 0);
    c.down();
    QCOMPARE(c.current(), 9);
    QCOMPARE(c.top(), 1);
    c.up(10);  // wraps to the last row
    QCOMPARE(c.current(), 14);
    QCOMPARE(c.top(), 6);
    c.down();
    QCOMPARE(c.current(), 0);
    QCOMPARE(c.top(), 0);
}

void TestMenuLogic::valueList_formatAndIndex_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::newRow("whole") << 8.0f << "8" << 1;
    QTest::newRow("tenth") << 8.1f << "8.1" << 2;
    QTest::newRow("off") << 7.9f << "7.9" << 0;
    QTest::newRow("negative tenth") << -0.1f << "-0.1" << 3;
    QTest::newRow("not listed") << 8.05f << "8.05" << -1;
}

void TestMenuLogic::valueList_formatAndIndex() {
    QFETCH(float, value);
    QFETCH(QString, text);
    QFETCH(int, index);
    const QStringList values{"7.9", "8", "8.1", "-0.1"};
    QCOMPARE(ValueList::format(value), text);
    QCOMPARE(ValueList::indexOf(value, values), index);
    if (index >= 0) QCOMPARE(ValueList::valueAt(values, index), value);
}

void TestMenuLogic::valueList_stepStaysInside() {
    QCOMPARE(ValueList::step(3, 1, 10), 4);
    QCOMPARE(ValueList::step(3, -5, 10), 0);
    QCOMPARE(ValueList::step(8, 5, 10), 9);
    QCOMPARE(ValueList::step(0, 1, 0), -1);
    QCOMPARE(ValueList::valueAt(QStringList{"1"}, 5), 0.0f);
}

void TestMenuLogic::charEdit_upDownThroughSets() {
    CharEditModel m;
    const QStringList sets{"01234", "0123456789", "0123456789"};
    m.start(QStringLiteral("499"), sets, CharEditModel::SideLeft);
    QCOMPARE(m.cursor(), 0);
    QVERIFY(m.up());  // after 4 comes 0
    QCOMPARE(m.text(), QStringLiteral("099"));
    QVERIFY(m.down());  // before 0 comes 4
    QCOMPARE(m.text(), QStringLiteral("499"));
    m.right();
    m.right();
    QVERIFY(m.up());
    QCOMPARE(m.text(), QStringLiteral("490"));
    // A character not in the set becomes the first (up) or the last (down).
    m.start(QStringLiteral("7"), QStringList{"01234"}, CharEditModel::SideLeft);
    m.up();
    QCOMPARE(m.text(), QStringLiteral("0"));
    m.start(QStringLiteral("7"), QStringList{"01234"}, CharEditModel::SideLeft);
    m.down();
    QCOMPARE(m.text(), QStringLiteral("4"));
}

void TestMenuLogic::charEdit_cursorSkipsFixedPositions() {
    // A longitude: hemisphere, fixed space, degrees, fixed degree sign, minutes, fixed point.
    const QString text = QString::fromUtf8("E 113°12.345");
    const QString d = QStringLiteral("0123456789");
    const QStringList sets{"EW", "", "01", d, d, "", "012345", d, "", d, d, d};
    CharEditModel m;
    m.start(text, sets, CharEditModel::SideLeft);
    QList<int> visited{m.cursor()};
    while (m.right())
        visited << m.cursor();
    QCOMPARE(visited, (QList<int>{0, 2, 3, 4, 6, 7, 9, 10, 11}));
    QVERIFY(!m.right());  // stays at the end
    QCOMPARE(m.cursor(), 11);
    QVERIFY(m.left());
    QVERIFY(m.left());
    QVERIFY(m.left());
    QCOMPARE(m.cursor(), 7);  // skipped the point at 8
    // Fixed positions never change.
    m.start(text, sets, CharEditModel::SideLeft);
    m.right();
    m.right();
    m.right();
    QCOMPARE(m.cursor(), 4);
    m.left();
    m.left();
    m.left();
    QCOMPARE(m.cursor(), 0);
    QVERIFY(!m.left());
    QVERIFY(!m.isEditable(1));
}

void TestMenuLogic::charEdit_startSide() {
    CharEditModel m;
    m.start(QStringLiteral("12.5 "), QStringList{"0123456789", "0123456789", "", "0123456789"},
            CharEditModel::SideRight);
    QCOMPARE(m.cursor(), 3);  // the last editable position; the trailing space has no set
    m.start(QStringLiteral(".5"), QStringList{"", "0123456789"}, CharEditModel::SideLeft);
    QCOMPARE(m.cursor(), 1);
    m.start(QString(), QStringList(), CharEditModel::SideLeft);
    QVERIFY(!m.up());
    QVERIFY(!m.right());
}

namespace {

QImage swatch(const QColor& color, int w = 10, int h = 8) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    return img;
}

}  // namespace

void TestMenuLogic::smallImageData_roundTrip() {
    SmallImageData::KindImages in;
    in.insert(QStringLiteral("background"),
              {swatch(Qt::white), swatch(Qt::black), swatch(Qt::blue)});
    in.insert(QStringLiteral("color"), {swatch(Qt::red, 5, 4)});
    const QByteArray bytes = SmallImageData::encode(in);
    QVERIFY(bytes.startsWith("KSI1"));
    QCOMPARE(int(bytes.at(4)), 2);
    SmallImageData::KindImages out;
    QVERIFY(SmallImageData::decode(bytes, &out));
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

void TestMenuLogic::smallImageData_rejectsDamagedBytes_data() {
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
    // kind name "color" (5) -> image count at 4+1+1+5, first length right after it
    const int lengthAt = 4 + 1 + 1 + 5 + 1;
    hugeLength[lengthAt + 3] = char(0x7f);
    QTest::newRow("image length past the end") << hugeLength;
    QByteArray notPng = good;
    notPng[lengthAt + 4 + 1] = 'X';  // spoils the PNG signature
    QTest::newRow("not a picture") << notPng;
}

void TestMenuLogic::smallImageData_rejectsDamagedBytes() {
    QFETCH(QByteArray, bytes);
    SmallImageData::KindImages out;
    out.insert(QStringLiteral("kept"), {swatch(Qt::red)});
    QVERIFY(!SmallImageData::decode(bytes, &out));
    QCOMPARE(out.keys(), QStringList{QStringLiteral("kept")});
}

void TestMenuLogic::smallImageData_resourceHasThreeImagesPerKind() {
    korvelInitResources();
    SmallImageData::KindImages images;
    QVERIFY(SmallImageData::load(QString::fromLatin1(SmallImageData::kResourcePath), &images));
    for (const char* kind : {"background", "color"}) {
        const QVector<QImage> list = images.value(QString::fromLatin1(kind));
        QCOMPARE(list.size(), 3);
        for (const QImage& image : list)
            QVERIFY(!image.isNull());
    }
    // The three backgrounds differ where the water is: white, black, dark blue-green.
    const QVector<QImage> bg = images.value(QStringLiteral("background"));
    QCOMPARE(bg.at(0).pixelColor(5, 10), QColor(255, 255, 255));
    QCOMPARE(bg.at(1).pixelColor(5, 10), QColor(0, 0, 0));
    QVERIFY(bg.at(2).pixelColor(5, 10) != bg.at(1).pixelColor(5, 10));
    QVERIFY(!SmallImageData::load(QStringLiteral("/nonexistent/file.ksi"), &images));
}

KORVEL_TEST_MAIN(TestMenuLogic)
#include "test_menu_logic.moc"
