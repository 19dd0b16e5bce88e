// Whether the diagnostic lines on standard output (relaxation, permutation
// and signal lines) are left out. A plain flag, so the model needs to know
// nothing of the command line: --quiet sets it before the first screen.
#pragma once

extern bool quietlog;
