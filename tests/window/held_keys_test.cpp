// SPDX-License-Identifier: GPL-3.0-or-later
// The held keys: one key-down and one key-up per hold, and nothing left held when the
// window loses the keyboard.

#include <QFocusEvent>
#include <QKeyEvent>

#include "deliveries.h"
#include "window/held_keys.h"
#include "window_fixture.h"

namespace quorvane::test {
namespace {

class HeldKeysTest : public testing::Test {
protected:
    Deliveries delivered;
    HeldKeys keys{[this](int key, bool down) { delivered.push_back({key, down}); }};
};

TEST_F(HeldKeysTest, APressAndItsReleaseDeliverOnceEach) {
    keys.Press(KeySource::Keyboard, 37);
    keys.Press(KeySource::Keyboard, 37);  // an auto-repeat
    EXPECT_TRUE(keys.Held(37));
    keys.Release(KeySource::Keyboard, 37);
    keys.Release(KeySource::Keyboard, 37);  // a release nobody pressed
    keys.Release(KeySource::Keyboard, 32);
    EXPECT_FALSE(keys.Held(37));
    EXPECT_EQ(delivered, (Deliveries{{37, true}, {37, false}}));
}

TEST_F(HeldKeysTest, ReleasingAllLetsGoOfEveryHeldKeyOnceAndAFreshPressCountsAgain) {
    for (int key : {38, 37, 32}) keys.Press(KeySource::Keyboard, key);
    keys.Release(KeySource::Keyboard, 37);
    delivered.clear();
    keys.ReleaseAll(KeySource::Keyboard);
    keys.ReleaseAll(KeySource::Keyboard);
    EXPECT_EQ(delivered, (Deliveries{{38, false}, {32, false}}));
    // The key-up that the window never saw comes later, or never: either way nothing more.
    keys.Release(KeySource::Keyboard, 38);
    // Still held down when the keyboard came back: its next auto-repeat presses it again.
    keys.Press(KeySource::Keyboard, 32);
    EXPECT_EQ(delivered.back(), (Delivered{32, true}));
    EXPECT_EQ(delivered.size(), 3u);
}

TEST_F(HeldKeysTest, WhenEverySourceLetsGoEachKeyComesUpOnce) {
    keys.Press(KeySource::Keyboard, 37);
    keys.Press(PadSource(0), 37);
    keys.Press(PadSource(3), 32);
    keys.Hold(PadSource(0), 38, true);
    EXPECT_EQ(delivered, (Deliveries{{37, true}, {32, true}, {38, true}}));
    delivered.clear();
    keys.ReleaseAll();
    keys.ReleaseAll();
    EXPECT_EQ(delivered, (Deliveries{{37, false}, {32, false}, {38, false}}));
    for (int key : {37, 32, 38}) EXPECT_FALSE(keys.Held(key));
}

// The real window: whatever takes the keyboard away releases the arrows and Space.
TEST_F(WindowTest, LosingTheKeyboardReleasesEveryHeldKey) {
    const std::vector<std::pair<const char*, std::function<void(frmMain&)>>> losses{
        {"a menu opens", [](frmMain& w) {
             QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
             QApplication::sendEvent(&w, &out);
         }},
        {"another window is active", [](frmMain& w) {
             QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
             QApplication::sendEvent(&w, &out);
         }},
        {"minimised", [](frmMain& w) { w.showMinimized(); }},
        {"hidden", [](frmMain& w) { w.hide(); }},
    };
    for (const auto& [what, lose] : losses) {
        SCOPED_TRACE(what);
        window.showNormal();
        QTest::keyPress(&window, Qt::Key_Left);
        QTest::keyPress(&window, Qt::Key_Space);
        ASSERT_EQ(game.State().LeftHeld, True);
        lose(window);
        EXPECT_EQ(game.State().LeftHeld, False);
        EXPECT_EQ(game.State().FireHeld, False);
        // A key-up arriving afterwards changes nothing, an auto-repeat holds the key again.
        QTest::keyRelease(&window, Qt::Key_Left);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(&window, &repeat);
        EXPECT_EQ(game.State().FireHeld, True);
        QTest::keyRelease(&window, Qt::Key_Space);
        EXPECT_EQ(game.State().FireHeld, False);
    }
}

}  // namespace
}  // namespace quorvane::test
