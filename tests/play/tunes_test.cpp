// Which tune each screen starts: the two screens' own files, and each level
// the tune of its row, whatever the number of levels.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "play/game_loop.h"
#include "screens/select.h"
#include "screens/title.h"
#include "shell/audio.h"
#include "shell/soundfiles.h"

namespace {

std::string asked() {
    return musicasked >= 0 && musicasked < musiccount ? musicfiles[musicasked] : "none";
}

template <int N>
void startlevel() {
    SelectLoop::selected = N;
    testing::internal::CaptureStdout();
    GameLoop<N>::start();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(asked(), levels[N].tune) << "level " << N;
}

template <int... N>
void startlevels(std::integer_sequence<int, N...>) {
    (startlevel<N>(), ...);
}

TEST(Tunes, EveryScreenStartsItsOwnFile) {
    TitleLoop::start();
    EXPECT_EQ(asked(), "xm/intro.xm");
    SelectLoop::start();
    EXPECT_EQ(asked(), "xm/title.xm");
    startlevels(std::make_integer_sequence<int, levelcount>{});
    SelectLoop::selected = 0;
    // No level's tune is a screen's or another level's.
    std::set<std::string> files(musicfiles.begin(), musicfiles.end());
    EXPECT_EQ(files.size(), static_cast<std::size_t>(musiccount));
}

}  // namespace
