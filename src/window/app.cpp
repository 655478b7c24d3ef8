// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/app.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>

#include "sound/media_device.h"
#include "sound/sdl_audio.h"
#include "sound/sound_effects.h"
#include "base/errors.h"
#include "game/game.h"
#include "scores/table_store.h"
#include "window/destroy_watch.h"
#include "window/event_guard.h"
#include "window/frm_main.h"
#include "window/pictures.h"
#include "window/qt_platform.h"

namespace quorvane {
namespace {

constexpr int FatalStatus = 1;
constexpr int NoDisplayStatus = 2;

// While the display opens, Qt's messages are held back: without a display Qt would say
// it in several lines and abort; the player gets one line and a plain exit instead.
void QuietWhileOpening(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type != QtFatalMsg) return;
    std::fputs("Quorvane needs a graphical desktop: no display could be opened.\n", stderr);
    std::_Exit(NoDisplayStatus);
}

std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(QuietWhileOpening);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return app;
}

void ShowFatal(const std::string& name) {
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(std::string(ProductTitle)),
                    QStringLiteral("Run-time error: ") + QString::fromStdString(name), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

std::string UserConfigHome() {
    QString home = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (home.isEmpty()) home = QDir::homePath() + QStringLiteral("/.config");
    return QFile::encodeName(home).toStdString();
}

int RunQuorvane(int argc, char** argv, const PlatformWrapper& wrap) {
    std::unique_ptr<QApplication> app = OpenDisplay(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopFileName));
    // Every way out goes through the game's unload handling, not through Qt's.
    QGuiApplication::setQuitOnLastWindowClosed(false);

    SdlAudio audio;
    MediaDevice media(audio);
    SoundEffects effects(audio);
    TableStore store(UserConfigHome());
    EventGuard guard;
    QtPlatform qt(guard, media, effects, store);
    const std::unique_ptr<Platform> wrapped = wrap ? wrap(qt) : nullptr;
    Game game(wrapped ? *wrapped : qt, QCoreApplication::applicationDirPath().toStdString());

    const Pictures pictures = LoadPictures();
    // They are built into the program, so this only happens to a damaged build.
    if (!pictures.Complete()) std::fputs("Quorvane: some of its built-in pictures are missing.\n", stderr);
    QApplication::setWindowIcon(pictures.windowIcon);
    const QScreen* screen = QGuiApplication::primaryScreen();
    // Chosen in device pixels, so that at a ratio such as 1.25 every playfield pixel is
    // still a whole square of them.
    const int zoom = ComfortableZoom(screen != nullptr ? screen->availableGeometry().size() * screen->devicePixelRatio()
                                                       : QSize());
    frmMain window(game, pictures, guard, zoom);
    qt.Attach(&window);
    // A window destroyed by another program ends the game as closing it does.
    const DestroyWatch watch(window, [&window] { window.close(); });

    int fatalStatus = 0;
    const auto fatal = [&](const std::string& name) {
        guard.Finish();
        window.TimerMusic().stop();
        ShowFatal(name);
        try {
            game.Media().CloseMedia();
        } catch (...) {
            // The program is ending with its error shown; the device closes with it.
        }
        fatalStatus = FatalStatus;
    };
    guard.SetOutcome({[] { QCoreApplication::exit(0); },
                      [&](const std::string& name) {
                          fatal(name);
                          QCoreApplication::exit(FatalStatus);
                      }});

    try {
        guard.EnterLoop();
        game.Load();
        guard.LeaveLoop();
    } catch (const ProgramEnded&) {
        return 0;
    } catch (...) {
        fatal(ErrorName(std::current_exception()));
        return fatalStatus;
    }
    // The player has died: the window stays open with its menus and music.
    window.Refresh();
    const int status = QApplication::exec();
    return fatalStatus != 0 ? fatalStatus : status;
}

}  // namespace quorvane
