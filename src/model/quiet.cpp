#include "model/quiet.h"

bool quietlog = false;
