// SPDX-License-Identifier: GPL-3.0-or-later
// The real window and its loop on the real platform, played with a virtual pad.

#include <QAction>
#include <QTimer>

#include "temporary_folder.h"
#include "virtual_pad.h"
#include "sound/sdl_audio.h"
#include "window/qt_platform.h"
#include "window_fixture.h"

namespace quorvane::test {
namespace {

// What the player does next, once the game has come to where it can be done.
struct Move {
    const char* what;
    std::function<bool()> ready;
    std::function<void()> act;
};

class PadPlayTest : public testing::Test {
protected:
    static void SetUpTestSuite() { qputenv("SDL_AUDIODRIVER", "dummy"); }

    // Runs the game's load handler, its loop and all, making the moves as the game comes
    // to each; then ends the loop as a death does. Gives the moves not made. (Not
    // through Escape: the program's end would stop every event loop of this process,
    // the boxes of later tests included.)
    std::vector<std::string> Play(std::vector<Move> moves) {
        qt.Attach(&window);
        // Offscreen, nobody activates the window as a desktop would.
        moves.insert(moves.begin(), {"the window has the keyboard", [this] {
                                         window.TakeKeyboard();
                                         return window.HasKeyboard();
                                     }, [] {}});
        std::size_t next = 0;
        QTimer player;
        QObject::connect(&player, &QTimer::timeout, [&] {
            if (next < moves.size() && moves[next].ready()) moves[next++].act();
            if (next == moves.size()) game.State().Running = False;
        });
        player.start(5);
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [this] { game.State().Running = False; });
        deadline.start(10000);
        guard.EnterLoop();
        EXPECT_NO_THROW(game.Load());
        guard.LeaveLoop();
        std::vector<std::string> missed;
        for (std::size_t i = next; i < moves.size(); ++i) missed.emplace_back(moves[i].what);
        return missed;
    }

    const Sprite& Player() const { return game.Window().imgPlayer; }
    const Sprite& Bolt() const { return game.Window().imgFire; }

    SdlAudio audio;
    MediaDevice media{audio};
    SoundEffects effects{audio};
    TemporaryFolder configHome;
    TableStore store{configHome.Path()};
    EventGuard guard;
    QtPlatform qt{guard, media, effects, store};
    Game game{qt, "/nonexistent"};
    Pictures pictures = StandInPictures();
    frmMain window{game, pictures, guard, 1};
    VirtualPad pad;
};

TEST_F(PadPlayTest, APadMovesThePlayerAndFires) {
    double start = 0;
    const std::vector<std::string> missed = Play({
        {"stick left", [] { return true; },
         [&] {
             start = Player().Left;
             pad.Move(SDL_CONTROLLER_AXIS_LEFTX, -32768);
         }},
        {"south button", [&] { return Player().Left <= start - 20; },
         [&] {
             pad.Move(SDL_CONTROLLER_AXIS_LEFTX, 0);
             pad.Press(SDL_CONTROLLER_BUTTON_A);
         }},
        {"let go", [&] { return Bolt().Visible && Bolt().Tag == "Left"; },
         [&] { pad.Press(SDL_CONTROLLER_BUTTON_A, false); }},
        {"right trigger", [&] { return game.State().FireHeld == False; },
         [&] {
             pad.Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
             pad.Move(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
         }},
        {"all let go", [&] { return Bolt().Visible && Bolt().Tag == "Down"; },
         [&] {
             pad.Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
             pad.Move(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0);
         }},
        {"nothing held", [&] { return game.State().FireHeld == False && game.State().DownHeld == False; }, [] {}},
    });
    EXPECT_EQ(missed, std::vector<std::string>{});
    EXPECT_EQ(game.State().Facing, "Down");
}

// A box open holds the game, and the pad with it; a key the pad still holds when the
// box closes holds again.
TEST_F(PadPlayTest, WhileABoxIsOpenThePadHoldsNothing) {
    double left = 0;
    int heldInBox = 0;
    const std::vector<std::string> missed = Play({
        {"stick left", [] { return true; }, [&] { pad.Move(SDL_CONTROLLER_AXIS_LEFTX, -32768); }},
        {"About", [&] { return game.State().LeftHeld == True; },
         [&] {
             QAction* about = window.findChild<QAction*>(QStringLiteral("mnuAbout"));
             QMetaObject::invokeMethod(about, &QAction::trigger, Qt::QueuedConnection);
         }},
        {"in the box", [&] { return QApplication::activeModalWidget() != nullptr; },
         [&] { left = Player().Left; }},
        {"close the box", [&] { return ++heldInBox > 20; },
         [&] {
             EXPECT_EQ(game.State().LeftHeld, False);
             EXPECT_EQ(Player().Left, left);
             QApplication::activeModalWidget()->close();
         }},
        {"moving again", [&] { return Player().Left < left; }, [&] { pad.Move(SDL_CONTROLLER_AXIS_LEFTX, 0); }},
    });
    EXPECT_EQ(missed, std::vector<std::string>{});
}

}  // namespace
}  // namespace quorvane::test
