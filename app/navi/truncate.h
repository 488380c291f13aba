#pragma once

#include <climits>
#include <cmath>

namespace Navi {

// Truncation toward zero, as a plain int conversion does, but defined for every input:
// values beyond the int range saturate and NaN gives 0. Positions and map points from a
// file or the link can be anything; a cast of such a value would be undefined.
inline int truncToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT_MAX;
    if (v <= -2147483648.0) return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace Navi
