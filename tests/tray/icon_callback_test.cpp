#include "tray/icon_callback.h"

#include <gtest/gtest.h>

namespace kalvoro {
namespace {

// The second parameter of a real move to a client point.
constexpr std::uintptr_t MoveTo(int x, int y) {
    return (static_cast<std::uintptr_t>(static_cast<std::uint16_t>(y)) << 16) |
           static_cast<std::uint16_t>(x);
}

TEST(IconCallback, TellsTheIconsMouseMessagesFromRealPointerMoves) {
    constexpr ClientPoint kOverTheTray{-300, 700};
    constexpr std::optional<unsigned> kRealMove;
    struct Case {
        const char* what;
        std::uintptr_t secondParameter;
        ClientPoint pointer;
        std::optional<unsigned> expected;
    };
    const Case cases[] = {
        {"left press", 0x201, kOverTheTray, 0x201},
        {"right release", 0x205, kOverTheTray, 0x205},
        {"pointer moved over the icon", 0x200, kOverTheTray, 0x200},
        {"left release", 0x202, kOverTheTray, 0x202},
        {"left double-click", 0x203, kOverTheTray, 0x203},
        {"right press", 0x204, kOverTheTray, 0x204},
        {"a right release only in its low bits", 0x1205, kOverTheTray, 0x1205},
        {"the high word is not the message", 0x70205, kOverTheTray, 0x205},
        {"right release, the pointer inside the window", 0x205, {517, 12}, 0x205},
        // Client x 513 and 517 lie inside the main window at 144 dpi.
        {"real move to x 513 on the top row", MoveTo(513, 0), {513, 0}, kRealMove},
        {"real move to x 517 on the top row", MoveTo(517, 0), {517, 0}, kRealMove},
        {"real move to x 513 lower down", MoveTo(513, 40), {513, 40}, kRealMove},
        {"real move to x 517 lower down", MoveTo(517, 40), {517, 40}, kRealMove},
        {"real move left of the window, captured", MoveTo(-5, 3), {-5, 3}, kRealMove},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IconMouseMessage(c.secondParameter, c.pointer), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace kalvoro
