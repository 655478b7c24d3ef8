// SPDX-License-Identifier: GPL-3.0-or-later
// The boxes after a death: the table in aligned columns, names shortened for the eye
// only, and both boxes clear of the "You Died" banner.

#include <QInputDialog>
#include <QLabel>

#include "temporary_folder.h"
#include "sound/sdl_audio.h"
#include "window/box_place.h"
#include "window/qt_platform.h"
#include "window/table_box.h"
#include "window_fixture.h"

namespace quorvane::test {
namespace {

TEST(TableText, SplitsIntoTheHeadingAndNameAndScoreRows) {
    struct Case {
        std::string text;
        std::vector<std::pair<std::string, std::string>> rows;  // a heading has no score
    };
    for (const Case& c : {
             Case{"High Scores\r\nAnn\t\t120\r\nNone\t\t0\r\n", {{"High Scores", ""}, {"Ann", "120"}, {"None", "0"}}},
             Case{"\t\t60\r\n", {{"", "60"}}},                         // a name saved empty
             Case{"a\tb\t\t-5\r\n", {{"a\tb", "-5"}}},                 // a TAB inside a name
             Case{"Zoë Ångström\t\t320", {{"Zoë Ångström", "320"}}},  // no line break at the end
         }) {
        std::vector<std::pair<std::string, std::string>> rows;
        for (const TableLine& line : SplitTable(c.text)) {
            EXPECT_EQ(line.heading, line.score.empty() && line.name.find('\t') == std::string::npos);
            rows.emplace_back(line.name, line.score);
        }
        EXPECT_EQ(rows, c.rows);
    }
    EXPECT_TRUE(HasColumns("High Scores\r\nNone\t\t0\r\n"));
    EXPECT_FALSE(HasColumns("Credits\r\n\r\nProgramming -"));
}

// The rightmost (or leftmost) column with ink inside `area` of the grab.
int InkEdge(const QImage& shot, const QRect& area, bool right) {
    for (int i = 0; i < area.width(); ++i) {
        const int x = right ? area.right() - i : area.left() + i;
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (qGray(shot.pixel(x, y)) < 128) return x;
    }
    return -1;
}

TEST(TableBox, ScoresEndAtOneEdgeAndNamesStartAtAnotherWhateverTheNames) {
    const std::string text =
        "High Scores\r\n"
        "Zoë Ångström\t\t1230\r\n"
        "None\t\t320\r\n"
        "\t\t60\r\n"
        "Bartholomew the Unbelievably Persistent\t\t50\r\n"
        "שלום\t\t40\r\n"
        "Ωμέγα\t\t0\r\n";
    TableBox box(text, QStringLiteral("Quorvane"));
    box.adjustSize();
    const QImage shot = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QList<QLabel*> scores = box.findChildren<QLabel*>(QStringLiteral("score"));
    const QList<QLabel*> names = box.findChildren<QLabel*>(QStringLiteral("name"));
    ASSERT_EQ(scores.size(), 6);
    ASSERT_EQ(names.size(), 6);
    std::set<int> scoreEdges, nameEdges;
    for (QLabel* score : scores) scoreEdges.insert(InkEdge(shot, score->geometry(), true));
    for (QLabel* name : names)
        if (!name->text().isEmpty()) nameEdges.insert(InkEdge(shot, name->geometry(), false));
    EXPECT_EQ(scoreEdges.size(), 1u) << "every score ends in 0, so its ink ends at one x";
    // Glyphs start a pixel or so apart within their boxes.
    EXPECT_LE(*nameEdges.rbegin() - *nameEdges.begin(), 2);
    EXPECT_GT(*scoreEdges.begin(), *nameEdges.begin());
    // The heading stands on a line of its own above the rows.
    const QList<QLabel*> headings = box.findChildren<QLabel*>(QStringLiteral("heading"));
    ASSERT_EQ(headings.size(), 1);
    EXPECT_EQ(headings[0]->text(), QStringLiteral("High Scores"));
    EXPECT_LT(headings[0]->geometry().bottom(), names[0]->geometry().top());
    // Names are text, never markup; control characters show as blanks.
    EXPECT_EQ(names[0]->textFormat(), Qt::PlainText);
}

TEST(TableBox, AVeryLongNameIsShortenedInTheDisplayOnly) {
    const std::string huge(50u << 20, 'W');
    const QFontMetrics metrics(QApplication::font());
    const int column = metrics.averageCharWidth() * TableBox::NameColumnChars;
    struct Case {
        std::string name;
        bool shortened;
    };
    for (const Case& c : {Case{huge, true}, Case{std::string(300, 'i'), true}, Case{"Ann\nMarie", false},
                          Case{"Zoë", false}}) {
        const QString shown = ShownName(c.name, metrics, column);
        EXPECT_LE(metrics.horizontalAdvance(shown), column);
        EXPECT_EQ(shown.endsWith(QChar(0x2026)), c.shortened) << shown.left(40).toStdString();
        EXPECT_FALSE(shown.contains(QLatin1Char('\n')));
    }
    // A table holding such a name opens at a normal size.
    TableBox box("High Scores\r\n" + huge + "\t\t10\r\nNone\t\t0\r\n", QStringLiteral("Quorvane"));
    box.adjustSize();
    EXPECT_LT(box.width(), 800);
}

TEST(BoxPlace, ClearOfTheBannerBelowAboveOrBesideTheWindow) {
    const QRect screen(0, 0, 1920, 1080);
    const QRect window(640, 270, 640, 500);
    const QSize box(300, 150);
    struct Case {
        QRect banner;
        const char* where;
    };
    for (const Case& c : {Case{QRect(640, 482, 642, 82), "below"}, Case{QRect(640, 900, 642, 82), "above"},
                          Case{QRect(640, 100, 642, 900), "beside"}}) {
        SCOPED_TRACE(c.where);
        const QRect placed(ClearOf(c.banner, window, box, screen), box);
        EXPECT_TRUE(screen.contains(placed));
        EXPECT_FALSE(placed.intersects(c.banner));
        if (std::string(c.where) == "below") {
            EXPECT_GT(placed.top(), c.banner.bottom());
        } else if (std::string(c.where) == "above") {
            EXPECT_LT(placed.bottom(), c.banner.top());
        } else {
            EXPECT_FALSE(placed.intersects(window));
        }
    }
    // No room anywhere: still on the screen.
    EXPECT_TRUE(screen.contains(QRect(ClearOf(screen, screen, box, screen), box)));
}

// The real boxes after a death, on the real platform.
class DeathBoxTest : public WindowTest {
protected:
    void SetUp() override {
        qputenv("SDL_AUDIODRIVER", "dummy");
        WindowTest::SetUp();
        qt.Attach(&window);
        form().lblDied.Visible = true;
        window.Refresh();
    }

    // Opens a box through the platform and gives its place on the screen.
    QRect PlaceOf(const std::function<void()>& open) {
        QRect placed;
        WhenBoxOpens([&](QWidget* box) {
            placed = box->frameGeometry();
            box->close();
        });
        open();
        return placed;
    }

    SdlAudio audio;
    MediaDevice media{audio};
    SoundEffects effects{audio};
    test::TemporaryFolder configHome;
    TableStore store{configHome.Path()};
    EventGuard qtGuard;
    QtPlatform qt{qtGuard, media, effects, store};
};

TEST_F(DeathBoxTest, TheNameBoxAndTheTableLeaveTheBannerInSight) {
    const QRect banner = window.BannerOnScreen();
    ASSERT_FALSE(banner.isEmpty());
    const QRect nameBox = PlaceOf([&] { qt.InputBox("New High Score!", "Enter your name."); });
    const QRect table =
        PlaceOf([&] { qt.ShowMessage("High Scores\r\nAnn\t\t60\r\nNone\t\t0\r\n", "Quorvane", MessageIcon::None); });
    for (const QRect& placed : {nameBox, table}) {
        ASSERT_FALSE(placed.isEmpty());
        EXPECT_FALSE(placed.intersects(banner)) << placed.x() << "," << placed.y() << " " << placed.width() << "x"
                                               << placed.height();
    }
    // Wide enough for the whole title beside the title bar's buttons.
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GT(nameBox.width(), QFontMetrics(bold).horizontalAdvance(QStringLiteral("New High Score!")) + 100);
}

}  // namespace
}  // namespace quorvane::test
