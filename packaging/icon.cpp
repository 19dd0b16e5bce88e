// Draws the desktop icon in the game's own look: the name in the built-in
// 8x8 font inside a grey message box on black, a sprinkle of grey noise, and
// at 256 pixels the same picture enlarged fourfold with every pixel's
// rectangle wobbling, as the game presents its frames. Runs headless and is
// deterministic, so every build makes the same icons.
//
//   quellmarrow_icon OUTDIR   writes OUTDIR/quellmarrow-64.png and -256.png
#include <allegro.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "shell/iconpicture.h"

namespace {

uint32_t seed = iconseed;
int roll(int bound) {
    return iconroll(seed, bound);
}

uint32_t crc32(const std::vector<unsigned char>& bytes, size_t from) {
    uint32_t c = 0xffffffffu;
    for (size_t i = from; i < bytes.size(); ++i) {
        c ^= bytes[i];
        for (int k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
    }
    return c ^ 0xffffffffu;
}

void be32(std::vector<unsigned char>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back((v >> s) & 0xff);
}

void chunk(std::vector<unsigned char>& png, const char* type, const std::vector<unsigned char>& data) {
    be32(png, static_cast<uint32_t>(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    be32(png, crc32(png, start));
}

// An RGB PNG whose zlib stream holds stored (uncompressed) blocks: an icon
// of this size needs no compression library.
bool writepng(BITMAP* bmp, const std::string& path) {
    std::vector<unsigned char> raw;
    for (int y = 0; y < bmp->h; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < bmp->w; ++x) {
            const int c = getpixel(bmp, x, y);
            raw.push_back(getr(c));
            raw.push_back(getg(c));
            raw.push_back(getb(c));
        }
    }
    std::vector<unsigned char> z = {0x78, 0x01};
    for (size_t at = 0; at < raw.size();) {
        const size_t len = std::min<size_t>(65535, raw.size() - at);
        z.push_back(at + len == raw.size() ? 1 : 0);
        z.push_back(len & 0xff);
        z.push_back(len >> 8);
        z.push_back(~len & 0xff);
        z.push_back((~len >> 8) & 0xff);
        z.insert(z.end(), raw.begin() + at, raw.begin() + at + len);
        at += len;
    }
    uint32_t a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    be32(z, b << 16 | a);

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<unsigned char> ihdr;
    be32(ihdr, bmp->w);
    be32(ihdr, bmp->h);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
    chunk(png, "IHDR", ihdr);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", {});
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(32);
    BITMAP* small = create_bitmap(64, 64);
    BITMAP* big = create_bitmap(256, 256);
    if (!small || !big) return 1;

    const int black = makecol(0, 0, 0);
    drawiconpicture(small, seed);

    clear_to_color(big, black);
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 64; ++y) {
            const int a = roll(3), b = roll(3), p = roll(3), q = roll(3);
            rectfill(big, 4 * x - 1 + a, 4 * y - 1 + b, 4 * x + 2 + p, 4 * y + 2 + q, getpixel(small, x, y));
        }
    }

    const std::string out = argv[1];
    const bool ok = writepng(small, out + "/quellmarrow-64.png") && writepng(big, out + "/quellmarrow-256.png");
    destroy_bitmap(small);
    destroy_bitmap(big);
    if (!ok) std::fprintf(stderr, "quellmarrow_icon: cannot write the icons into %s\n", out.c_str());
    return ok ? 0 : 1;
}
