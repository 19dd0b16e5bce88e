// Turning the small picture into what the player sees.
#pragma once

struct BITMAP;

// Every screen's drawing starts here: buffer cleared to black.
void drawPreface();

// Noise, jittered enlargement into bigbuffer (by the display's factor),
// copy to the middle of the display (shifted at random while screenshake
// runs down).
void presentFrame();

// The three stages of presentFrame, for the tests and the benchmark.
// The factor is big's width over 160; big is 160s x 120s. showframe centres
// big on the display and writes nothing outside big's rectangle there.
// At factors other than 4, enlarge points several of big's rows at one
// row where they are alike: until the next enlargement, write to big only
// to draw a whole new picture. Those rows are big's own, or, for a picture
// made by createbigpicture, rows that live and die with it.
void sprinklenoise(BITMAP* small, bool coloured);
void enlarge(BITMAP* small, BITMAP* big);
void showframe(BITMAP* big, BITMAP* display, int shake);

// The big picture of factor s, 160s x 120s, and its end.
BITMAP* createbigpicture(int s);
void destroybigpicture(BITMAP* big);

// The enlargement with getpixel and rectfill: any bitmap, same picture, slower.
void enlargereference(BITMAP* small, BITMAP* big);
