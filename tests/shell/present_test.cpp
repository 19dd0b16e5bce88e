// The presentation: noise, the jittered enlargement and the shaking copy.
#include <allegro.h>
#include <gtest/gtest.h>

#include <set>

#include "shell/globals.h"
#include "shell/jitter.h"
#include "shell/present.h"

namespace {

struct Rgb {
    int r, g, b;
};
Rgb rgb(int c) {
    return {getr(c), getg(c), getb(c)};
}

// Paints every small pixel a colour that names it: red = x, green = y.
void paintnames(BITMAP* small) {
    for (int x = 0; x < 160; ++x)
        for (int y = 0; y < 120; ++y) putpixel(small, x, y, makecol(x, y, 200));
}

TEST(Present, GreyNoiseWhenStillColouredWhileShaking) {
    const int white = makecol(255, 255, 255);
    jitter.reseed(7);
    int coloured = 0;
    for (int round = 0; round < 20; ++round) {
        const bool shaking = round % 2;
        clear_to_color(buffer, white);
        sprinklenoise(buffer, shaking);
        int changed = 0;
        for (int x = 0; x < 160; ++x)
            for (int y = 0; y < 120; ++y) {
                const int c = getpixel(buffer, x, y);
                if (c == white) continue;
                ++changed;
                const Rgb p = rgb(c);
                if (!shaking) {
                    EXPECT_TRUE(p.r == p.g && p.g == p.b && p.r <= 99) << p.r << "," << p.g << "," << p.b;
                } else {
                    EXPECT_LE(std::max({p.r, p.g, p.b}), 254);
                    coloured += !(p.r == p.g && p.g == p.b);
                }
            }
        // Fifty pixels, a few of which may land on the same spot.
        EXPECT_LE(changed, 50);
        EXPECT_GE(changed, 40);
    }
    EXPECT_GT(coloured, 100);
}

TEST(Present, EveryRectangleStaysWithinItsJitterAndCoversItsCore) {
    BITMAP* big = create_bitmap(640, 480);
    paintnames(buffer);
    jitter.reseed(11);
    for (int frame = 0; frame < 5; ++frame) {
        enlarge(buffer, big);
        for (int Y = 0; Y < 480; ++Y)
            for (int X = 0; X < 640; ++X) {
                const Rgb p = rgb(getpixel(big, X, Y));
                if (p.b == 0) continue;  // uncovered: the cleared black shows
                ASSERT_EQ(p.b, 200);
                // The rectangle of pixel (x, y) spans 4x-1 .. 4x+4 at most.
                ASSERT_GE(X, 4 * p.r - 1) << X << "," << Y;
                ASSERT_LE(X, 4 * p.r + 4) << X << "," << Y;
                ASSERT_GE(Y, 4 * p.g - 1) << X << "," << Y;
                ASSERT_LE(Y, 4 * p.g + 4) << X << "," << Y;
            }
        // No later rectangle can reach a pixel's inner 2x2, so it always shows.
        for (int x = 0; x < 160; ++x)
            for (int y = 0; y < 120; ++y)
                for (int k = 0; k < 4; ++k)
                    ASSERT_EQ(getpixel(big, 4 * x + 1 + k % 2, 4 * y + 1 + k / 2), makecol(x, y, 200));
    }
    destroy_bitmap(big);
}

TEST(Present, JitterTakesEveryEdgeOffsetAndClipsAtTheBorders) {
    // A lone white pixel on black shows its whole rectangle, so its edges can be read.
    BITMAP* big = create_bitmap(640, 480);
    const int white = makecol(255, 255, 255);
    std::set<int> lefts, rights, tops, bottoms;
    int corners = 0;
    jitter.reseed(3);
    for (int frame = 0; frame < 300; ++frame) {
        const int x = frame % 2 ? 159 : 0, y = frame % 3 ? 119 : 0;
        clear_to_color(buffer, makecol(0, 0, 0));
        putpixel(buffer, 80, 60, white);
        putpixel(buffer, x, y, white);
        enlarge(buffer, big);
        int x0 = 640, x1 = -1, y0 = 480, y1 = -1;
        for (int Y = 230; Y < 250; ++Y)
            for (int X = 310; X < 330; ++X)
                if (getpixel(big, X, Y) == white) {
                    x0 = std::min(x0, X), x1 = std::max(x1, X);
                    y0 = std::min(y0, Y), y1 = std::max(y1, Y);
                }
        lefts.insert(x0 - 320), rights.insert(x1 - 320), tops.insert(y0 - 240), bottoms.insert(y1 - 240);
        // A border pixel's rectangle may reach one past the picture and is
        // clipped there; the picture's corner is covered only when the
        // jitter pushes both edges outwards far enough.
        const int cx = x ? 639 : 0, cy = y ? 479 : 0;
        corners += getpixel(big, cx, cy) == white;
        EXPECT_EQ(getpixel(big, x ? 637 : 2, y ? 477 : 2), white);
    }
    EXPECT_EQ(lefts, (std::set<int>{-1, 0, 1}));
    EXPECT_EQ(rights, (std::set<int>{2, 3, 4}));
    EXPECT_EQ(tops, (std::set<int>{-1, 0, 1}));
    EXPECT_EQ(bottoms, (std::set<int>{2, 3, 4}));
    // Two of three offsets per edge reach the corner: about 4/9 of the frames.
    EXPECT_GT(corners, 80);
    EXPECT_LT(corners, 200);
    destroy_bitmap(big);
}

TEST(Present, FastPathDrawsWhatTheReferenceDraws) {
    BITMAP* fast = create_bitmap(640, 480);
    BITMAP* slow = create_bitmap(640, 480);
    for (int x = 0; x < 160; ++x)
        for (int y = 0; y < 120; ++y) putpixel(buffer, x, y, makecol((x * 7) % 3 * 100, y % 2 * 200, 0));
    for (uint64_t seed = 1; seed < 6; ++seed) {
        jitter.reseed(seed);
        enlarge(buffer, fast);
        jitter.reseed(seed);
        clear_to_color(slow, makecol(0, 0, 0));
        enlargereference(buffer, slow);
        for (int y = 0; y < 480; ++y)
            ASSERT_EQ(0, memcmp(fast->line[y], slow->line[y], 640 * 4)) << "row " << y << " seed " << seed;
    }
    destroy_bitmap(fast);
    destroy_bitmap(slow);
    // Every other factor goes the row-by-row way: the same picture again,
    // over a bitmap full of leftovers, and each small pixel's centre, which
    // no wobble uncovers, shows its own colour.
    for (int s : {1, 2, 3, 5, 6, 7, 9, 15, 18}) {
        fast = create_bitmap(160 * s, 120 * s);
        slow = create_bitmap(160 * s, 120 * s);
        for (uint64_t seed = 1; seed < 3; ++seed) {
            clear_to_color(fast, makecol(9, 9, 9));
            jitter.reseed(seed);
            enlarge(buffer, fast);
            jitter.reseed(seed);
            clear_to_color(slow, makecol(0, 0, 0));
            enlargereference(buffer, slow);
            for (int y = 0; y < 120 * s; ++y)
                ASSERT_EQ(0, memcmp(fast->line[y], slow->line[y], 160 * s * 4)) << "x" << s << " row " << y;
            for (int x = 0; x < 160; x += 7)
                for (int y = 0; y < 120; y += 5)
                    ASSERT_EQ(getpixel(fast, s * x + s / 2, s * y + s / 2), getpixel(buffer, x, y)) << "x" << s;
        }
        destroy_bitmap(fast);
        destroy_bitmap(slow);
    }
}

// Two pictures at two factors, as a display switch makes them: each keeps
// its own rows, whatever the other's enlargement does (under
// AddressSanitizer a row in freed memory ends the test).
TEST(Present, TwoPicturesAtTwoFactorsKeepTheirOwnRows) {
    paintnames(buffer);
    BITMAP* six = createbigpicture(6);
    BITMAP* seven = createbigpicture(7);
    BITMAP* want = create_bitmap(960, 720);
    jitter.reseed(21);
    enlarge(buffer, six);
    jitter.reseed(21);
    clear_to_color(want, makecol(0, 0, 0));
    enlargereference(buffer, want);
    enlarge(buffer, seven);
    // A bitmap made elsewhere keeps its rows in its own memory.
    BITMAP* other = create_bitmap(800, 600);
    enlarge(buffer, other);
    for (BITMAP* gone : {seven, static_cast<BITMAP*>(nullptr)}) {
        destroybigpicture(gone);
        enlarge(buffer, other);
        for (int y = 0; y < 720; ++y) ASSERT_EQ(0, memcmp(six->line[y], want->line[y], 960 * 4)) << "row " << y;
        for (int y = 0; y < 600; ++y)
            ASSERT_TRUE(other->line[y] >= static_cast<unsigned char*>(other->dat) &&
                        other->line[y] < static_cast<unsigned char*>(other->dat) + 800 * 600 * 4) << "row " << y;
    }
    destroybigpicture(six);
    destroy_bitmap(other);
    destroy_bitmap(want);
}

// Where the frame landed on the display: offset of the big picture's colour.
struct Landing {
    int dx, dy;
    bool clean;  // every pixel is the frame or the old display, as the offset says
};

Landing land(BITMAP* big, BITMAP* display, int shake) {
    const int old = makecol(1, 2, 3), frame = makecol(200, 100, 50);
    clear_to_color(display, old);
    clear_to_color(big, frame);
    showframe(big, display, shake);
    // The frame's edges on the display give the offset.
    int left = 0;
    while (left < 640 && getpixel(display, left, 240) != frame) ++left;
    int top = 0;
    while (top < 480 && getpixel(display, 320, top) != frame) ++top;
    int right = 639;
    while (right >= 0 && getpixel(display, right, 240) != frame) --right;
    int bottom = 479;
    while (bottom >= 0 && getpixel(display, 320, bottom) != frame) --bottom;
    const int dx = left > 0 ? left : right - 639;
    const int dy = top > 0 ? top : bottom - 479;
    bool clean = true;
    for (int y = 0; y < 480 && clean; y += 7)
        for (int x = 0; x < 640 && clean; x += 5) {
            const bool inside = x - dx >= 0 && x - dx < 640 && y - dy >= 0 && y - dy < 480;
            clean = getpixel(display, x, y) == (inside ? frame : old);
        }
    return {dx, dy, clean};
}

TEST(Present, ShakeOffsetsCoverTheirRangeAndLeaveTheRestOfTheDisplay) {
    BITMAP* big = create_bitmap(640, 480);
    BITMAP* display = create_bitmap(640, 480);
    jitter.reseed(5);
    std::set<int> xs, ys;
    for (int i = 0; i < 600; ++i) {
        const Landing l = land(big, display, 30);
        ASSERT_TRUE(l.clean);
        xs.insert(l.dx), ys.insert(l.dy);
    }
    EXPECT_EQ(*xs.begin(), -15);
    EXPECT_EQ(*xs.rbegin(), 14);
    EXPECT_EQ(*ys.begin(), -15);
    EXPECT_EQ(*ys.rbegin(), 14);
    EXPECT_EQ(xs.size(), 30u);
    for (int shake : {1, 0}) {
        const Landing l = land(big, display, shake);
        EXPECT_TRUE(l.clean);
        EXPECT_EQ(l.dx, 0);
        EXPECT_EQ(l.dy, 0);
    }
    const Landing three = land(big, display, 3);  // offsets -1..1
    EXPECT_LE(std::abs(three.dx), 1);
    destroy_bitmap(big);
    destroy_bitmap(display);

    // At x9 on 1920x1080 the picture sits in the middle, its shake is
    // 9 / 4 as far (-34 .. 32 display pixels), cut at its own edges: the
    // border keeps what it had.
    BITMAP* wide = create_bitmap(1920, 1080);
    BITMAP* nine = create_bitmap(1440, 1080);
    const int old = makecol(1, 2, 3), frame = makecol(200, 100, 50);
    clear_to_color(nine, frame);
    int widest = 0;
    for (int i = 0; i < 60; ++i) {
        clear_to_color(wide, old);
        showframe(nine, wide, i ? 30 : 0);
        for (int y : {0, 540, 1079}) {
            ASSERT_EQ(getpixel(wide, 239, y), old);
            ASSERT_EQ(getpixel(wide, 1680, y), old);
        }
        int left = 240, right = 1679;
        while (getpixel(wide, left, 540) != frame) ++left;
        while (getpixel(wide, right, 540) != frame) --right;
        const int dx = left > 240 ? left - 240 : right - 1679;
        ASSERT_TRUE(dx >= -34 && dx <= 32) << dx;
        if (i == 0) {
            ASSERT_EQ(right - left, 1439);
        }
        widest = std::max(widest, std::abs(dx));
    }
    EXPECT_GT(widest, 20);
    destroy_bitmap(wide);
    destroy_bitmap(nine);
}

TEST(Present, ShakeCountsDownOncePerFrameThenStaysStill) {
    BITMAP* display = create_bitmap(640, 480);
    BITMAP* saved = screen;
    screen = display;
    screenshake = 2;
    clear_to_color(buffer, makecol(255, 255, 255));
    presentFrame();
    EXPECT_EQ(screenshake, 1);
    presentFrame();
    EXPECT_EQ(screenshake, 0);
    presentFrame();
    EXPECT_EQ(screenshake, 0);
    // The frame reached the display: the centre shows the white picture
    // (but for noise and the gaps the jitter leaves).
    int white = 0;
    for (int y = 235; y < 245; ++y)
        for (int x = 315; x < 325; ++x) white += getpixel(display, x, y) == makecol(255, 255, 255);
    EXPECT_GE(white, 50);  // jitter gaps show black between some rectangles
    screen = saved;
    destroy_bitmap(display);
}

}  // namespace
