#include "core/app_setup.h"
#include "core/korvel.h"
#include "core/script_runner.h"
#include "core/ux_view.h"
#include "platform/platform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("korvel"));

    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral("Korvel handset"));
    cli.addHelpOption();
    const QCommandLineOption rootOption(QStringLiteral("root"),
                                        QStringLiteral("Directory that stands for /."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption scriptOption(QStringLiteral("script"),
                                          QStringLiteral("Play keys and screenshots from FILE."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption firstTickOption(
        QStringLiteral("exit-after-first-tick"),
        QStringLiteral("Print \"first-tick\" at the first main tick and end (start-up timing)."));
    cli.addOptions({rootOption, scriptOption, firstTickOption});
    cli.process(app);

    Platform::initFromEnvironment();
    if (cli.isSet(rootOption)) Platform::setRoot(cli.value(rootOption));

    ScriptRunner* script = nullptr;
    if (cli.isSet(scriptOption)) {
        script = new ScriptRunner(nullptr, &app);
        if (!script->load(cli.value(scriptOption))) {
            fprintf(stderr, "%s\n", qPrintable(script->error()));
            return 2;
        }
    }

    AppSetup::apply(app);

    auto* korvel = new Korvel();
    korvel->system_useDefaultSetting();
    korvel->system_loadConfiguration();
    korvel->system_checkState();
    korvel->sonar_imageRefresh();
    korvel->sonar_imageScroll();

    if (cli.isSet(firstTickOption)) {
        QObject::connect(korvel->mainTimer(), &QTimer::timeout, &app, [] {
            printf("first-tick\n");
            fflush(stdout);
            QCoreApplication::exit(0);
        });
    }
    if (script) {
        script->setScreen(korvel->view());
        QObject::connect(script, &ScriptRunner::finished, &app, &QCoreApplication::exit);
        script->start();
    }
    return app.exec();
}
