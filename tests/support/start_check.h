#pragma once

#include "core/korvel.h"

// Runs the controller through its start-up module check, as a test that ticks it by hand
// needs: no module answers in a test, so the check's dialog holds the tick for its 60 ticks.
inline void passStartCheck(Korvel& k) {
    for (int i = 0; i < 60; ++i)
        k.slot_timeout_main();
}
