// SPDX-License-Identifier: GPL-3.0-or-later
// The real platform: its clock, its generator, its boxes and how a pass waits.

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>

#include "sound/sdl_audio.h"
#include "base/checked.h"
#include "base/errors.h"
#include "temporary_folder.h"
#include "window/qt_platform.h"
#include "window_fixture.h"

namespace quorvane::test {
namespace {

class QtPlatformTest : public testing::Test {
protected:
    static void SetUpTestSuite() { qputenv("SDL_AUDIODRIVER", "dummy"); }

    std::uint32_t Since(std::int32_t tick) { return TicksSince(platform.TickCount(), tick); }

    SdlAudio audio;
    MediaDevice media{audio};
    SoundEffects effects{audio};
    test::TemporaryFolder configHome;
    TableStore store{configHome.Path()};
    EventGuard guard;
    QtPlatform platform{guard, media, effects, store};
};

TEST_F(QtPlatformTest, TickCountStartsFarFromZeroAndNeverGoesBack) {
    const std::int32_t first = platform.TickCount();
    // A first LastTick of 0 must leave the first step due at once.
    EXPECT_GE(TicksSince(first, 0), 1u << 29);
    std::int32_t previous = first;
    for (int i = 0; i < 1000; ++i) {
        const std::int32_t now = platform.TickCount();
        EXPECT_LT(TicksSince(now, previous), 1u << 31);
        previous = now;
    }
}

TEST_F(QtPlatformTest, RandomDrawsLieInTheHalfOpenUnitRangeAndVary) {
    platform.Randomize();
    float low = 1, high = 0;
    double sum = 0;
    constexpr int Draws = 200000;
    for (int i = 0; i < Draws; ++i) {
        const float r = platform.Random();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        low = std::min(low, r);
        high = std::max(high, r);
        sum += r;
    }
    EXPECT_LT(low, 0.001f);
    EXPECT_GT(high, 0.999f);
    EXPECT_NEAR(sum / Draws, 0.5, 0.01);
}

TEST_F(QtPlatformTest, APassWaitsForTheDueTickWhenNothingIsPending) {
    QCoreApplication::processEvents();
    const std::int32_t start = platform.TickCount();
    const auto due = static_cast<std::int32_t>(static_cast<std::uint32_t>(start) + 30);
    platform.ProcessEvents(due);
    EXPECT_GE(Since(start), 30u);
    EXPECT_LT(Since(start), 1000u);
}

TEST_F(QtPlatformTest, AnEventEndsTheWaitBeforeTheDueTick) {
    QCoreApplication::processEvents();
    bool handled = false;
    QTimer::singleShot(10, [&] { handled = true; });
    const std::int32_t start = platform.TickCount();
    platform.ProcessEvents(static_cast<std::int32_t>(static_cast<std::uint32_t>(start) + 5000));
    EXPECT_TRUE(handled);
    EXPECT_LT(Since(start), 2500u);
}

TEST_F(QtPlatformTest, ADueTickInThePastDoesNotWait) {
    QTimer::singleShot(3000, [] {});  // something that would end a wait, much later
    const std::int32_t start = platform.TickCount();
    for (std::int32_t back : {0, 1, 50, 100000}) {
        platform.ProcessEvents(
            static_cast<std::int32_t>(static_cast<std::uint32_t>(start) - static_cast<std::uint32_t>(back)));
    }
    EXPECT_LT(Since(start), 1000u);
}

TEST_F(QtPlatformTest, AnOpenMenuHoldsThePass) {
    QMenu menu;
    menu.addAction(QStringLiteral("entry"));
    QTimer::singleShot(0, [&] { menu.popup(QPoint(10, 10)); });
    QTimer::singleShot(150, [&] { menu.close(); });
    const std::int32_t start = platform.TickCount();
    platform.ProcessEvents(start);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_GE(Since(start), 150u);
}

TEST_F(QtPlatformTest, AnErrorRaisedWhileEventsAreHandledUnwindsThePass) {
    guard.EnterLoop();
    QTimer::singleShot(0, [&] { guard.Run([] { throw Overflow(); }); });
    const std::int32_t start = platform.TickCount();
    EXPECT_THROW(platform.ProcessEvents(static_cast<std::int32_t>(static_cast<std::uint32_t>(start) + 5000)),
                 GameError);
    EXPECT_LT(Since(start), 2500u);
}

TEST_F(QtPlatformTest, ShowMessageShowsPlainLinesTitleAndIcon) {
    struct Case {
        MessageIcon icon;
        QMessageBox::Icon shown;
    };
    for (const Case& c :
         {Case{MessageIcon::Information, QMessageBox::Information}, Case{MessageIcon::None, QMessageBox::NoIcon},
          Case{MessageIcon::Warning, QMessageBox::Warning}}) {
        QString text, title;
        QMessageBox::Icon icon{};
        Qt::TextFormat format{};
        WhenBoxOpens([&](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            ASSERT_NE(box, nullptr);
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            format = box->textFormat();
            box->accept();
        });
        platform.ShowMessage("Credits\r\n\r\n<b>Ann</b>", "Quorvane", c.icon);
        EXPECT_EQ(text, QStringLiteral("Credits\n\n<b>Ann</b>"));
        EXPECT_EQ(title, QStringLiteral("Quorvane"));
        EXPECT_EQ(icon, c.shown);
        EXPECT_EQ(format, Qt::PlainText);
    }
}

// The writes of a save reach the store before the next read; one that fails is told in
// a warning box first, and the read then gives what is really stored.
TEST_F(QtPlatformTest, ASaveThatFailsIsToldBeforeTheNextRead) {
    std::ofstream(configHome / "Quorvane") << "a file where the folder should be";
    platform.WriteSetting("Quorvane", "Best Players", " 9", "Ann");
    QString text, title;
    QMessageBox::Icon icon{};
    WhenBoxOpens([&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        box->accept();
    });
    EXPECT_EQ(platform.ReadSetting("Quorvane", "Best Players", " 9", "None"), "None");
    EXPECT_EQ(title, QStringLiteral("Quorvane"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_TRUE(text.contains(QStringLiteral("a file stands where its folder should be"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString(store.FilePath("Quorvane")))) << text.toStdString();
}

TEST_F(QtPlatformTest, InputBoxGivesTheTypedNameOrEmptyTextOnCancel) {
    struct Case {
        bool accept;
        std::string expected;
    };
    for (const Case& c : {Case{true, "Zoë"}, Case{false, ""}}) {
        QString title, prompt;
        WhenBoxOpens([&](QWidget* widget) {
            auto* box = qobject_cast<QInputDialog*>(widget);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            prompt = box->labelText();
            box->findChild<QLineEdit*>()->setText(QStringLiteral("Zoë"));
            c.accept ? box->accept() : box->reject();
        });
        EXPECT_EQ(platform.InputBox("New High Score!", "Enter your name."), c.expected);
        EXPECT_EQ(title, QStringLiteral("New High Score!"));
        EXPECT_EQ(prompt, QStringLiteral("Enter your name."));
    }
}

}  // namespace
}  // namespace quorvane::test
