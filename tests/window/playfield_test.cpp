// SPDX-License-Identifier: GPL-3.0-or-later
// What the playfield shows: places, sizes, visibility, label text and stacking order.

#include <QMenuBar>

#include "window/playfield.h"
#include "window_fixture.h"

namespace quorvane::test {
namespace {

QRect Box(const Label& l) {
    return QRect(static_cast<int>(l.Left), static_cast<int>(l.Top), static_cast<int>(l.Width),
                 static_cast<int>(l.Height));
}
QRect Solidly(const QRect& box) { return box.intersected(QRect(0, 0, 320, 240)); }

int RightmostTextColumn(const QImage& image, QRect area) {
    for (int x = area.right(); x >= area.left(); --x)
        if (Count(image, QRect(x, area.top(), 1, area.height()), IsTextPixel) > 0) return x;
    return -1;
}

int LeftmostTextColumn(const QImage& image, QRect area) {
    for (int x = area.left(); x <= area.right(); ++x)
        if (Count(image, QRect(x, area.top(), 1, area.height()), IsTextPixel) > 0) return x;
    return -1;
}

TEST_F(WindowTest, StartScreenShowsPlayerMonstersAndLabelsAndHidesTheRest) {
    const QImage shot = Grab();
    ASSERT_EQ(shot.size(), QSize(320, 240));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvane"));

    // The player at (168, 96), natural size, its transparent square showing the floor.
    const QRect player(168, 96, 32, 32);
    const QRect hole = PlayerHole.translated(player.topLeft());
    EXPECT_EQ(Count(shot, player, Is(PlayerColour)), 32 * 32 - hole.width() * hole.height());
    EXPECT_EQ(Count(shot, hole, Is(BackgroundColour)), hole.width() * hole.height());

    // The six monsters where the table puts them, stretched to 40 by 40.
    const std::array<QPoint, Slots> places{{{272, 104}, {72, 144}, {232, 16}, {136, 168}, {136, 40}, {56, 32}}};
    int monsterPixels = 0;
    for (const QPoint& at : places) {
        const QRect box(at, QSize(40, 40));
        // Each may be partly under the player or a label, never elsewhere.
        EXPECT_GT(Count(shot, box, Is(MonsterColour)), 40 * 40 / 2) << at.x() << "," << at.y();
        EXPECT_EQ(shot.pixelColor(box.bottomRight()).rgb(), MonsterColour.rgb());
        monsterPixels += Count(shot, box, Is(MonsterColour));
    }
    EXPECT_EQ(Count(shot, shot.rect(), Is(MonsterColour)), monsterPixels);

    // Bolt and keyboards hidden.
    EXPECT_EQ(Count(shot, shot.rect(), Is(BoltColour)), 0);
    EXPECT_EQ(Count(shot, shot.rect(), Is(KeyboardColour)), 0);

    // Text in the two labels' boxes and nowhere else: the death banner is hidden.
    const QRect score = Box(form().lblScore), hp = Solidly(Box(form().lblHp));
    EXPECT_GT(Count(shot, score, IsTextPixel), 50);
    EXPECT_GT(Count(shot, hp, IsTextPixel), 50);
    EXPECT_EQ(Count(shot, shot.rect(), IsTextPixel),
              Count(shot, score, IsTextPixel) + Count(shot, hp, IsTextPixel));
    // The health text starts at the left edge of its box; no background box behind it.
    EXPECT_LE(LeftmostTextColumn(shot, hp), 2);
    EXPECT_GT(Count(shot, hp, Is(BackgroundColour)), hp.width() * hp.height() / 2);
}

struct StackingCase {
    const char* name;
    std::function<void(Form&)> arrange;
    // What the grab must show afterwards.
    std::function<void(const QImage&, Form&)> check;
};

void PrintTo(const StackingCase& c, std::ostream* os) { *os << c.name; }

class StackingTest : public WindowTest, public testing::WithParamInterface<StackingCase> {};

TEST_P(StackingTest, LaterLayersCoverEarlierOnes) {
    GetParam().arrange(form());
    const QImage shot = Grab();
    GetParam().check(shot, form());
}

const StackingCase StackingCases[] = {
    {"KeyboardCoversScoreText",
     [](Form& f) {
         f.Keyboard(2).Visible = true;
         f.Keyboard(2).Move(286, 0);
     },
     [](const QImage& shot, Form&) {
         EXPECT_EQ(Count(shot, QRect(286, 0, 27, 17), Is(KeyboardColour)), 27 * 17);
         EXPECT_GT(Count(shot, QRect(144, 0, 142, 17), IsTextPixel), 0);
     }},
    {"KeyboardCoversHealthText",
     [](Form& f) {
         f.Keyboard(0).Visible = true;
         f.Keyboard(0).Move(0, 220);
     },
     [](const QImage& shot, Form&) {
         EXPECT_EQ(Count(shot, QRect(0, 220, 27, 20), Is(KeyboardColour)), 27 * 20);
     }},
    {"KeyboardCoversPlayer",
     [](Form& f) {
         f.Keyboard(5).Visible = true;
         f.Keyboard(5).Move(168, 96);
     },
     [](const QImage& shot, Form&) {
         EXPECT_EQ(Count(shot, QRect(168, 96, 27, 27), Is(KeyboardColour)), 27 * 27);
     }},
    {"BoltOnPlayerIsHiddenUnderIt",
     [](Form& f) {
         f.imgFire.Visible = true;
         f.imgFire.Move(168, 96);
     },
     [](const QImage& shot, Form&) {
         // Only through the player's transparent square does the bolt show.
         const QRect hole = PlayerHole.translated(168, 96);
         EXPECT_EQ(Count(shot, QRect(168, 96, 32, 32), Is(BoltColour)), hole.width() * hole.height());
         EXPECT_EQ(Count(shot, hole, Is(BoltColour)), hole.width() * hole.height());
     }},
    {"BoltCoversMonster",
     [](Form& f) {
         f.imgFire.Visible = true;
         f.imgFire.Move(272, 104);
     },
     [](const QImage& shot, Form&) {
         EXPECT_EQ(Count(shot, QRect(272, 104, 32, 32), Is(BoltColour)), 32 * 32);
         EXPECT_EQ(shot.pixelColor(311, 143).rgb(), MonsterColour.rgb());
     }},
    {"PlayerCoversMonster",
     [](Form& f) { f.Monster(3).Move(168, 96); },
     [](const QImage& shot, Form&) {
         const QRect hole = PlayerHole.translated(168, 96);
         EXPECT_EQ(Count(shot, QRect(168, 96, 32, 32), Is(MonsterColour)), hole.width() * hole.height());
         EXPECT_EQ(shot.pixelColor(168 + 39, 96 + 39).rgb(), MonsterColour.rgb());
     }},
    {"BannerCoversKeyboard",
     [](Form& f) {
         f.lblDied.Visible = true;
         for (Sprite& k : f.imgKeyboard) {
             k.Visible = true;
             k.Move(150, 100);
         }
     },
     [](const QImage& shot, Form&) {
         const QRect keyboard(150, 100, 27, 27);
         EXPECT_GT(Count(shot, keyboard, IsTextPixel), 0);
         EXPECT_GT(Count(shot, keyboard, Is(KeyboardColour)), 0);
     }},
    {"BannerIsCentredAndBoxless",
     [](Form& f) { f.lblDied.Visible = true; },
     [](const QImage& shot, Form& f) {
         const QRect banner = Box(f.lblDied).intersected(shot.rect());
         const int left = LeftmostTextColumn(shot, banner), right = RightmostTextColumn(shot, banner);
         ASSERT_GT(right, left);
         EXPECT_NEAR((left + right) / 2.0, 160.5, 3.0);
         EXPECT_GT(right - left, 100);  // 24 point, well wider than the 12 point labels' digits
         EXPECT_GT(Count(shot, QRect(0, 96, 40, 41), Is(BackgroundColour)), 0);
     }},
};

INSTANTIATE_TEST_SUITE_P(Window, StackingTest, testing::ValuesIn(StackingCases),
                         [](const testing::TestParamInfo<StackingCase>& param) { return param.param.name; });

TEST_F(WindowTest, ScoreStaysRightAlignedAtItsBoxEdgeAsItGrows) {
    const QRect score = Box(form().lblScore);
    ASSERT_EQ(score.right(), 312);  // the box ends before x = 313
    int previousLeft = score.right();
    int firstRight = -1;
    for (const char* caption : {"Score - 0", "Score - 10", "Score - 990", "Score - 12340", "Score - 2147483640"}) {
        form().lblScore.Caption = caption;
        const QImage shot = Grab();
        const int left = LeftmostTextColumn(shot, score), right = RightmostTextColumn(shot, score);
        SCOPED_TRACE(caption);
        // Every caption ends in the same digit, so its last ink column is the same.
        if (firstRight < 0) firstRight = right;
        EXPECT_EQ(right, firstRight);
        EXPECT_GE(right, 306);
        EXPECT_LE(right, 312);
        EXPECT_LT(left, previousLeft);
        previousLeft = left;
    }
}

TEST_F(WindowTest, TitleFollowsTheFormCaption) {
    form().Caption = "Quorvane - Level 2";
    window.Refresh();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvane - Level 2"));
}

TEST_F(WindowTest, LargerRoomZoomsByWholeStepsAndLetterboxesTheRest) {
    const QImage frame = Grab();
    window.resize(window.width() + 400, window.height() + 300);
    QTest::qWait(20);
    const QImage shot = window.Field().grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int zoom = ZoomToFit(shot.size());
    ASSERT_GE(zoom, 2);
    const QPoint origin((shot.width() - 320 * zoom) / 2, (shot.height() - 240 * zoom) / 2);
    // Pixels of the zoomed playfield that are not the 320 by 240 picture enlarged.
    const auto mismatches = [&](const QImage& zoomed, const QImage& picture) {
        int n = 0;
        for (int y = 0; y < 240 * zoom; ++y)
            for (int x = 0; x < 320 * zoom; ++x)
                n += zoomed.pixel(origin.x() + x, origin.y() + y) != picture.pixel(x / zoom, y / zoom);
        return n;
    };
    EXPECT_EQ(mismatches(shot, frame), 0);
    // Only the changed parts are enlarged again; the picture must still be whole.
    form().Monster(0).Move(261, 111);
    form().lblScore.Caption = "Score - 12340";
    EXPECT_EQ(mismatches(Grab(), RenderForm(form(), pictures)), 0);
    // The room beside the playfield is letterboxed, not the floor stretched into it.
    ASSERT_TRUE(origin.x() > 0 || origin.y() > 0);
    const QRgb edge = origin.x() > 0 ? shot.pixel(0, shot.height() / 2) : shot.pixel(shot.width() / 2, 0);
    EXPECT_NE(edge, BackgroundColour.rgb());
}

TEST(Zoom, LargestWholeZoomThatFitsComfortably) {
    struct Case {
        QSize screen;
        int zoom;
    };
    for (const Case& c : {Case{{1920, 1080}, 2}, Case{{1920, 1050}, 2}, Case{{1280, 1024}, 2}, Case{{1366, 740}, 2},
                          Case{{1024, 740}, 2}, Case{{800, 570}, 1}, Case{{2560, 1400}, 3},
                          Case{{3840, 2100}, 5}, Case{{640, 480}, 1}, Case{{0, 0}, 1}}) {
        EXPECT_EQ(ComfortableZoom(c.screen), c.zoom) << c.screen.width() << "x" << c.screen.height();
    }
    EXPECT_EQ(ZoomToFit({959, 720}), 2);
    EXPECT_EQ(ZoomToFit({960, 720}), 3);
    EXPECT_EQ(ZoomToFit({319, 239}), 1);
}

// Shrunk to 27 pixels or grown to 40, a picture keeps every one of its rows and columns:
// a single dark line anywhere in it still shows. (Nearest-neighbour drops five of the 32.)
TEST(Stretching, NoRowOrColumnOfAPictureIsLost) {
    for (const int size : {27, 40}) {
        for (int line = 0; line < 32; ++line) {
            for (const bool row : {true, false}) {
                Pictures pictures = StandInPictures();
                pictures.keyboard = Solid({32, 32}, Qt::white);
                for (int i = 0; i < 32; ++i) pictures.keyboard.setPixelColor(row ? i : line, row ? line : i, Qt::black);
                Form form = CreateForm();
                Sprite& keyboard = form.Keyboard(0);
                keyboard.Visible = true;
                keyboard.Move(100, 100);
                keyboard.Width = keyboard.Height = size;
                const QImage frame = RenderForm(form, pictures);
                const int darkest = [&] {
                    int least = 255;
                    for (int y = 100; y < 100 + size; ++y)
                        for (int x = 100; x < 100 + size; ++x) least = std::min(least, qGray(frame.pixel(x, y)));
                    return least;
                }();
                EXPECT_LT(darkest, 200) << (row ? "row " : "column ") << line << " at " << size;
            }
        }
    }
}

TEST(Pictures, BuiltInPicturesAreThereAtTheirSizesWithTransparency) {
    const Pictures p = LoadPictures();
    ASSERT_TRUE(p.Complete());
    EXPECT_FALSE(p.background.hasAlphaChannel());
    for (const QImage* sprite : {&p.player, &p.bolt, &p.monster, &p.keyboard}) {
        EXPECT_GT(Count(*sprite, sprite->rect(), [](QColor c) { return c.alpha() == 0; }), 32 * 32 / 10);
        EXPECT_GT(Count(*sprite, sprite->rect(), [](QColor c) { return c.alpha() == 255; }), 32 * 32 / 5);
    }
}

}  // namespace
}  // namespace quorvane::test

namespace quorvane::test {
namespace {

// Redrawing only the changed parts must give the same picture as drawing it all anew.
TEST(PartialRedraw, MatchesAFullRedrawThroughASequenceOfChanges) {
    const Pictures pictures = StandInPictures();
    Form form = CreateForm();
    QImage frame = RenderForm(form, pictures);
    Scene shown = Describe(form);
    const std::vector<std::pair<const char*, std::function<void(Form&)>>> changes{
        {"monster moves", [](Form& f) { f.Monster(0).Move(270, 106); }},
        {"bolt fired", [](Form& f) { f.imgFire.Visible = true; f.imgFire.Move(168, 96); }},
        {"bolt flies", [](Form& f) { f.imgFire.Move(168, 91); }},
        {"monster dies", [](Form& f) { f.Monster(4).Visible = false; }},
        {"score grows", [](Form& f) { f.lblScore.Caption = "Score - 12340"; }},
        {"score shrinks", [](Form& f) { f.lblScore.Caption = "Score - 0"; }},
        {"keyboard over health", [](Form& f) { f.Keyboard(0).Visible = true; f.Keyboard(0).Move(20, 215); }},
        {"health drops", [](Form& f) { f.lblHp.Caption = "Health - 95"; }},
        {"keyboard leaves", [](Form& f) { f.Keyboard(0).Move(300, 230); }},
        {"player walks off the edge", [](Form& f) { f.imgPlayer.Move(300, 220); }},
        {"banner", [](Form& f) { f.lblDied.Visible = true; }},
        {"nothing", [](Form&) {}},
    };
    for (const auto& [name, change] : changes) {
        change(form);
        Scene now = Describe(form);
        RenderForm(form, pictures, frame, Changed(shown, now));
        shown = std::move(now);
        EXPECT_EQ(frame, RenderForm(form, pictures)) << name;
    }
    EXPECT_TRUE(Changed(shown, Describe(form)).isEmpty());
}

}  // namespace
}  // namespace quorvane::test
