// Nudging a control value by one step.
#include "model/controls.h"

// The sum is rounded to double before the clamp, so 40 raises from 0 land on 1 exactly.
void inc(double& v) {
    v = v + delta;
    if (v > 1) v = 1;
}

void dec(double& v) {
    v = v - delta;
    if (v < -1) v = -1;
}
