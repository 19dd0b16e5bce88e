// Turning the displacement of a relaxation into an event.
#include "model/relax.h"

MoveInfo classify(const Dat& before, const Dat& after) {
    // Distances stay squared: no square root, and the bounds are exact doubles.
    const double dx = after.x - before.x;
    const double dy = after.y - before.y;
    const double dx2 = dx * dx;
    const double dy2 = dy * dy;
    const double d2 = dx2 + dy2;
    MoveInfo m = nosignal;
    if (d2 > 10000) {
        m.kind = 2;
        m.flag1 = dx2 >= 5000;
        m.flag2 = dy2 >= 5000;
    } else if (d2 > 0.0625) {
        m.kind = 1;
        if (dx2 > dy2) {
            m.flag1 = false;
            m.flag2 = after.x > before.x;
        } else {  // a tie counts as a jump along y
            m.flag1 = true;
            m.flag2 = after.y > before.y;
        }
    }
    return m;
}
