// ALSA is loaded by Allegro's sound module, not linked into the game, so
// its error hook is looked up at run time; the library stays loaded, and
// the module later shares it, hook and all.
#include "shell/quietsound.h"

#include <allegro.h>
#include <dlfcn.h>

#include <cstdio>

namespace {

void silent(const char*, int, const char*, int, const char*, ...) {}

typedef void (*ErrorHandler)(const char*, int, const char*, int, const char*, ...);

}  // namespace

void quietalsa() {
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_GLOBAL);
    if (!alsa) return;
    auto sethandler = reinterpret_cast<int (*)(ErrorHandler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (sethandler) sethandler(silent);
}

void reportnosound() {
    if (digi_card == DIGI_NONE) std::fputs("quellmarrow: no sound device found, playing without sound\n", stderr);
}
