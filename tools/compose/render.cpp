// DUMB rendering for the report and for listening checks.
#include "render.h"

#include <dumb.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace compose {
namespace {

DUH* load(const std::string& path) {
    static bool registered = false;
    if (!registered) dumb_register_stdfiles(), registered = true;
    return dumb_load_xm_quick(path.c_str());
}

}  // namespace

double dumbLoopSeconds(const std::string& path) {
    DUH* duh = load(path);
    if (!duh) return -1;
    DUH_SIGRENDERER* sr = duh_start_sigrenderer(duh, 0, 1, 0);
    dumb_it_set_loop_callback(duh_get_it_sigrenderer(sr), dumb_it_callback_terminate, nullptr);
    std::vector<int16_t> buf(kGameRate);
    long total = 0, n;
    do {
        n = duh_render(sr, 16, 0, kGameVolume, 65536.0f / kGameRate, kGameRate, buf.data());
        total += n;
    } while (n == kGameRate && total < 600L * kGameRate);
    duh_end_sigrenderer(sr);
    unload_duh(duh);
    return double(total) / kGameRate;
}

std::vector<int16_t> dumbRender(const std::string& path, double seconds) {
    DUH* duh = load(path);
    if (!duh) return {};
    DUH_SIGRENDERER* sr = duh_start_sigrenderer(duh, 0, 1, 0);
    std::vector<int16_t> out(size_t(seconds * kGameRate));
    long n = duh_render(sr, 16, 0, kGameVolume, 65536.0f / kGameRate, long(out.size()), out.data());
    out.resize(size_t(std::max(0L, n)));
    duh_end_sigrenderer(sr);
    unload_duh(duh);
    return out;
}

std::vector<int16_t> dumbRenderBytes(const std::vector<uint8_t>& xm, double seconds) {
    char name[] = "/tmp/compose-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0) return {};
    bool ok = write(fd, xm.data(), xm.size()) == ssize_t(xm.size());
    close(fd);
    std::vector<int16_t> out = ok ? dumbRender(name, seconds) : std::vector<int16_t>{};
    std::remove(name);
    return out;
}

Loudness loudness(const std::vector<int16_t>& s) {
    double peak = 0, sum = 0;
    for (int16_t v : s) {
        peak = std::max(peak, std::fabs(double(v)));
        sum += double(v) * v;
    }
    double rms = s.empty() ? 0 : std::sqrt(sum / s.size());
    auto db = [](double x) { return x > 0 ? 20 * std::log10(x / 32768.0) : -200.0; };
    return {db(peak), db(rms)};
}

}  // namespace compose
