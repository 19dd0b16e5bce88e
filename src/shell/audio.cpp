// Music and sound effects. Every sound is loaded once at start-up; a file
// that does not load leaves a null handle, which the operations below treat
// as silence rather than trusting the libraries with it. A damaged file is
// treated as missing: the loaders trust the sizes a file declares, and the
// player crashes on a module with a tempo of 0.
#include "shell/audio.h"

#include <allegro.h>
#include <aldumb.h>

#include <cstdio>
#include <cstdlib>

#include "shell/soundcheck.h"
#include "shell/soundfiles.h"

SAMPLE* sample[2] = {nullptr, nullptr};
DUH* music[9] = {};
AL_DUH_PLAYER* dplay = nullptr;
int effectsasked[2] = {0, 0};

namespace {

void reportmissing(const char* file) {
    std::fprintf(stderr, "quellmarrow: cannot load %s\n", file);
}

void exitdumb() {
    dumb_exit();
}

}  // namespace

void init_sound() {
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0)
        allegro_message("Error initialising sound system\n%s\n", allegro_error);
    std::atexit(exitdumb);
    set_mixer_quality(0);
    dumb_register_stdfiles();
    for (int i = 0; i < 2; ++i) {
        if (soundfileplausible(samplefiles[i])) sample[i] = load_sample(samplefiles[i]);
        if (!sample[i]) reportmissing(samplefiles[i]);
    }
    for (int i = 0; i < 9; ++i) {
        if (soundfileplausible(musicfiles[i])) music[i] = dumb_load_xm_quick(musicfiles[i]);
        if (!music[i]) reportmissing(musicfiles[i]);
    }
}

void stopmusic() {
    if (dplay) {
        al_stop_duh(dplay);
        dplay = nullptr;
    }
}

void playmusic(int i) {
    stopmusic();
    if (music[i]) dplay = al_start_duh(music[i], 1, 0, 0.2f, 4096, 4000);
}

void playsample(int i) {
    ++effectsasked[i];
    if (sample[i]) play_sample(sample[i], 128, 128, 1000, 0);
}
