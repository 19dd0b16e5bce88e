// The presentation: the small picture, sprinkled with noise, enlarged by
// the display's whole factor s with every pixel's rectangle wobbling, then
// copied to the middle of the display. It runs on every pass of every
// screen, so the hot paths write rows of 32-bit memory bitmaps directly (one
// tuned for the fourfold picture, one for any factor); the generic path
// (getpixel / rectfill) draws the same picture for any other bitmap.
//
// The wobble keeps the fourfold picture's proportions: an edge moves by
// (d - 1) * s / 4 display pixels for its offset digit d (0..2), to the
// nearest pixel with halves rounded up, so at x4 it is -1, 0 or +1 as it
// always was, at x2 0 or +1, at x9 -2, 0 or +2, at x18 -4, 0 or +5. The
// shake's offsets scale the same way.
#include "shell/present.h"

#include <allegro.h>

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "shell/globals.h"
#include "shell/jitter.h"

Jitter jitter;

namespace {

constexpr int smallw = 160, smallh = 120;
constexpr int bigw = 640, bigh = 480;  // the fourfold picture of the tuned path

// floor(n / 4) for either sign.
inline int quarterdown(int n) {
    return n >= 0 ? n / 4 : -((3 - n) / 4);
}

// A distance of the fourfold picture at factor s: n * s / 4, halves up.
inline int scaled(int n, int s) {
    return quarterdown(n * s + 2);
}

// How far an edge with offset digit d moves at factor s.
inline int edgeshift(int d, int s) {
    return scaled(d - 1, s);
}

int factorof(BITMAP* big) {
    return big->w / smallw > 1 ? big->w / smallw : 1;
}
constexpr int noisepixels = 50;

// The four edge offsets of one small pixel's rectangle, each 0..2.
struct Digits {
    int a, b, p, q;
};

// The base-3 digits of every code a rectangle can draw, worked out once.
struct DigitTable {
    Digits of[81];
    DigitTable() {
        for (int k = 0; k < 81; ++k) of[k] = {k % 3, k / 3 % 3, k / 9 % 3, k / 27};
    }
};
const DigitTable digittable;

inline Digits nextdigits() {
    return digittable.of[jitter.rectcode()];
}

// Corners (inclusive) of the rectangle of small pixel (x, y), each edge
// moved by a value 0..2; all four 1 covers exactly the pixel's 4x4 cell.
struct Cell {
    int x0, y0, x1, y1;
    bool holds(int col, int row) const { return col >= x0 && col <= x1 && row >= y0 && row <= y1; }
};

inline Cell cellof(int x, int y, Digits d, int s = 4) {
    return {s * x + edgeshift(d.a, s), s * y + edgeshift(d.b, s), s * x + s - 1 + edgeshift(d.p, s),
            s * y + s - 1 + edgeshift(d.q, s)};
}

bool islinear32(BITMAP* b) {
    return is_memory_bitmap(b) && bitmap_color_depth(b) == 32;
}

// The fast path draws the same picture as the reference, where a later
// rectangle (x outer, y inner) covers an earlier one, but it goes row by
// row, so that the six rows a row of small pixels touches stay in the
// cache, and it never clears bigbuffer.
//
// Order: pixel (x, y)'s rectangle lies within the 6x6 block from
// (4x - 1, 4y - 1). Of the rectangles that are later in the picture's
// order, only (x + 1, y - 1) is drawn before (x, y) row by row and can
// overlap it, in columns 4x + 3, 4x + 4 and rows 4y - 1, 4y: (x, y) leaves
// whatever of that it covers alone.
//
// No clearing: the block's lower right 4x4, columns 4x + 1 .. 4x + 4 and
// rows 4y + 1 .. 4y + 4, is reached by no rectangle drawn before (x, y),
// so it is written whole, colour or black; the rest of the block has all
// been written earlier in this frame and is overwritten only where the
// rectangle covers it. Column 0 and row 0 are written whole by the first
// column and row of small pixels. So every pixel is written every frame.

// This frame's rectangle codes by small row, with a row of code 0 above
// the picture (its rectangles have q = 0 and hide nothing below them).
uint8_t codes[smallh + 1][smallw];

inline Digits digitsat(int x, int y) {
    return digittable.of[codes[y + 1][x]];
}

// Pixels in the first and last column of the small picture: clipped, one
// pixel at a time.
void fillborder(BITMAP* big, int x, int y, uint32_t c) {
    const Cell r = cellof(x, y, digitsat(x, y));
    Cell later = {0, 0, -1, -1};  // (x + 1, y - 1), if there is one
    if (x + 1 < smallw && y > 0) later = cellof(x + 1, y - 1, digitsat(x + 1, y - 1));
    const int ownx = x == 0 ? 0 : 4 * x + 1, owny = y == 0 ? 0 : 4 * y + 1;
    const int left = x == 0 ? 0 : 4 * x - 1, right = x == smallw - 1 ? bigw - 1 : 4 * x + 4;
    const int top = y == 0 ? 0 : 4 * y - 1, bottom = y == smallh - 1 ? bigh - 1 : 4 * y + 4;
    for (int row = top; row <= bottom; ++row) {
        uint32_t* line = reinterpret_cast<uint32_t*>(big->line[row]);
        for (int col = left; col <= right; ++col) {
            if (r.holds(col, row) && !later.holds(col, row))
                line[col] = c;
            else if (row >= owny && col >= ownx)
                line[col] = 0;  // black
        }
    }
}

// The other pixels: each block row is two groups of four columns, 4x - 1 ..
// 4x + 2 and 4x + 3 .. 4x + 6, drawn with per-lane masks instead of loops
// over the random width and height, whose exits no branch predictor could
// learn. The right group is the next pixel's left group: it stays in a
// register ("carry") until that pixel has drawn over it. Its last two lanes
// belong to the next pixel, which writes them whole in the lower four rows,
// so they may take anything there meanwhile.
typedef uint32_t Quad __attribute__((vector_size(16)));

inline Quad loadquad(const uint32_t* p) {
    Quad q;
    std::memcpy(&q, p, sizeof q);
    return q;
}

inline void storequad(uint32_t* p, Quad q) {
    std::memcpy(p, &q, sizeof q);
}

// The lanes one rectangle code covers, worked out once.
struct Shape {
    Quad left;       // left group, by the left offset a
    Quad keep;       // left group lanes drawn before and not covered: columns 4x - 1, 4x
    Quad right;      // right group, by the right offset p
    Quad top[2];     // rows 4y - 1, 4y, by the top offset b
    Quad bottom[2];  // rows 4y + 3, 4y + 4, by the bottom offset q
    Quad inlow[2];   // left group in rows 4y + 3, 4y + 4
    Quad keeplow[2]; // left group lanes drawn before and not covered, rows 4y + 3, 4y + 4
    Quad hides[2];   // as pixel (x + 1, y - 1): what it covers of (x, y)'s right group in rows 4y - 1, 4y
};

struct ShapeTable {
    Shape of[81];
    ShapeTable() {
        constexpr uint32_t on = ~0u;
        const Quad leftlanes[3] = {{on, on, on, on}, {0, on, on, on}, {0, 0, on, on}};
        const Quad rightlanes[3] = {{0, 0, 0, 0}, {on, 0, 0, 0}, {on, on, 0, 0}};
        const Quad earlier = {on, on, 0, 0};
        const Quad all = {on, on, on, on}, none = {0, 0, 0, 0};
        for (int k = 0; k < 81; ++k) {
            const Digits d = digittable.of[k];
            Shape& s = of[k];
            s.left = leftlanes[d.a];
            s.keep = earlier & ~s.left;
            s.right = rightlanes[d.p];
            s.top[0] = d.b == 0 ? all : none;
            s.top[1] = d.b <= 1 ? all : none;
            s.bottom[0] = d.q >= 1 ? all : none;
            s.bottom[1] = d.q == 2 ? all : none;
            for (int r = 0; r < 2; ++r) {
                s.inlow[r] = s.left & s.bottom[r];
                s.keeplow[r] = earlier & ~s.inlow[r];
                s.hides[r] = s.left & earlier & s.bottom[r];
            }
        }
    }
};
const ShapeTable shapes;

// Pixels 1 .. 158 of small row y into the six big rows lines[0 .. 5],
// rows 4y - 1 .. 4y + 4. Black is 0 in 32-bit colour, so "colour or
// black" is colour & mask.
void fillrow(uint32_t* const lines[6], int y, const uint32_t* smallrow) {
    Quad carry[6];
    for (int r = 0; r < 6; ++r) carry[r] = loadquad(lines[r] + 3);  // pixel 1's left group
    const uint8_t* code = codes[y + 1];
    const uint8_t* codeabove = codes[y];
    for (int x = 1; x < smallw - 1; ++x) {
        const Shape& s = shapes.of[code[x]];
        const Shape& n = shapes.of[codeabove[x + 1]];
        const uint32_t c = smallrow[x];
        const Quad colour = {c, c, c, c};
        const int x0 = 4 * x - 1;
        for (int r = 0; r < 2; ++r) {
            const Quad l = carry[r], rr = loadquad(lines[r] + x0 + 4);
            storequad(lines[r] + x0, l ^ ((l ^ colour) & s.left & s.top[r]));
            carry[r] = rr ^ ((rr ^ colour) & s.right & s.top[r] & ~n.hides[r]);
        }
        const Quad inleft = colour & s.left, inright = colour & s.right;
        for (int r = 2; r < 4; ++r) {
            storequad(lines[r] + x0, (carry[r] & s.keep) | inleft);
            carry[r] = inright;
        }
        for (int r = 4; r < 6; ++r) {
            storequad(lines[r] + x0, (carry[r] & s.keeplow[r - 4]) | (colour & s.inlow[r - 4]));
            carry[r] = inright & s.bottom[r - 4];
        }
    }
    for (int r = 0; r < 6; ++r) storequad(lines[r] + 4 * (smallw - 1) - 1, carry[r]);
}

void enlargefast(BITMAP* small, BITMAP* big) {
    for (int x = 0; x < smallw; ++x)
        for (int y = 0; y < smallh; ++y) codes[y + 1][x] = static_cast<uint8_t>(jitter.rectcode());
    // The first and last small rows reach one big row beyond the picture:
    // they draw it into a spare row. Row 0 starts black, like everything
    // the rectangles leave bare.
    static uint32_t spare[bigw];
    std::memset(big->line[0], 0, bigw * sizeof(uint32_t));
    for (int y = 0; y < smallh; ++y) {
        const uint32_t* smallrow = reinterpret_cast<const uint32_t*>(small->line[y]);
        uint32_t* lines[6];
        for (int r = 0; r < 6; ++r) {
            const int row = 4 * y - 1 + r;
            lines[r] = row >= 0 && row < bigh ? reinterpret_cast<uint32_t*>(big->line[row]) : spare;
        }
        fillborder(big, 0, y, smallrow[0]);
        fillrow(lines, y, smallrow);
        fillborder(big, smallw - 1, y, smallrow[smallw - 1]);
    }
}

// Any other factor, row by row. Big row s * y + r (0 <= r < s) is reached
// by at most three rectangles of each column: (x, y - 1) while r is above
// its bottom shift, (x, y) between its shifts, (x, y + 1) from s plus its
// top shift on. With l <= 0 <= h the smallest and largest shift, a band of
// s rows has three parts, each of identical rows: 0 .. h - 1, where
// (x, y - 1) reaches if its bottom digit is 2 and (x, y) if its top digit
// is not; h .. s + l - 1, (x, y) alone; s + l .. s - 1, (x, y) if its
// bottom digit is not 0 and (x, y + 1) if its top digit is 0. Each part is
// drawn once into a padded row of its own, which needs no clipping, copied
// once into the big picture and the part's other rows are pointed at that
// copy: 360 rows are drawn and copied, and the copy to the display reads
// each from the cache s / 3 times over.
//
// Within a row, columns s * x + l .. s * x + s + l - 1 ("zone x") can be
// reached only by column x's rectangles and, at the left, column x - 1's:
// each zone is worked out in registers from those, later ones over earlier
// ones, and stored once, so no store waits for another to land.
typedef int32_t Lanes __attribute__((vector_size(16)));

// What a rectangle code draws in each part of a band: its lanes by shape
// (left digit * 3 + right digit; 9 none) and its spill into the next zone
// by right digit (3 none). own: part 1 of its band; top, bottom: parts 0
// and 2 of its band; under: part 0 of the band below; over: part 2 of the
// band above.
struct Role {
    uint8_t shape, p;
};
struct Roles {
    Role own, top, bottom, under, over;
};
struct RoleTable {
    Roles of[81];
    RoleTable() {
        for (int k = 0; k < 81; ++k) {
            const Digits d = digittable.of[k];
            const Role drawn = {uint8_t(d.a * 3 + d.p), uint8_t(d.p)}, none = {9, 3};
            of[k] = {drawn, d.b != 2 ? drawn : none, d.q != 0 ? drawn : none, d.q == 2 ? drawn : none,
                     d.b == 0 ? drawn : none};
        }
    }
};
const RoleTable roles;

struct Rowpainter {
    int s, lo, hi, quads;     // quads: a zone in groups of four lanes
    std::vector<Lanes> mine;  // column x's lanes by left digit * 3 + right digit; 9: none
    std::vector<Lanes> spill; // column x - 1's lanes by its right digit; 3: none
    std::vector<uint32_t> rows;  // three a band, each with a margin of 64 at either end
    size_t stride = 0;
    int y = 0;  // the band paint() draws
    uint32_t* line(int part) { return rows.data() + (3 * y + part) * stride + 64; }

    explicit Rowpainter(int factor) : s(factor), lo(edgeshift(0, factor)), hi(edgeshift(2, factor)) {
        quads = (s + 3) / 4;
        stride = smallw * s + 4 * quads + s + 128;
        rows.assign(3 * smallh * stride, 0);
        mine.assign(10 * quads, Lanes{0, 0, 0, 0});
        spill.assign(4 * quads, Lanes{0, 0, 0, 0});
        for (int i = 0; i < 4 * quads; ++i)
            for (int a = 0; a < 3; ++a)
                for (int p = 0; p < 3; ++p) {
                    if (i >= edgeshift(a, s) - lo && i <= s - 1 + edgeshift(p, s) - lo)
                        mine[(a * 3 + p) * quads + i / 4][i % 4] = -1;
                    if (a == 0 && i <= edgeshift(p, s) - lo - 1) spill[p * quads + i / 4][i % 4] = -1;
                }
    }

    // The three parts of band y at once, into line(0), line(1), line(2).
    // Part 0 draws the row above and then the own row, part 1 the own row,
    // part 2 the own row and then the row below; a rectangle whose digits
    // keep it out of a part draws nothing there.
    void paint(int band, BITMAP* small) {
        // The zone's width in quads known to the compiler: its loop unrolls
        // and the lanes stay in registers.
        switch (quads) {
            case 1: return paintzones<1>(band, small);
            case 2: return paintzones<2>(band, small);
            case 3: return paintzones<3>(band, small);
            case 4: return paintzones<4>(band, small);
            case 5: return paintzones<5>(band, small);
            default: return paintzones<0>(band, small);
        }
    }

    // Q quads a zone, or 0 for this->quads.
    template <int Q>
    void paintzones(int band, BITMAP* small) {
        y = band;
        // Locals, so the stores below need not make the compiler read them again.
        const int quads = Q > 0 ? Q : this->quads, s = this->s, lo = this->lo;
        const Lanes* const mine = this->mine.data();
        const Lanes* const spill = this->spill.data();
        uint32_t* const out0 = line(0);
        uint32_t* const out1 = line(1);
        uint32_t* const out2 = line(2);
        const uint32_t* here = reinterpret_cast<const uint32_t*>(small->line[y]);
        const uint32_t* above = y > 0 ? reinterpret_cast<const uint32_t*>(small->line[y - 1]) : here;
        const uint32_t* below = y + 1 < smallh ? reinterpret_cast<const uint32_t*>(small->line[y + 1]) : here;
        const Lanes* none = &mine[9 * quads];
        // Column x - 1's lanes in this zone and its colours: above, own, below.
        const Lanes *s0a = &spill[3 * quads], *s0o = s0a, *s1 = s0a, *s2o = s0a, *s2b = s0a;
        Lanes ca = {0, 0, 0, 0}, co = ca, cb = ca;
        for (int x = 0; x <= smallw; ++x) {
            const Lanes *m0a = none, *m0o = none, *m1 = none, *m2o = none, *m2b = none;
            Lanes na = {0, 0, 0, 0}, no = na, nb = na;
            int sa = 3, so0 = 3, so1 = 3, so2 = 3, sb = 3;  // this column's spill by right digit
            if (x < smallw) {
                // Looked up, not branched on: the digits are random.
                const Roles& d = roles.of[codes[y + 1][x]];
                m1 = &mine[d.own.shape * quads], so1 = d.own.p;
                m0o = &mine[d.top.shape * quads], so0 = d.top.p;
                m2o = &mine[d.bottom.shape * quads], so2 = d.bottom.p;
                no = Lanes{int32_t(here[x]), int32_t(here[x]), int32_t(here[x]), int32_t(here[x])};
                if (y > 0) {
                    const Role& u = roles.of[codes[y][x]].under;
                    m0a = &mine[u.shape * quads], sa = u.p;
                    na = Lanes{int32_t(above[x]), int32_t(above[x]), int32_t(above[x]), int32_t(above[x])};
                }
                if (y + 1 < smallh) {
                    const Role& n = roles.of[codes[y + 2][x]].over;
                    m2b = &mine[n.shape * quads], sb = n.p;
                    nb = Lanes{int32_t(below[x]), int32_t(below[x]), int32_t(below[x]), int32_t(below[x])};
                }
            }
            const int at = s * x + lo;
            for (int q = 0; q < quads; ++q) {
                const Lanes zero = {0, 0, 0, 0};
                Lanes v0 = (zero & ~s0a[q]) | (ca & s0a[q]);
                v0 = (v0 & ~s0o[q]) | (co & s0o[q]);
                v0 = (v0 & ~m0a[q]) | (na & m0a[q]);
                v0 = (v0 & ~m0o[q]) | (no & m0o[q]);
                Lanes v1 = (co & s1[q]);
                v1 = (v1 & ~m1[q]) | (no & m1[q]);
                Lanes v2 = (zero & ~s2o[q]) | (co & s2o[q]);
                v2 = (v2 & ~s2b[q]) | (cb & s2b[q]);
                v2 = (v2 & ~m2o[q]) | (no & m2o[q]);
                v2 = (v2 & ~m2b[q]) | (nb & m2b[q]);
                std::memcpy(out0 + at + 4 * q, &v0, sizeof v0);
                std::memcpy(out1 + at + 4 * q, &v1, sizeof v1);
                std::memcpy(out2 + at + 4 * q, &v2, sizeof v2);
            }
            s0a = &spill[sa * quads], s0o = &spill[so0 * quads], s1 = &spill[so1 * quads];
            s2o = &spill[so2 * quads], s2b = &spill[sb * quads];
            ca = na, co = no, cb = nb;
        }
    }
};

// The painters of the big pictures made by createbigpicture, each living
// as long as its picture: their rows are the picture's rows.
std::map<BITMAP*, std::unique_ptr<Rowpainter>> painters;

// Row r of a memory bitmap as it was made, wherever line[r] points now.
unsigned char* ownrow(BITMAP* big, int r) {
    return static_cast<unsigned char*>(big->dat) + size_t(r) * big->w * sizeof(uint32_t);
}

// A bitmap of its own memory, row after row (not a part of another one);
// row 0 stays at its place however the rows are pointed.
bool ownsrows(BITMAP* big) {
    return big->dat && big->line[0] == big->dat;
}

// A picture with a painter of its own has its rows pointed into the
// painter's. Any other has each part copied into the first of its own rows
// and the part's other rows pointed there, from a painter that is only
// scratch: so no bitmap ever points into rows that another one's
// enlargement frees.
void enlargerows(BITMAP* small, BITMAP* big, int s) {
    for (int x = 0; x < smallw; ++x)
        for (int y = 0; y < smallh; ++y) codes[y + 1][x] = static_cast<uint8_t>(jitter.rectcode());
    const auto own = painters.find(big);
    static std::unique_ptr<Rowpainter> scratch;
    if (own == painters.end() && (!scratch || scratch->s != s)) scratch = std::make_unique<Rowpainter>(s);
    Rowpainter& painter = own != painters.end() ? *own->second : *scratch;
    const int cut[4] = {0, painter.hi, s + painter.lo, s};
    const size_t bytes = size_t(smallw) * s * sizeof(uint32_t);
    for (int y = 0; y < smallh; ++y) {
        painter.paint(y, small);
        for (int part = 0; part < 3; ++part) {
            if (cut[part] == cut[part + 1]) continue;
            unsigned char* row = reinterpret_cast<unsigned char*>(painter.line(part));
            if (own == painters.end()) {
                unsigned char* mine = ownrow(big, s * y + cut[part]);
                std::memcpy(mine, row, bytes);
                row = mine;
            }
            for (int r = cut[part]; r < cut[part + 1]; ++r) big->line[s * y + r] = row;
        }
    }
}

}  // namespace

void enlargereference(BITMAP* small, BITMAP* big) {
    const int s = factorof(big);
    for (int x = 0; x < smallw; ++x) {
        for (int y = 0; y < smallh; ++y) {
            const int c = getpixel(small, x, y);
            const Cell r = cellof(x, y, nextdigits(), s);
            rectfill(big, r.x0, r.y0, r.x1, r.y1, c);
        }
    }
}

BITMAP* createbigpicture(int s) {
    BITMAP* big = create_bitmap(smallw * s, smallh * s);
    if (big && s != 4) painters[big] = std::make_unique<Rowpainter>(s);
    return big;
}

void destroybigpicture(BITMAP* big) {
    if (!big) return;
    painters.erase(big);
    destroy_bitmap(big);
}

void drawPreface() {
    clear_to_color(buffer, makecol(0, 0, 0));
}

void sprinklenoise(BITMAP* small, bool coloured) {
    for (int i = 0; i < noisepixels; ++i) {
        const int x = jitter.below(smallw);
        const int y = jitter.below(smallh);
        int c;
        if (coloured) {
            const int r = jitter.below(255), g = jitter.below(255), b = jitter.below(255);
            c = makecol(r, g, b);
        } else {
            const int g = jitter.below(100);
            c = makecol(g, g, g);
        }
        putpixel(small, x, y, c);
    }
}

void enlarge(BITMAP* small, BITMAP* big) {
    const int s = factorof(big);
    if (islinear32(small) && islinear32(big) && small->w == smallw && small->h == smallh &&
        big->w == s * smallw && big->h == s * smallh && makecol(0, 0, 0) == 0 &&
        (s == 4 || painters.count(big) || ownsrows(big))) {
        if (s == 4)
            enlargefast(small, big);
        else
            enlargerows(small, big, s);
    } else {
        clear_to_color(big, makecol(0, 0, 0));
        enlargereference(small, big);
    }
}

void showframe(BITMAP* big, BITMAP* display, int shake) {
    // Only the picture's own rectangle is written: the black around it was
    // cleared once with the display, and a 4K border is not worth copying
    // every frame.
    const int left = (display->w - big->w) / 2, top = (display->h - big->h) / 2;
    int dx = 0, dy = 0;
    if (shake > 0) {
        // The display is not cleared: where the shifted frame does not
        // reach, the last frame stays, which smears the shake. The shift is
        // cut at the picture's edges, so the border stays black.
        const int s = factorof(big);
        dx = scaled(jitter.below(shake) - shake / 2, s);
        dy = scaled(jitter.below(shake) - shake / 2, s);
    }
    const int sx = dx < 0 ? -dx : 0, sy = dy < 0 ? -dy : 0;
    const int w = big->w - (dx < 0 ? -dx : dx), h = big->h - (dy < 0 ? -dy : dy);
    if (w > 0 && h > 0) blit(big, display, sx, sy, left + sx + dx, top + sy + dy, w, h);
}

void presentFrame() {
    const int s = screenshake;
    sprinklenoise(buffer, s > 0);
    enlarge(buffer, bigbuffer);
    showframe(bigbuffer, screen, s);
    if (s > 0) screenshake = s - 1;
}
