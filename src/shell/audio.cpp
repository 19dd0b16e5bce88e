// Music and sound effects. Every sound is loaded once at start-up; a file
// that does not load leaves a null handle, which the operations below treat
// as silence rather than trusting the libraries with it. A damaged file is
// treated as missing: the loaders trust the sizes a file declares, and the
// player crashes on a module with a tempo of 0.
#include "shell/audio.h"

#include <allegro.h>
#include <aldumb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "shell/quietsound.h"
#include "shell/soundcheck.h"

SAMPLE* sample[2] = {nullptr, nullptr};
DUH* music[musiccount] = {};
AL_DUH_PLAYER* dplay = nullptr;
int effectsasked[2] = {0, 0};
int musicasked = -1;
int volumelevel = volumesteps;
bool muted = false;

namespace {

float musicvolume() {
    return 0.2f * static_cast<float>(volumelevel) / volumesteps;
}

void reportmissing(const char* file) {
    std::fprintf(stderr, "quellmarrow: cannot load %s\n", file);
}

void exitdumb() {
    dumb_exit();
}

}  // namespace

void init_sound() {
    quietalsa();
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0)
        allegro_message("Error initialising sound system\n%s\n", allegro_error);
    reportnosound();
    std::atexit(exitdumb);
    set_mixer_quality(0);
    dumb_register_stdfiles();
    for (int i = 0; i < 2; ++i) {
        if (soundfileplausible(samplefiles[i])) sample[i] = load_sample(samplefiles[i]);
        if (!sample[i]) reportmissing(samplefiles[i]);
    }
    for (int i = 0; i < musiccount; ++i) {
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
    musicasked = i;
    stopmusic();
    if (music[i]) dplay = al_start_duh(music[i], 1, 0, musicvolume(), 4096, 4000);
    if (dplay && muted) al_pause_duh(dplay);
}

void playsample(int i) {
    ++effectsasked[i];
    const int volume = 128 * volumelevel / volumesteps;
    if (sample[i] && !muted && volume > 0) play_sample(sample[i], volume, 128, 1000, 0);
}

void stepvolume(int step) {
    volumelevel = std::clamp(volumelevel + step, 0, volumesteps);
    if (dplay) al_duh_set_volume(dplay, musicvolume());
}

// Pausing stops the stream's voice at once; a volume of 0 would be heard
// only once the tune already rendered into the stream has played (about
// half a second, which is how long a volume step takes to be heard).
void togglemute() {
    muted = !muted;
    if (!dplay) return;
    if (muted)
        al_pause_duh(dplay);
    else
        al_resume_duh(dplay);
}
