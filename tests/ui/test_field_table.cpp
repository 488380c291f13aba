#include "korvel_test.h"
#include "ui/kit/field_table.h"

#include <QPainter>
#include <QtTest>

namespace {

QString g_value;        // field 10's text
QStringList g_painted;  // every text drawn, as UxTheme hands it on

// A label, then fields 10 (value), 20 (check, its own margins) and 30 (button).
void fill(FieldTable& t) {
    t.label(QRect(0, 0, 40, 20), FieldTable::fixedText("L"));
    t.value(10, QRect(10, 30, 50, 20), [] { return g_value; });
    t.check(20, QRect(10, 60, 80, 20), FieldTable::fixedText("c"), [] { return true; }).margins =
        QMargins(22, 0, 0, 0);
    t.button(30, QRect(10, 90, 60, 30), FieldTable::fixedText("OK"));
    t.setFocus(10);
}

// The table painted: the colour inside field 10, the texts into g_painted.
QColor paintedInValue(const FieldTable& t) {
    QImage image(100, 130, QImage::Format_RGB32);
    QPainter p(&image);
    g_painted.clear();
    UxTheme::setTextSeen(
        [](const QString& s, const QString&, const QRect&, const QFont&) { g_painted << s; });
    t.paint(p);
    UxTheme::setTextSeen(nullptr);
    return image.pixelColor(12, 32);
}

}  // namespace

class TestFieldTable : public QObject {
    Q_OBJECT

private slots:
    void focusWalk_data() {
        QTest::addColumn<bool>("leftRight");
        QTest::addColumn<QString>("keys");   // u d l r e(nter)
        QTest::addColumn<QString>("after");  // the focus after each key, ! when not moved
        QTest::newRow("round past both ends") << true << "ddduu"
                                              << "20 30 10 30 20";
        QTest::newRow("sideways as up and down") << true << "rrl"
                                                 << "20 30 20";
        QTest::newRow("other keys stay") << true << "e"
                                         << "!10";
        QTest::newRow("up and down only") << false << "ldr"
                                          << "!10 20 !20";
    }
    void focusWalk() {
        QFETCH(bool, leftRight);
        QFETCH(QString, keys);
        FieldTable::StructLook look;
        look.leftRightMove = leftRight;
        FieldTable table(look);
        fill(table);
        const EnumKey key[] = {EnumKey::Up, EnumKey::Down, EnumKey::Left, EnumKey::Right,
                               EnumKey::Enter};
        QStringList after;
        for (QChar c : keys) {
            const bool moved = table.step(key[QString("udlre").indexOf(c)]);
            after << (moved ? "" : "!") + QString::number(table.focus());
        }
        QTEST(after.join(' '), "after");
    }

    // The boxes are the rectangles less the margins, in the look's font; the texts follow
    // their sources into the boxes and the painting, and the focus fills its field.
    void textBoxesAndPainting() {
        FieldTable::StructLook look;
        look.fontPixels = 14;
        FieldTable table(look);
        fill(table);
        g_value = "v1";
        QStringList texts;
        QList<QRect> boxes;
        for (const StructTextBox& b : table.textBoxes()) {
            texts << b.text + QString::number(b.font.pixelSize());
            boxes << b.box;
        }
        QCOMPARE(texts, QStringList({"L14", "v114", "c14", "OK14"}));
        QCOMPARE(boxes, QList<QRect>({QRect(0, 0, 40, 20), QRect(13, 30, 44, 20),
                                      QRect(32, 60, 58, 20), QRect(13, 90, 54, 30)}));
        QCOMPARE(paintedInValue(table), UxTheme::kSelect);
        QCOMPARE(g_painted, QStringList({"L", "v1", "c", "OK"}));
        g_value = "v2";
        table.step(EnumKey::Down);
        QCOMPARE(paintedInValue(table), UxTheme::kTrack);
        QCOMPARE(g_painted.at(1) + table.textBoxes().at(1).text + table.textOf(10), "v2v2v2");
    }

    // A label's background and icon, a value without the look's frame, a separator and a
    // picture filling its field with an outline around it, by the colour at a point, with the focus
    // on the value (40) or not (-1).
    void fillsIconsAndLines_data() {
        QTest::addColumn<int>("focus");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("label's background") << -1 << QPoint(2, 2) << UxTheme::kTrack;
        QTest::newRow("label's icon") << -1 << QPoint(32, 4) << QColor(Qt::red);
        QTest::newRow("unframed value") << -1 << QPoint(52, 2) << QColor(Qt::black);
        QTest::newRow("unframed value, focused") << 40 << QPoint(52, 2) << UxTheme::kSelect;
        QTest::newRow("on the separator") << -1 << QPoint(50, 30) << UxTheme::kFrame;
        QTest::newRow("under the separator") << -1 << QPoint(50, 31) << QColor(Qt::black);
        QTest::newRow("picture's corner") << -1 << QPoint(10, 40) << QColor(Qt::blue);
        QTest::newRow("outline, inner edge") << -1 << QPoint(9, 45) << QColor(Qt::green);
        QTest::newRow("outline, outer edge") << -1 << QPoint(7, 53) << QColor(Qt::green);
        QTest::newRow("past the outline") << -1 << QPoint(6, 45) << QColor(Qt::black);
    }
    void fillsIconsAndLines() {
        QFETCH(int, focus);
        FieldTable table;
        FieldTable::StructField& label = table.label(QRect(0, 0, 40, 20), FieldTable::Text());
        label.fill = UxTheme::kTrack;
        label.icon = QPixmap(6, 6);
        label.icon.fill(Qt::red);
        label.iconRect = QRect(30, 2, 6, 6);
        table.value(40, QRect(50, 0, 40, 20), FieldTable::Text()).frame =
            FieldTable::EnumFrame::None;
        table.separator(QRect(QPoint(0, 30), QPoint(99, 30)));
        FieldTable::StructField& picture = table.label(QRect(10, 40, 20, 14), FieldTable::Text());
        picture.icon = QPixmap(2, 2);
        picture.icon.fill(Qt::blue);
        picture.iconRect = picture.rect;
        picture.outline = Qt::green;
        picture.outlineWidth = 3;
        table.setFocus(focus);
        QImage image(100, 60, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        table.paint(p);
        QFETCH(QPoint, at);
        QTEST(image.pixelColor(at), "colour");
        QVERIFY(table.textBoxes().isEmpty());  // none for the separator or a field without text
    }
};

KORVEL_TEST_MAIN(TestFieldTable)
#include "test_field_table.moc"
