#include "korvel_test.h"
#include "sonar_test_frames.h"

#include <QApplication>
#include <QtTest>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int failures = 0;
    for (QObject* (*make)() :
         {makeSonarColumnTest, makeSonarRenderTest, makeSonarEchogramTest, makeSonarShownTest}) {
        std::unique_ptr<QObject> test(make());
        failures += KorvelTest::run(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
