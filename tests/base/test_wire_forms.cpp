#include "base/ap_mode.h"
#include "base/dialog_kind.h"
#include "base/hint_code.h"
#include "korvel_test.h"

#include <QtTest>

// The text forms of the modes, hint codes and dialog kinds: what the autopilot sends, what
// the user reads beside a message and what the scripted runs name.
class TestWireForms : public QObject {
    Q_OBJECT
private slots:
    void apModes_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("back");
        QTest::newRow("run") << "R" << int(EnumApMode::Run) << "R";
        QTest::newRow("manual") << "M" << int(EnumApMode::Manual) << "M";
        QTest::newRow("finished") << "F" << int(EnumApMode::Finished) << "F";
        QTest::newRow("stopped") << "S" << int(EnumApMode::Stopped) << "S";
        QTest::newRow("error") << "E" << int(EnumApMode::Error) << "E";
        QTest::newRow("test") << "T" << int(EnumApMode::Test) << "T";
        QTest::newRow("first letter counts") << "Rx" << int(EnumApMode::Run) << "R";
        QTest::newRow("lower case is unknown") << "r" << int(EnumApMode::Unknown) << "";
        QTest::newRow("empty") << "" << int(EnumApMode::Unknown) << "";
    }
    void apModes() {
        QFETCH(QString, field);
        QFETCH(int, mode);
        QFETCH(QString, back);
        QCOMPARE(int(ApMode::fromField(field)), mode);
        QCOMPARE(ApMode::toField(EnumApMode(mode)), back);
    }

    // Every code between 100 and 999 that is one reads back as itself; the others are none.
    void hintCodes() {
        int known = 0;
        for (int n = 100; n < 1000; ++n) {
            const QString text = QString::number(n);
            const EnumHintCode code = HintCode::fromText(text);
            if (code == EnumHintCode::None) continue;
            ++known;
            QCOMPARE(HintCode::text(code), text);
        }
        QCOMPARE(known, 42);
        QCOMPARE(HintCode::fromText(QStringLiteral("40x")), EnumHintCode::None);
        QCOMPARE(HintCode::text(EnumHintCode::GoTooFar), QStringLiteral("409"));
    }

    void dialogKinds() {
        QSet<QString> names;
        for (int k = int(EnumDialogKind::None) + 1; k <= int(EnumDialogKind::RadioBind); ++k) {
            const QString name = DialogKind::text(EnumDialogKind(k));
            QVERIFY2(!name.isEmpty(), qPrintable(QString::number(k)));
            QCOMPARE(int(DialogKind::fromText(name)), k);
            names.insert(name);
        }
        QCOMPARE(names.size(), int(EnumDialogKind::RadioBind));
        QCOMPARE(DialogKind::fromText(QStringLiteral("HomePoint")), EnumDialogKind::None);
    }
};

KORVEL_TEST_MAIN(TestWireForms)
#include "test_wire_forms.moc"
