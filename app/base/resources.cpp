#include "base/resources.h"

#include <QtGlobal>

static void initKorvelQrc() {
    Q_INIT_RESOURCE(korvel);
}

void korvelInitResources() {
    static const bool done = (initKorvelQrc(), true);
    Q_UNUSED(done);
}
