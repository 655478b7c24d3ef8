// SPDX-License-Identifier: GPL-3.0-or-later
// The game as a player and a packager get it. A fresh build folder is configured for the
// game alone (scripts/configure-game.sh, as play.sh does) and only the program's target
// is built: it must hold the whole game and install. cpack then makes the Debian package
// from it, which is checked with dpkg-deb and lintian, unpacked into a temporary root and
// played from there under a real X server. Run by ctest under xvfb-run.

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const fs::path Source = QUORVANE_SOURCE_DIR;
const fs::path Fresh = QUORVANE_FRESH_DIR;
const std::string Version = QUORVANE_VERSION;
struct MediaFile {
    const char* folder;  // in assets/
    const char* name;
};
constexpr MediaFile Media[] = {{"music", "Music1.mid"}, {"music", "Music2.mid"},   {"music", "Music3.mid"},
                               {"music", "Music4.mid"}, {"sounds", "explode.wav"}, {"sounds", "bang.wav"}};
constexpr int IconSizes[] = {16, 32, 48, 64, 128, 256};
const std::string IconPath = "share/icons/hicolor/%1x%1/apps/org.quorvane.Quorvane.png";

struct Ran {
    bool finished = false;
    int status = -1;
    std::string out;
    std::string err;
    bool Ok() const { return finished && status == 0; }
    std::string Said() const { return out + err; }
};

QString Q(const fs::path& path) { return QString::fromStdString(path.string()); }

Ran Execute(const QString& program, const QStringList& args, int timeoutMs = 60000) {
    QProcess p;
    p.start(program, args);
    Ran ran;
    ran.finished = p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit;
    if (!ran.finished) {
        p.kill();
        p.waitForFinished();
    }
    ran.status = p.exitCode();
    ran.out = p.readAllStandardOutput().toStdString();
    ran.err = p.readAllStandardError().toStdString();
    if (!ran.finished) ran.err += program.toStdString() + ": " + p.errorString().toStdString() + "\n";
    return ran;
}

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Icon(int size) { return QString::fromStdString(IconPath).arg(size).toStdString(); }

// The ELF file still has its symbol table: it was not stripped.
bool HasSymbols(const fs::path& program) {
    const Ran sections = Execute("readelf", {"-S", "-W", Q(program)});
    EXPECT_TRUE(sections.Ok()) << sections.Said();
    return sections.out.find(".symtab") != std::string::npos;
}

// Built once for all the tests below; each step keeps what it said for the test that
// needs it.
class Package : public testing::Test {
protected:
    static void SetUpTestSuite() {
        fs::remove_all(Fresh);
        configure = Execute(Q(Source / "scripts/configure-game.sh"), {Q(Fresh)});
        if (!configure.Ok()) return;
        build = Execute(QUORVANE_CMAKE, {"--build", Q(Fresh), "-j2", "--target", "quorvane"}, 15 * 60 * 1000);
        if (!build.Ok()) return;
        cpack = Execute(QUORVANE_CPACK, {"--config", Q(Fresh / "CPackConfig.cmake"), "-B", Q(Fresh)},
                        5 * 60 * 1000);
        const Ran arch = Execute("dpkg", {"--print-architecture"});
        deb = Fresh / ("quorvane_" + Version + "_" +
                       QString::fromStdString(arch.out).trimmed().toStdString() + ".deb");
    }

    static testing::AssertionResult Built() {
        if (!configure.Ok())
            return testing::AssertionFailure() << "configuring failed:\n" << configure.Said();
        if (!build.Ok()) return testing::AssertionFailure() << "building failed:\n" << build.Said();
        return testing::AssertionSuccess();
    }
    static testing::AssertionResult Packaged() {
        if (testing::AssertionResult built = Built(); !built) return built;
        if (!cpack.Ok()) return testing::AssertionFailure() << "cpack failed:\n" << cpack.Said();
        if (!fs::is_regular_file(deb))
            return testing::AssertionFailure() << deb << " is missing:\n" << cpack.Said();
        return testing::AssertionSuccess();
    }
    static std::string Field(const char* name) {
        const Ran field = Execute("dpkg-deb", {"--field", Q(deb), name});
        EXPECT_TRUE(field.Ok()) << field.Said();
        return QString::fromStdString(field.out).trimmed().toStdString();
    }

    static inline Ran configure, build, cpack;
    static inline fs::path deb;
};

TEST_F(Package, TheProgramTargetAloneGivesTheWholeGameAndItsInstall) {
    ASSERT_TRUE(Built());
    for (const auto& [folder, name] : Media) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(fs::is_regular_file(Fresh / "bin" / name));
        EXPECT_EQ(Read(Fresh / "bin" / name), Read(Source / "assets" / folder / name));
    }

    QTemporaryDir prefix;
    const Ran install =
        Execute(QUORVANE_CMAKE, {"--install", Q(Fresh), "--strip", "--prefix", prefix.path()});
    ASSERT_TRUE(install.Ok()) << install.Said();
    const fs::path root = prefix.path().toStdString();
    EXPECT_TRUE(fs::is_regular_file(root / "bin/quorvane"));
    for (const auto& file : Media)
        EXPECT_TRUE(fs::is_regular_file(root / "lib/quorvane" / file.name)) << file.name;
    for (const int size : IconSizes) EXPECT_TRUE(fs::is_regular_file(root / Icon(size))) << size;
    EXPECT_TRUE(fs::is_regular_file(root / "share/man/man6/quorvane.6.gz"));
    EXPECT_FALSE(HasSymbols(root / "lib/quorvane/quorvane"));
}

TEST_F(Package, IsNamedAfterItsVersionAndDependsOnQtSdlMixerAndASoundFont) {
    ASSERT_TRUE(Packaged());
    EXPECT_EQ(Field("Package"), "quorvane");
    EXPECT_EQ(Field("Version"), Version);
    EXPECT_EQ(Field("Section"), "games");
    const std::string depends = Field("Depends");
    for (const char* needed : {"libqt6core6", "libqt6gui6", "libqt6widgets6", "qt6-qpa-plugins",
                               "libsdl2-mixer-2.0-0", "timgm6mb-soundfont | fluid-soundfont-gm"})
        EXPECT_NE(depends.find(needed), std::string::npos) << needed << " not in " << depends;
}

TEST_F(Package, HoldsTheGameItsDesktopFilesAndItsPapersUnderUsr) {
    ASSERT_TRUE(Packaged());
    const Ran contents = Execute("dpkg-deb", {"--contents", Q(deb)});
    ASSERT_TRUE(contents.Ok()) << contents.Said();
    std::vector<std::string> expected = {"usr/games/quorvane",
                                         "usr/lib/quorvane/quorvane",
                                         "usr/share/applications/org.quorvane.Quorvane.desktop",
                                         "usr/share/metainfo/org.quorvane.Quorvane.metainfo.xml",
                                         "usr/share/man/man6/quorvane.6.gz",
                                         "usr/share/doc/quorvane/copyright",
                                         "usr/share/doc/quorvane/changelog.gz"};
    for (const auto& file : Media) expected.push_back(std::string("usr/lib/quorvane/") + file.name);
    for (const int size : IconSizes) expected.push_back("usr/" + Icon(size));
    for (const std::string& file : expected)
        EXPECT_NE(contents.out.find(" ./" + file + "\n"), std::string::npos) << file << " missing:\n"
                                                                             << contents.out;

    std::istringstream lines(contents.out);
    for (std::string line; std::getline(lines, line);)
        EXPECT_NE(line.find(" ./usr/"), std::string::npos) << "outside /usr: " << line;
    EXPECT_EQ(contents.out.find(" ./usr/bin/"), std::string::npos) << "the launcher belongs in /usr/games";
}

TEST_F(Package, CarriesTheWholeLicenceTextAndAChangelogOfItsVersion) {
    ASSERT_TRUE(Packaged());
    QTemporaryDir root;
    ASSERT_TRUE(Execute("dpkg-deb", {"-x", Q(deb), root.path()}).Ok());
    const fs::path doc = root.path().toStdString() + "/usr/share/doc/quorvane";

    // Machine-readable: the GPL by reference to Debian's copy, the other licence in full.
    const std::string copyright = Read(doc / "copyright");
    EXPECT_EQ(
        copyright.rfind("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n", 0),
        0u);
    EXPECT_NE(copyright.find("\nLicense: GPL-3+\n"), std::string::npos);
    const std::string heading = "\nLicense: CC-BY-SA-4.0\n";
    const std::size_t text = copyright.rfind(heading);
    ASSERT_NE(text, std::string::npos);
    std::istringstream lines(copyright.substr(text + heading.size()));
    std::string unfolded;
    for (std::string line; std::getline(lines, line);) {
        ASSERT_EQ(line[0], ' ') << "not a continuation line: " << line;
        unfolded += (line == " ." ? "" : line.substr(1)) + "\n";
    }
    EXPECT_EQ(unfolded, Read(Source / "LICENSES/CC-BY-SA-4.0.txt"));

    const Ran changelog = Execute("gzip", {"-dc", Q(doc / "changelog.gz")});
    ASSERT_TRUE(changelog.Ok()) << changelog.Said();
    EXPECT_EQ(changelog.out.rfind("quorvane (" + Version + ") ", 0), 0u) << changelog.out;

    EXPECT_FALSE(HasSymbols(root.path().toStdString() + "/usr/lib/quorvane/quorvane"));
}

TEST_F(Package, LintianFindsNoErrors) {
    ASSERT_TRUE(Packaged());
    if (QStandardPaths::findExecutable("lintian").isEmpty()) GTEST_SKIP() << "lintian is not installed";
    const Ran lintian =
        Execute("lintian", {"--fail-on", "error", "--tag-display-limit", "0", Q(deb)}, 5 * 60 * 1000);
    EXPECT_TRUE(lintian.Ok()) << lintian.Said();
    std::cout << lintian.out;
}

// Signed 16-bit samples, as SDL's disk driver writes them: the root mean square from the
// first sound on, as a share of full scale.
double Loudness(const std::string& raw) {
    std::vector<std::int16_t> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.data(), samples.size() * 2);
    std::size_t first = 0;
    while (first < samples.size() && samples[first] == 0) ++first;
    if (first == samples.size()) return 0;
    double sum = 0;
    for (std::size_t i = first; i < samples.size(); ++i) sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(samples.size() - first)) / 32768.0;
}

TEST_F(Package, UnpackedPlaysItsMusicAndEscapeEndsIt) {
    ASSERT_TRUE(Packaged());
    ASSERT_TRUE(qEnvironmentVariableIsSet("DISPLAY")) << "run under xvfb-run";
    QTemporaryDir root, home;
    ASSERT_TRUE(Execute("dpkg-deb", {"-x", Q(deb), root.path()}).Ok());

    const QString audio = home.path() + "/audio.raw";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("SDL_AUDIODRIVER", "disk");
    env.insert("SDL_DISKAUDIOFILE", audio);
    env.insert("XDG_CONFIG_HOME", home.path());
    QProcess game;
    game.setProcessEnvironment(env);
    game.start(root.path() + "/usr/games/quorvane", {});
    ASSERT_TRUE(game.waitForStarted());
    const QString pid = QString::number(game.processId());
    const Ran window = Execute(
        "xdotool", {"search", "--sync", "--onlyvisible", "--pid", pid, "--name", "^Quorvane$"}, 20000);
    ASSERT_TRUE(window.Ok()) << window.Said() << game.readAllStandardError().toStdString();
    const QString id = QString::fromStdString(window.out).section('\n', 0, 0);

    std::this_thread::sleep_for(3s);
    Execute("xdotool", {"windowfocus", "--sync", id});
    Execute("xdotool", {"key", "Escape"});
    ASSERT_TRUE(game.waitForFinished(5000)) << "Escape did not end the game";
    EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(game.exitCode(), 0) << game.readAllStandardError().toStdString();

    const std::string raw = Read(audio.toStdString());
    EXPECT_GT(raw.size(), 44100u * 4) << "less than a second of sound was written";
    EXPECT_GT(Loudness(raw), 0.01) << "the music is not heard";
}

}  // namespace
}  // namespace quorvane::test
