// The tunes the game loads, and a few helpers the data tests share.
#pragma once

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shell/soundfiles.h"

// The game's tunes by bare name ("xm/title.xm" is "title"), in its order.
inline const std::vector<std::string>& tuneFiles() {
    static const std::vector<std::string> f = [] {
        std::vector<std::string> names;
        for (const char* file : musicfiles) {
            const std::string s(file);
            names.push_back(s.substr(3, s.size() - 6));
        }
        return names;
    }();
    return f;
}

inline std::string dataPath(const std::string& rel) { return std::string(QM_DATA_DIR) + "/" + rel; }

inline std::vector<unsigned char> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// Runs a command and returns what it printed on stdout and, unless asked
// not to (for binary output), on stderr.
inline std::string runCommand(const std::string& cmd, bool withErrors = true) {
    std::string out;
    if (FILE* p = popen((cmd + (withErrors ? " 2>&1" : " 2>/dev/null")).c_str(), "r")) {
        char buf[512];
        while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
        pclose(p);
    }
    return out;
}
