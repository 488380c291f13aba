#include "boot_root.h"
#include "golden.h"
#include "korvel_boot.h"
#include "korvel_test.h"

#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <memory>

// The update program in this process under a temporary root: the start, the chooser, the
// dialog's keys and the installations, each row's result (exit status, the texts on screen,
// the root's file tree, the configuration) compared with tests/golden/boot/<row>.txt.
class TestBoot : public QObject {
    Q_OBJECT
private slots:
    void run_data();
    void run();
};

namespace {

// The visible texts, top to bottom; "*" marks the focused button or the selected row.
QString screen(QGraphicsView* view) {
    if (!view->isVisible()) return QStringLiteral("no screen");
    QStringList out;
    for (QGraphicsItem* item : view->scene()->items(Qt::AscendingOrder)) {
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item)) out << text->text();
    }
    QList<QWidget*> widgets = view->findChildren<QWidget*>();
    std::stable_sort(widgets.begin(), widgets.end(), [view](QWidget* a, QWidget* b) {
        const QPoint pa = a->mapTo(view, QPoint()), pb = b->mapTo(view, QPoint());
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    for (QWidget* w : widgets) {
        if (!w->isVisible()) continue;
        const QString mark = w == view->focusWidget() ? "*" : "";
        if (auto* label = qobject_cast<QLabel*>(w)) out << label->text();
        if (auto* button = qobject_cast<QPushButton*>(w)) out << mark + button->text();
        if (auto* bar = qobject_cast<QProgressBar*>(w)) out << '[' + bar->text() + ']';
        if (auto* list = qobject_cast<QListWidget*>(w)) {
            for (int i = 0; i < list->count(); ++i)
                out << (i == list->currentRow() ? "*" : " ") + list->item(i)->text();
        }
    }
    return out.join('\n');
}

void press(QGraphicsView* view, const QString& name) {
    static const QHash<QString, Qt::Key> keys = {{"up", Qt::Key_Up},
                                                 {"right", Qt::Key_Right},
                                                 {"enter", Qt::Key_Return},
                                                 {"esc", Qt::Key_Escape},
                                                 {"menu", Qt::Key_M}};
    QTest::keyClick(view->focusWidget() ? view->focusWidget() : view, keys.value(name));
}

}  // namespace

void TestBoot::run_data() {
    QTest::addColumn<QString>("installed");
    // packages and markers on the card; "cut:between" and "cut:after" a power cut between or
    // after the two renames of an earlier swap
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("keys");  // "/" waits until the installation has ended
    QTest::newRow("no_package") << "1.05" << QStringList{"backup.kub:2.01", "kup-notes.txt:2.01"}
                                << "";
    QTest::newRow("same_version") << "2.01" << QStringList{"a.kup:2.01"} << "";
    QTest::newRow("same_version_forced")
        << "2.01" << QStringList{"a.kup:2.01", "forceupdate.txt"} << "";
    QTest::newRow("longer_version_text") << "2.01" << QStringList{"a.kup:2.01b"} << "";
    QTest::newRow("lower_version_cancel") << "2.01" << QStringList{"a.kup:1.05"} << "enter";
    QTest::newRow("several_packages")
        << "1.05" << QStringList{"b.kup:2.02", "a.kup:2.01", "backup.kub:3.00"} << "";
    QTest::newRow("chooser_up_wraps")
        << "1.05" << QStringList{"b.kup:2.02", "a.kup:2.01"} << "up enter";
    QTest::newRow("chooser_escape") << "1.05" << QStringList{"b.kup:2.02", "a.kup:2.01"} << "esc";
    QTest::newRow("second_variant") << "2.01+1" << QStringList{"a.kup:2.01+2"} << "";
    QTest::newRow("install_migrates") << "1.05" << QStringList{"new.kup:2.01"} << "enter";
    QTest::newRow("install_norename")
        << "2.01" << QStringList{"new.kup:2.02", "norename.txt", "Korvel.kbf.bk"} << "enter";
    QTest::newRow("install_keeps_foreign_configuration")
        << "1.05" << QStringList{"new.kup:2.01", "config:foreign"} << "enter";
    QTest::newRow("install_shell_name")
        << "1.05" << QStringList{"a b'$(touch pwned).kup:2.01"} << "enter";
    QTest::newRow("corrupt") << "1.05" << QStringList{"new.kup:2.01:corrupt"}
                             << "right enter / enter";
    QTest::newRow("truncated") << "1.05" << QStringList{"new.kup:2.01:truncated"}
                               << "enter / enter";
    QTest::newRow("cut_between_members")
        << "1.05" << QStringList{"new.kup:2.01:cut"} << "enter / enter";
    QTest::newRow("extraction_fails")
        << "1.05" << QStringList{"new.kup:2.01:broken"} << "enter / enter";
    QTest::newRow("power_cut_between_renames") << "1.05" << QStringList{"cut:between"} << "";
    QTest::newRow("power_cut_between_renames_then_failed_install")
        << "1.05" << QStringList{"cut:between", "new.kup:2.01:broken"} << "enter / enter";
    QTest::newRow("power_cut_after_renames") << "2.01" << QStringList{"cut:after"} << "";
    QTest::newRow("no_version_record")
        << "1.05" << QStringList{"new.kup:2.01:bare"} << "right enter / enter";
}

void TestBoot::run() {
    QFETCH(QString, installed);
    QFETCH(QStringList, files);
    QFETCH(QString, keys);
    BootRoot root(installed);
    // A value of a type the application never writes: the settings class would decode it.
    if (files.contains("config:foreign"))
        root.write("/opt/configuration.kcg",
                   root.read("/opt/configuration.kcg") +
                       "[Other]\nx=@Variant(\\0\\0\\0\\n\\0\\0\\0\\x2\\0\\x35)\n");
    std::unique_ptr<KorvelTest::ExpectedMessage> refused;
    if (files.contains("config:foreign"))
        refused = std::make_unique<KorvelTest::ExpectedMessage>("holds values of types never");
    const QByteArray configuration = root.read("/opt/configuration.kcg");
    for (const QString& file : files) {
        if (file == "config:foreign") continue;
        if (file.startsWith("cut:")) {
            QDir().rename(root.path("/opt/korvel"), root.path("/opt/korvel.old"));
            root.write("/opt/korvel.new/korvel", "new program\n");
            if (file == "cut:after")
                QDir().rename(root.path("/opt/korvel.new"), root.path("/opt/korvel"));
        } else {
            file.contains(':') ? root.addPackage(file)
                               : root.write("/mnt/sd/Korvel/Update/" + file, "");
        }
    }
    KorvelBoot boot;
    QSignalSpy finished(&boot, &KorvelBoot::signal_finished);
    const auto settled = [&] {
        const QString s = screen(boot.view());
        return !finished.isEmpty() || !(s.contains("Updating") || s.contains("Successfully"));
    };
    boot.start();
    for (const QString& key : keys.split(' ', Qt::SkipEmptyParts)) {
        if (key == "/") QVERIFY(QTest::qWaitFor(settled, 30000));
        if (key != "/") press(boot.view(), key);
    }
    QVERIFY(QTest::qWaitFor(settled, 30000));
    const QByteArray now = root.read("/opt/configuration.kcg");
    const QString dump = "exit " + (finished.isEmpty() ? "-" : finished[0][0].toString()) +
                         "\n\nscreen:\n" + screen(boot.view()) + "\n\nroot:\n" + root.tree() +
                         "\n\nconfiguration:\n" + (now == configuration ? "unchanged\n" : now);
    GOLDEN_COMPARE("boot/" + QString(QTest::currentDataTag()) + ".txt", dump.toUtf8());
}

KORVEL_TEST_MAIN(TestBoot)
#include "test_boot.moc"
