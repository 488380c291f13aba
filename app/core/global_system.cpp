#include "core/global.h"

namespace {
const char* const kBeeper = "/sys/class/leds/beep/brightness";
}

void Global::beeperForceOnOneTime() {
    my_system(QStringLiteral("echo 1 > ") + QLatin1String(kBeeper));
    my_system(QStringLiteral("echo 0 > ") + QLatin1String(kBeeper));
}

void Global::beeperOnOneTime() {
    if (configuration.keyTone == 1) beeperForceOnOneTime();
}

void Global::beeperOn(const QString& kind) {
    if (kind == QLatin1String("key")) {
        beeperOnOneTime();
        return;
    }
    int clicks = 0;
    if (kind == QLatin1String("fish")) clicks = 1;
    if (kind == QLatin1String("message")) clicks = 2;
    if (kind == QLatin1String("alarm")) clicks = 3;
    for (int i = 0; i < clicks; ++i) beeperForceOnOneTime();
}
