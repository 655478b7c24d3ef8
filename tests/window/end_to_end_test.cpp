// SPDX-License-Identifier: GPL-3.0-or-later
// The real program under a real X server: keys from xdotool, pictures from import.
// Run by ctest under xvfb-run.

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include "window/pictures.h"

namespace quorvane::test {
namespace {

// Runs a helper program to its end and gives what it printed.
QString Run(const QString& program, const QStringList& args, int timeoutMs = 10000) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " " << args.join(' ').toStdString() << " timed out";
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

QString Xdotool(const QStringList& args) { return Run(QStringLiteral("xdotool"), args); }

QImage Screenshot(const QString& window) {
    QProcess p;
    p.start(QStringLiteral("import"), {QStringLiteral("-window"), window, QStringLiteral("png:-")});
    p.waitForFinished(10000);
    return QImage::fromData(p.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

void Pause(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

// The game on the X display, with no sound device and its table in `config`.
QProcessEnvironment GameEnvironment(const QTemporaryDir& config) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    return env;
}

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(qEnvironmentVariableIsSet("DISPLAY")) << "run under xvfb-run";
        game.setProcessEnvironment(GameEnvironment(config));
        game.start(QStringLiteral(QUORVANE_PROGRAM), {});
        ASSERT_TRUE(game.waitForStarted());
        window = Xdotool({"search", "--sync", "--onlyvisible", "--pid", QString::number(game.processId()),
                          "--name", "^Quorvane$"})
                     .section('\n', 0, 0);
        ASSERT_FALSE(window.isEmpty());
        Xdotool({"windowfocus", "--sync", window});
        player = LoadPictures().player;
    }

    void TearDown() override {
        if (game.state() != QProcess::NotRunning) {
            game.kill();
            game.waitForFinished();
        }
    }

    // The 320 by 240 playfield read back from a screenshot of the window at its zoom.
    QImage Playfield() {
        const QImage shot = Screenshot(window);
        const int zoom = shot.width() / 320;
        EXPECT_GE(zoom, 1);
        EXPECT_EQ(shot.width() % 320, 0);
        const int top = shot.height() - 240 * zoom;  // below the menu bar
        QImage field(320, 240, QImage::Format_RGB32);
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) field.setPixel(x, y, shot.pixel(x * zoom, top + y * zoom));
        return field;
    }

    // Where the player's picture lies on the playfield, by its opaque pixels.
    std::optional<QPoint> FindPlayer(const QImage& field) {
        std::vector<std::pair<QPoint, QRgb>> opaque;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (qAlpha(player.pixel(x, y)) == 255) opaque.push_back({{x, y}, player.pixel(x, y) | 0xff000000});
        for (int top = 0; top + 32 <= 240; ++top)
            for (int left = 0; left + 32 <= 320; ++left) {
                bool all = true;
                for (const auto& [at, colour] : opaque)
                    if (field.pixel(left + at.x(), top + at.y()) != colour) {
                        all = false;
                        break;
                    }
                if (all) return QPoint(left, top);
            }
        return std::nullopt;
    }

    void Hold(const char* key, int ms) {
        Xdotool({"keydown", key});
        Pause(ms);
        Xdotool({"keyup", key});
        Pause(100);
    }

    QTemporaryDir config;
    QProcess game;
    QString window;
    QImage player;
};

TEST_F(EndToEnd, ArrowsMoveThePlayerHowToPlayHoldsTheGameAndEscapeEnds) {
    const std::optional<QPoint> start = FindPlayer(Playfield());
    ASSERT_TRUE(start.has_value());
    EXPECT_EQ(*start, QPoint(168, 96));

    Hold("Right", 400);
    const std::optional<QPoint> right = FindPlayer(Playfield());
    ASSERT_TRUE(right.has_value());
    EXPECT_GE(right->x() - start->x(), 20);
    EXPECT_EQ(right->y(), start->y());

    Hold("Up", 300);
    Hold("space", 200);
    const std::optional<QPoint> up = FindPlayer(Playfield());
    ASSERT_TRUE(up.has_value());
    EXPECT_EQ(up->x(), right->x());
    EXPECT_LE(up->y(), start->y() - 15);

    // The monsters drift while the game runs...
    const QImage moving = Playfield();
    Pause(300);
    EXPECT_NE(Playfield(), moving);

    // ...and stand still while How to Play is open.
    Xdotool({"key", "alt+h"});
    Xdotool({"key", "p"});
    const QString box = Xdotool({"search", "--sync", "--onlyvisible", "--name", "^How to Play - Quorvane$"});
    ASSERT_FALSE(box.isEmpty());
    const QImage held = Playfield();
    Pause(300);
    EXPECT_EQ(Playfield(), held);
    const QImage boxShot = Screenshot(box.section('\n', 0, 0));
    EXPECT_GT(boxShot.width(), 200);

    Xdotool({"key", "Return"});
    Pause(200);
    EXPECT_TRUE(Xdotool({"search", "--onlyvisible", "--name", "^How to Play - Quorvane$"}).isEmpty());
    const QImage resumed = Playfield();
    Pause(300);
    EXPECT_NE(Playfield(), resumed);

    Xdotool({"windowfocus", "--sync", window});
    Xdotool({"key", "Escape"});
    ASSERT_TRUE(game.waitForFinished(1000));
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);
}

// A key released while a menu or a box has the keyboard is released in the game too:
// the player stands still after it closes, and the other keys work at once.
TEST_F(EndToEnd, AKeyReleasedWhileAMenuOrBoxIsOpenDoesNotStick) {
    struct Case {
        const char* held;
        const char* other;  // the opposite arrow, which a stuck key would cancel
        QStringList open;   // xdotool key names that open the menu or box
        QStringList close;
    };
    for (const Case& c : {Case{"Left", "Right", {"alt+f"}, {"Escape"}},
                          Case{"Down", "Up", {"alt+h"}, {"Escape"}},
                          Case{"Right", "Left", {"alt+h", "p"}, {"Return"}}}) {
        SCOPED_TRACE(c.held + (" then " + c.open.join(' ')).toStdString());
        Xdotool({"windowfocus", "--sync", window});
        Xdotool({"keydown", c.held});
        Pause(150);
        for (const QString& key : c.open) {
            Xdotool({"key", key});
            Pause(150);
        }
        Xdotool({"keyup", c.held});
        Pause(100);
        for (const QString& key : c.close) Xdotool({"key", key});
        Pause(200);

        const std::optional<QPoint> before = FindPlayer(Playfield());
        Pause(300);
        const std::optional<QPoint> after = FindPlayer(Playfield());
        ASSERT_TRUE(before && after);
        EXPECT_EQ(*after, *before) << "the player walks on with no key down";

        // The keys are the game's again, without a click: the other arrow moves.
        Hold(c.other, 300);
        const std::optional<QPoint> moved = FindPlayer(Playfield());
        ASSERT_TRUE(moved.has_value());
        EXPECT_NE(*moved, *after) << c.other << " does nothing";
    }
    EXPECT_EQ(game.state(), QProcess::Running);
}

TEST_F(EndToEnd, AWindowDestroyedByAnotherProgramEndsTheGameAsClosingDoes) {
    Xdotool({"windowclose", window});
    ASSERT_TRUE(game.waitForFinished(1000)) << "the program runs on without its window";
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0);
}

TEST(LostDisplay, EndsTheProgramWithOneLineAndAFailure) {
    // A display of its own, which the test then takes away.
    QProcess server;
    server.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    ASSERT_TRUE(server.waitForStarted());
    ASSERT_TRUE(server.waitForReadyRead(10000));
    const QString display = ":" + QString::fromLatin1(server.readLine()).trimmed();
    QTemporaryDir config;
    QProcessEnvironment env = GameEnvironment(config);
    env.insert(QStringLiteral("DISPLAY"), display);
    QProcess game;
    game.setProcessEnvironment(env);
    game.start(QStringLiteral(QUORVANE_PROGRAM), {});
    ASSERT_TRUE(game.waitForStarted());
    QProcess search;
    search.setProcessEnvironment(env);
    search.start(QStringLiteral("xdotool"), {"search", "--sync", "--onlyvisible", "--pid",
                                             QString::number(game.processId()), "--name", "^Quorvane$"});
    ASSERT_TRUE(search.waitForFinished(10000));
    server.terminate();
    ASSERT_TRUE(server.waitForFinished(5000));
    ASSERT_TRUE(game.waitForFinished(5000));
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(game.exitCode(), 0);
    const QString said = QString::fromLocal8Bit(game.readAllStandardError());
    EXPECT_EQ(said.count('\n'), 1) << said.toStdString();
}

// Every playfield pixel is a square of the same whole number of screen pixels, also at
// a device pixel ratio of 1.25, and the window holds the playfield with no letterbox.
TEST(Scaling, EveryPlayfieldPixelIsAWholeSquareOfScreenPixels) {
    const QImage office = LoadPictures().background;
    for (const char* ratio : {"1", "1.25"}) {
        SCOPED_TRACE(std::string("device pixel ratio ") + ratio);
        QTemporaryDir config;
        QProcessEnvironment env = GameEnvironment(config);
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(ratio));
        QProcess game;
        game.setProcessEnvironment(env);
        game.start(QStringLiteral(QUORVANE_PROGRAM), {});
        ASSERT_TRUE(game.waitForStarted());
        const QString window = Xdotool({"search", "--sync", "--onlyvisible", "--pid", QString::number(game.processId()),
                                        "--name", "^Quorvane$"}).section('\n', 0, 0);
        ASSERT_FALSE(window.isEmpty());
        Pause(300);
        const QImage shot = Screenshot(window);
        Xdotool({"windowfocus", "--sync", window});
        Xdotool({"key", "Escape"});
        ASSERT_TRUE(game.waitForFinished(2000));

        // The playfield fills the window's width and lies below the menu bar.
        const int zoom = shot.width() / 320;
        ASSERT_GE(zoom, 2);
        EXPECT_EQ(shot.width(), 320 * zoom);
        const int top = shot.height() - 240 * zoom;
        ASSERT_GT(top, 10);
        int uneven = 0, background = 0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) {
                const QRgb corner = shot.pixel(x * zoom, top + y * zoom);
                for (int dy = 0; dy < zoom; ++dy)
                    for (int dx = 0; dx < zoom; ++dx)
                        uneven += shot.pixel(x * zoom + dx, top + y * zoom + dy) != corner;
                background += corner == office.pixel(x, y);
            }
        EXPECT_EQ(uneven, 0);
        // Most of the office shows between the sprites, each pixel where it belongs.
        EXPECT_GT(background, 320 * 240 * 8 / 10);
    }
}

// Every pixel of the icon repeats in blocks of `factor`: scaled nearest-neighbour.
bool Blocky(const QImage& icon, int factor) {
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (icon.pixel(x, y) != icon.pixel(x - x % factor, y - y % factor)) return false;
    return true;
}

TEST(Install, GivesAPlayableProgramWithItsFilesDesktopEntryIconsAndMetainfo) {
    QTemporaryDir prefix;
    QProcess install;
    install.start(QStringLiteral(QUORVANE_CMAKE),
                  {"--install", QStringLiteral(QUORVANE_BUILD_DIR), "--prefix", prefix.path()});
    ASSERT_TRUE(install.waitForFinished(60000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    const QString root = prefix.path();
    const QString id = QStringLiteral("org.quorvane.Quorvane");

    for (const char* file :
         {"quorvane", "Music1.mid", "Music2.mid", "Music3.mid", "Music4.mid", "bang.wav", "explode.wav"})
        EXPECT_TRUE(QFile::exists(root + "/lib/quorvane/" + file)) << file;

    const QString desktop = root + "/share/applications/" + id + ".desktop";
    QFile entry(desktop);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    for (const QString& line :
         {QStringLiteral("Categories=Game;ArcadeGame;"), QStringLiteral("Exec=quorvane"), "Icon=" + id})
        EXPECT_TRUE(text.contains(line + '\n')) << line.toStdString();
    QProcess check;
    check.start(QStringLiteral("desktop-file-validate"), {desktop});
    ASSERT_TRUE(check.waitForFinished());
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
    check.start(QStringLiteral("appstreamcli"),
                {"validate", "--no-net", root + "/share/metainfo/" + id + ".metainfo.xml"});
    ASSERT_TRUE(check.waitForFinished(30000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();

    const QImage monster = LoadPictures().monster.convertToFormat(QImage::Format_ARGB32);
    for (const auto& [size, factor] : {std::pair{16, 1}, {32, 1}, {48, 3}, {64, 2}, {128, 4}, {256, 8}}) {
        const QImage icon(QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/%3.png").arg(root).arg(size).arg(id));
        SCOPED_TRACE(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
        EXPECT_TRUE(Blocky(icon, factor));
        if (size % 32 == 0) {
            const QImage back = icon.convertToFormat(QImage::Format_ARGB32)
                                    .scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            EXPECT_EQ(back, monster);
        }
    }

    // The launcher on the PATH starts the installed program, which Escape ends.
    QTemporaryDir config;
    QProcess game;
    game.setProcessEnvironment(GameEnvironment(config));
    game.start(root + "/bin/quorvane", {});
    ASSERT_TRUE(game.waitForStarted());
    const QString window = Xdotool({"search", "--sync", "--onlyvisible", "--name", "^Quorvane$"}).section('\n', 0, 0);
    ASSERT_FALSE(window.isEmpty());
    Xdotool({"windowfocus", "--sync", window});
    Xdotool({"key", "Escape"});
    ASSERT_TRUE(game.waitForFinished(2000));
    EXPECT_EQ(game.exitCode(), 0);
}

TEST(NoDisplay, SaysSoInOneLineAndFails) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    QProcess game;
    game.setProcessEnvironment(env);
    game.start(QStringLiteral(QUORVANE_PROGRAM), {});
    ASSERT_TRUE(game.waitForFinished(10000));
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(game.exitCode(), 0);
    const QString said = QString::fromLocal8Bit(game.readAllStandardError());
    EXPECT_EQ(said.count('\n'), 1) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("graphical desktop"))) << said.toStdString();
}

}  // namespace
}  // namespace quorvane::test
