// SPDX-License-Identifier: GPL-3.0-or-later
// frmMain's wiring: the menu tree, the keys, closing, and what happens to an error.

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "base/errors.h"
#include "game/menus.h"
#include "window_fixture.h"

namespace quorvane::test {
namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

TEST_F(WindowTest, MenuBarHoldsTheTreeWithItsCaptionsAndNoShortcuts) {
    std::vector<QAction*> shown;
    for (QAction* top : window.menuBar()->actions()) {
        shown.push_back(top);
        for (QAction* entry : top->menu()->actions()) shown.push_back(entry);
    }
    ASSERT_EQ(shown.size(), MenuTree.size());
    for (std::size_t i = 0; i < MenuTree.size(); ++i) {
        const MenuEntry& entry = MenuTree[i];
        QAction* action = shown[i];
        SCOPED_TRACE(std::string(entry.Name));
        EXPECT_EQ(action->objectName(), Text(entry.Name));
        EXPECT_EQ(action->isSeparator(), entry.Caption == "-");
        if (!action->isSeparator()) {
            EXPECT_EQ(action->text(), Text(entry.Caption));
        }
        EXPECT_EQ(action->menu() != nullptr, entry.Depth == 0);
        EXPECT_TRUE(action->shortcut().isEmpty());
        EXPECT_TRUE(action->isEnabled());
        EXPECT_TRUE(action->isVisible());
        EXPECT_FALSE(action->isChecked());
    }
}

QAction* Entry(frmMain& window, const char* name) {
    QAction* action = window.findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
}

TEST_F(WindowTest, InformationMenusShowTheirBoxes) {
    struct Case {
        const char* entry;
        std::string title;
        std::string text;
        MessageIcon icon;
    };
    for (const Case& c : {Case{"mnuPlay", std::string(HowToPlayTitle), HowToPlayText(), MessageIcon::Information},
                          Case{"mnuAbout", std::string(AboutTitle), AboutText(), MessageIcon::Information}}) {
        platform.messages.clear();
        Entry(window, c.entry)->trigger();
        ASSERT_EQ(platform.messages.size(), 1u) << c.entry;
        EXPECT_EQ(platform.messages[0].title, c.title);
        EXPECT_EQ(platform.messages[0].text, c.text);
        EXPECT_EQ(platform.messages[0].icon, c.icon);
    }
}

TEST_F(WindowTest, ViewHighScoresShowsTheTableWithoutAnIcon) {
    Entry(window, "mnuHighScores")->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Quorvane");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(platform.messages[0].text.rfind("High Scores\r\n", 0), 0u);
}

TEST_F(WindowTest, ExitEscapeAndClosingEndTheProgram) {
    const std::vector<std::pair<const char*, std::function<void(frmMain&)>>> ways{
        {"Exit", [](frmMain& w) { Entry(w, "mnuExit")->trigger(); }},
        {"Escape", [](frmMain& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
        {"Close", [](frmMain& w) { w.close(); }},
    };
    for (const auto& [name, end] : ways) {
        StillPlatform p;
        Game g(p, "/nonexistent");
        g.StartUp();
        int ended = 0;
        EventGuard eg({[&] { ++ended; }, [](const std::string& error) { ADD_FAILURE() << error; }});
        frmMain w(g, pictures, eg, 1);
        end(w);
        SCOPED_TRACE(name);
        EXPECT_EQ(p.endProgramCalls, 1);
        EXPECT_EQ(ended, 1);
        EXPECT_FALSE(g.Media().IsOpen());
        // Nothing runs after the end: a key no longer reaches the game.
        QTest::keyPress(&w, Qt::Key_Up);
        EXPECT_EQ(g.State().UpHeld, False);
    }
}

Bool16 Held(const GameState& s, Qt::Key key) {
    switch (key) {
        case Qt::Key_Up: return s.UpHeld;
        case Qt::Key_Down: return s.DownHeld;
        case Qt::Key_Left: return s.LeftHeld;
        case Qt::Key_Right: return s.RightHeld;
        case Qt::Key_Space: return s.FireHeld;
        default: return 0;
    }
}

TEST_F(WindowTest, KeysSetAndClearTheirFlagsWhateverTheModifiers) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    for (const Case& c : {Case{Qt::Key_Up, Qt::NoModifier}, Case{Qt::Key_Down, Qt::NoModifier},
                          Case{Qt::Key_Left, Qt::NoModifier}, Case{Qt::Key_Right, Qt::NoModifier},
                          Case{Qt::Key_Space, Qt::NoModifier}, Case{Qt::Key_Up, Qt::ShiftModifier},
                          Case{Qt::Key_Space, Qt::ControlModifier}, Case{Qt::Key_Left, Qt::AltModifier},
                          Case{Qt::Key_Down, Qt::KeypadModifier}}) {
        SCOPED_TRACE(QKeySequence(c.key | c.modifiers).toString().toStdString());
        QTest::keyPress(&window, c.key, c.modifiers);
        EXPECT_EQ(Held(game.State(), c.key), True);
        QTest::keyRelease(&window, c.key, c.modifiers);
        EXPECT_EQ(Held(game.State(), c.key), False);
    }
}

TEST_F(WindowTest, HeldKeyStaysHeldThroughAutoRepeat) {
    QTest::keyPress(&window, Qt::Key_Right);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(&window, &release);
        EXPECT_EQ(game.State().RightHeld, True);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(&window, &press);
        EXPECT_EQ(game.State().RightHeld, True);
    }
    QTest::keyRelease(&window, Qt::Key_Right);
    EXPECT_EQ(game.State().RightHeld, False);
}

TEST_F(WindowTest, OtherKeysAreIgnored) {
    const GameState before = game.State();
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Return, Qt::Key_Tab, Qt::Key_F1, Qt::Key_Shift}) {
        QTest::keyClick(&window, key);
    }
    QTest::keyRelease(&window, Qt::Key_Escape);
    EXPECT_EQ(platform.endProgramCalls, 0);
    const GameState& after = game.State();
    EXPECT_EQ(std::vector<Bool16>({after.UpHeld, after.DownHeld, after.LeftHeld, after.RightHeld,
                                   after.FireHeld, after.Running}),
              std::vector<Bool16>({before.UpHeld, before.DownHeld, before.LeftHeld, before.RightHeld,
                                   before.FireHeld, before.Running}));
}

TEST_F(WindowTest, VirtualKeyCodes) {
    const std::pair<int, int> codes[] = {{Qt::Key_Escape, 27}, {Qt::Key_Space, 32}, {Qt::Key_Left, 37},
                                         {Qt::Key_Up, 38},     {Qt::Key_Right, 39}, {Qt::Key_Down, 40},
                                         {Qt::Key_A, 0},       {Qt::Key_Enter, 0}};
    for (const auto& [qt, vk] : codes) EXPECT_EQ(VirtualKey(qt), vk) << qt;
}

// The guard: what becomes of what a handler throws.
TEST(EventGuard, InsideTheLoopKeepsTheFirstErrorForTheLoopAndRunsNothingMore) {
    int fatal = 0, ended = 0;
    EventGuard guard({[&] { ++ended; }, [&](const std::string&) { ++fatal; }});
    guard.EnterLoop();
    guard.Run([] { throw Overflow(); });
    bool ranAfter = false;
    guard.Run([&] { ranAfter = true; });
    EXPECT_FALSE(ranAfter);
    // A box closing lets a run-time error wait for the loop.
    EXPECT_NO_THROW(guard.RethrowEnd());
    try {
        guard.Rethrow();
        ADD_FAILURE() << "nothing rethrown";
    } catch (const GameError& e) {
        EXPECT_EQ(e.Name(), "Overflow");
    }
    EXPECT_TRUE(guard.Finished());
    EXPECT_EQ(fatal + ended, 0);
}

TEST(EventGuard, ABoxClosingRethrowsTheProgramsEnd) {
    EventGuard guard;
    guard.EnterLoop();
    guard.Run([] { throw ProgramEnded{}; });
    EXPECT_THROW(guard.RethrowEnd(), ProgramEnded);
    EXPECT_NO_THROW(guard.Rethrow());
}

TEST(EventGuard, OutsideTheLoopSettlesAtOnce) {
    struct Case {
        std::function<void()> handler;
        int ended;
        std::vector<std::string> fatal;
    };
    for (const Case& c : {Case{[] { throw ProgramEnded{}; }, 1, {}},
                          Case{[] { throw SubscriptOutOfRange(); }, 0, {"Subscript out of range"}},
                          Case{[] { throw std::runtime_error("boom"); }, 0, {"boom"}},
                          Case{[] {}, 0, {}}}) {
        int ended = 0;
        std::vector<std::string> fatal;
        EventGuard guard({[&] { ++ended; }, [&](const std::string& name) { fatal.push_back(name); }});
        guard.Run(c.handler);
        EXPECT_EQ(ended, c.ended);
        EXPECT_EQ(fatal, c.fatal);
        EXPECT_EQ(guard.Finished(), c.ended + static_cast<int>(c.fatal.size()) > 0);
        EXPECT_NO_THROW(guard.Rethrow());
    }
}

TEST(EventGuard, ANestedHandlersErrorIsSettledByTheOuterOne) {
    std::vector<std::string> fatal;
    EventGuard guard({[] {}, [&](const std::string& name) { fatal.push_back(name); }});
    bool outerFinished = false;
    guard.Run([&] {
        guard.Run([] { throw Overflow(); });
        EXPECT_TRUE(fatal.empty());
        outerFinished = true;
    });
    EXPECT_TRUE(outerFinished);
    EXPECT_EQ(fatal, std::vector<std::string>{"Overflow"});
}

}  // namespace
}  // namespace quorvane::test
