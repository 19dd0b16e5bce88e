// The seven potentials, one per level, in a fixed evaluation order.
#pragma once
#include "model/dat.h"

// Potential of level N (0 fold ... 6 parabola) at d, under the current scrambling.
template <int N> double catastrophe(const Dat& d);
