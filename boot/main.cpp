#include "boot_paths.h"
#include "boot_script.h"
#include "korvel_boot.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFontDatabase>
#include <QGraphicsView>
#include <QTimer>
#include <cstdio>

namespace {

// The handset's font file lies in the working directory; without it the default font stays.
void useFont(const QString& file) {
    QFont font;
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families =
        id == -1 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty()) font = QFont(families.first());
    font.setPixelSize(16);
    QApplication::setFont(font);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("korvelboot"));

    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral("Korvel update program"));
    cli.addHelpOption();
    const QCommandLineOption rootOption(QStringLiteral("root"),
                                        QStringLiteral("Directory that stands for /."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption scriptOption(QStringLiteral("script"),
                                          QStringLiteral("Play keys and screenshots from FILE."),
                                          QStringLiteral("FILE"));
    cli.addOptions({rootOption, scriptOption});
    cli.process(app);

    BootPaths::setRoot(cli.isSet(rootOption) ? cli.value(rootOption)
                                             : qEnvironmentVariable("KORVEL_ROOT"));
    useFont(QStringLiteral("Regular.otf"));
    app.setStyleSheet(QStringLiteral("QPushButton:focus{outline:none; background-color:yellow;}"));

    KorvelBoot boot;
    QObject::connect(&boot, &KorvelBoot::signal_finished, &app, &QCoreApplication::exit);
    BootScript script(boot.view());
    if (cli.isSet(scriptOption)) {
        if (!script.load(cli.value(scriptOption))) {
            fprintf(stderr, "%s\n", qPrintable(script.error()));
            return 2;
        }
        QObject::connect(&script, &BootScript::finished, &app, &QCoreApplication::exit);
    }
    // The script begins once the start sequence is through, so its first command meets the
    // chooser or the dialog rather than a screen half built.
    QTimer::singleShot(0, &boot, [&] {
        boot.start();
        if (cli.isSet(scriptOption)) script.start();
    });
    return app.exec();
}
