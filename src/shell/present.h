// Turning the small picture into what the player sees.
#pragma once

struct BITMAP;

// Every screen's drawing starts here: buffer cleared to black.
void drawPreface();

// Noise, jittered fourfold enlargement into bigbuffer, copy to the display
// (shifted at random while screenshake runs down).
void presentFrame();

// The three stages of presentFrame, for the tests and the benchmark.
void sprinklenoise(BITMAP* small, bool coloured);
void enlarge(BITMAP* small, BITMAP* big);
void showframe(BITMAP* big, BITMAP* display, int shake);

// The enlargement with getpixel and rectfill: any bitmap, same picture, slower.
void enlargereference(BITMAP* small, BITMAP* big);
