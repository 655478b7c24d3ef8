// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real Game on the fake platform, shown in a real frmMain at zoom 1, with plain
// coloured stand-in pictures so that every pixel of a grab tells what lies there.

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "fake_platform.h"
#include "game/game.h"
#include "window/event_guard.h"
#include "window/frm_main.h"

namespace quorvane::test {

inline const QColor BackgroundColour(40, 80, 160);
inline const QColor PlayerColour(255, 255, 0);
inline const QColor BoltColour(255, 128, 0);
inline const QColor MonsterColour(0, 200, 0);
inline const QColor KeyboardColour(200, 0, 200);
// The player picture has a transparent square here, in picture pixels.
inline const QRect PlayerHole(12, 12, 8, 8);

inline QImage Solid(QSize size, QColor colour) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

inline Pictures StandInPictures() {
    Pictures p;
    p.background = Solid({320, 240}, BackgroundColour);
    p.player = Solid({32, 32}, PlayerColour);
    for (int y = PlayerHole.top(); y <= PlayerHole.bottom(); ++y)
        for (int x = PlayerHole.left(); x <= PlayerHole.right(); ++x) p.player.setPixelColor(x, y, Qt::transparent);
    p.bolt = Solid({32, 32}, BoltColour);
    p.monster = Solid({32, 32}, MonsterColour);
    p.keyboard = Solid({32, 32}, KeyboardColour);
    return p;
}

// The in-memory platform, still: its clock stands and every draw is 0.5, which gives
// every monster the speed 0, so nothing moves on its own.
struct StillPlatform : FakePlatform {
    StillPlatform() {
        tick = 1 << 20;
        everyDraw = 0.5f;
    }
};

class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        game.StartUp();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    Form& form() { return game.Window(); }

    // The playfield as the player sees it, after the window has caught up with the form.
    QImage Grab() {
        window.Refresh();
        return window.Field().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    StillPlatform platform;
    Game game{platform, "/nonexistent"};
    Pictures pictures = StandInPictures();
    std::vector<std::string> fatalErrors;
    int endedCalls = 0;
    EventGuard guard{{[this] { ++endedCalls; }, [this](const std::string& name) { fatalErrors.push_back(name); }}};
    frmMain window{game, pictures, guard, 1};
};

// Runs `act` on the modal box once it is up.
inline void WhenBoxOpens(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(box);
        }
    });
    poll->start(5);
}

inline bool IsTextPixel(QColor c) { return c.red() < 40 && c.green() < 40 && c.blue() < 40; }

// How many pixels inside `area` have the colour.
inline int Count(const QImage& image, QRect area, const std::function<bool(QColor)>& is) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += is(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}

inline std::function<bool(QColor)> Is(QColor colour) {
    return [colour](QColor c) { return c.rgb() == colour.rgb(); };
}

}  // namespace quorvane::test
