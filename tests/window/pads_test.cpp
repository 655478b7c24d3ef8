// SPDX-License-Identifier: GPL-3.0-or-later
// Gamepads as more sources of the game's five keys, with SDL's virtual pads: no device.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "deliveries.h"
#include "game/vocabulary.h"
#include "sound/sdl_audio.h"
#include "virtual_pad.h"
#include "window/pads.h"

namespace quorvane::test {
namespace {

class PadsTest : public testing::Test {
protected:
    // What the game was handed by one read of the pads.
    Deliveries Read(bool forGame = true) {
        delivered.clear();
        pads.Read(keys, forGame);
        return delivered;
    }

    Deliveries delivered;
    HeldKeys keys{[this](int key, bool down) { delivered.push_back({key, down}); }};
    Pads pads;
};

TEST_F(PadsTest, TheStickPastTheDeadZoneHoldsAnArrowUntilItComesBack) {
    struct Move {
        int x, y;
        Deliveries delivered;
    };
    struct Case {
        const char* what;
        std::vector<Move> moves;
    };
    const std::vector<Case> cases{
        {"left and back", {{-32768, 0, {{KeyCode::Left, true}}}, {0, 0, {{KeyCode::Left, false}}}}},
        {"right, down, up",
         {{32767, 0, {{KeyCode::Right, true}}},
          {0, 30000, {{KeyCode::Down, true}, {KeyCode::Right, false}}},
          {0, -30000, {{KeyCode::Up, true}, {KeyCode::Down, false}}},
          {0, 0, {{KeyCode::Up, false}}}}},
        {"a diagonal holds two arrows",
         {{-23170, -23170, {{KeyCode::Up, true}, {KeyCode::Left, true}}},
          {0, 0, {{KeyCode::Up, false}, {KeyCode::Left, false}}}}},
        {"resting off centre, short of half the travel",
         {{16383, 0, {}}, {-16383, 12000, {}}, {9000, -16383, {}}, {0, 0, {}}}},
        {"wobbling near the edge once past it",
         {{16384, 0, {{KeyCode::Right, true}}},
          {13107, 0, {}},
          {20000, 0, {}},
          {13200, 0, {}},
          {13106, 0, {{KeyCode::Right, false}}},
          {16000, 0, {}},
          {0, 0, {}}}},
    };
    VirtualPad pad;
    Read();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const Move& m : c.moves) {
            pad.Move(SDL_CONTROLLER_AXIS_LEFTX, m.x);
            pad.Move(SDL_CONTROLLER_AXIS_LEFTY, m.y);
            EXPECT_EQ(Read(), m.delivered) << m.x << ", " << m.y;
        }
    }
}

TEST_F(PadsTest, TheDPadIsTheArrowsAndTheSouthButtonAndRightTriggerAreSpace) {
    VirtualPad pad;
    Read();
    const std::pair<SDL_GameControllerButton, int> buttons[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_UP, KeyCode::Up},     {SDL_CONTROLLER_BUTTON_DPAD_DOWN, KeyCode::Down},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, KeyCode::Left}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, KeyCode::Right},
        {SDL_CONTROLLER_BUTTON_A, KeyCode::Space},
    };
    for (const auto& [button, key] : buttons) {
        pad.Press(button);
        EXPECT_EQ(Read(), (Deliveries{{key, true}})) << button;
        pad.Press(button, false);
        EXPECT_EQ(Read(), (Deliveries{{key, false}})) << button;
    }
    pad.Move(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    EXPECT_EQ(Read(), (Deliveries{{KeyCode::Space, true}}));
    pad.Move(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 15000);  // eased off a little: still held
    EXPECT_EQ(Read(), Deliveries{});
    // The trigger and the south button together hold Space once, until both let go.
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(Read(), Deliveries{});
    pad.Move(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
    EXPECT_EQ(Read(), Deliveries{});
    pad.Press(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_EQ(Read(), (Deliveries{{KeyCode::Space, false}}));
}

// Nothing else on a pad does anything: no button quits or opens a menu.
TEST_F(PadsTest, EveryOtherControlIsIgnored) {
    VirtualPad pad;
    Read();
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
        const auto button = static_cast<SDL_GameControllerButton>(b);
        const bool dpad = b >= SDL_CONTROLLER_BUTTON_DPAD_UP && b <= SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
        if (button == SDL_CONTROLLER_BUTTON_A || dpad) continue;
        pad.Press(button);
        EXPECT_EQ(Read(), Deliveries{}) << SDL_GameControllerGetStringForButton(button);
        pad.Press(button, false);
        EXPECT_EQ(Read(), Deliveries{});
    }
    for (const auto axis : {SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY}) {
        for (const int value : {-32768, 32767, 0}) {
            pad.Move(axis, value);
            EXPECT_EQ(Read(), Deliveries{}) << SDL_GameControllerGetStringForAxis(axis) << " " << value;
        }
    }
    pad.Move(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    EXPECT_EQ(Read(), Deliveries{});
}

TEST_F(PadsTest, KeyboardAndPadHoldingOneKeyGiveOneKeyDownAndOneKeyUp) {
    VirtualPad pad;
    Read();
    const auto keyboard = [this](bool down) {
        keys.Hold(KeySource::Keyboard, KeyCode::Left, down);
        return delivered.size();
    };
    const auto stick = [&](bool left) {
        pad.Move(SDL_CONTROLLER_AXIS_LEFTX, left ? -32768 : 0);
        pads.Read(keys, true);
        return delivered.size();
    };
    // Whichever comes first and whichever lets go first, the game sees one hold.
    struct Case {
        const char* what;
        std::function<void()> steps;
    };
    for (const Case& c : {Case{"keyboard, pad, keyboard up, pad up",
                               [&] {
                                   EXPECT_EQ(keyboard(true), 1u);
                                   EXPECT_EQ(stick(true), 1u);
                                   EXPECT_EQ(keyboard(false), 1u);
                                   EXPECT_EQ(stick(false), 2u);
                               }},
                          Case{"pad, keyboard, pad up, keyboard up", [&] {
                                   EXPECT_EQ(stick(true), 1u);
                                   EXPECT_EQ(keyboard(true), 1u);
                                   EXPECT_EQ(stick(false), 1u);
                                   EXPECT_EQ(keyboard(false), 2u);
                               }}}) {
        SCOPED_TRACE(c.what);
        delivered.clear();
        c.steps();
        EXPECT_EQ(delivered, (Deliveries{{KeyCode::Left, true}, {KeyCode::Left, false}}));
    }
}

TEST_F(PadsTest, PadsPluggedInWhilePlayingActAtOnceAndTogether) {
    Read();
    VirtualPad first;
    first.Move(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    EXPECT_EQ(Read(), (Deliveries{{KeyCode::Right, true}}));
    VirtualPad second;
    second.Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    second.Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(Read(), (Deliveries{{KeyCode::Space, true}}));
    first.Move(SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_EQ(Read(), Deliveries{});
    second.Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    second.Press(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_EQ(Read(), (Deliveries{{KeyCode::Right, false}, {KeyCode::Space, false}}));
}

TEST_F(PadsTest, APadPulledOutLetsGoOfWhatItHeld) {
    VirtualPad pad;
    VirtualPad other;
    pad.Move(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    other.Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(Read(), (Deliveries{{KeyCode::Up, true}, {KeyCode::Space, true}}));
    pad.Detach();
    // Space stays held by the other pad.
    EXPECT_EQ(Read(), (Deliveries{{KeyCode::Up, false}}));
    other.Detach();
    EXPECT_EQ(Read(), (Deliveries{{KeyCode::Space, false}}));
    EXPECT_EQ(Read(), Deliveries{});
}

// While a menu or box is open the pads hold nothing; a key still held when the game has
// the keyboard again holds again at the next read.
TEST_F(PadsTest, NothingIsHeldWhileTheGameHasNotTheKeyboard) {
    VirtualPad pad;
    pad.Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(Read(), (Deliveries{{KeyCode::Down, true}}));
    EXPECT_EQ(Read(false), (Deliveries{{KeyCode::Down, false}}));
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    pad.Move(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    EXPECT_EQ(Read(false), Deliveries{});
    pad.Press(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_EQ(Read(false), Deliveries{});
    EXPECT_EQ(Read(), (Deliveries{{KeyCode::Down, true}, {KeyCode::Left, true}}));
}

// With no pad the pads say nothing and hold nothing.
TEST(PadsQuiet, NoPadSaysNothing) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const SdlAudio audio;  // the program's one listener to SDL
    testing::internal::CaptureStderr();
    {
        Pads pads;
        HeldKeys keys([](int key, bool) { ADD_FAILURE() << key; });
        pads.Read(keys, true);
        pads.Read(keys, false);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace quorvane::test
