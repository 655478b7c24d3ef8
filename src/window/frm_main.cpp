// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/frm_main.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>

#include "game/menus.h"

namespace quorvane {

int VirtualKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Escape: return 27;
        case Qt::Key_Space: return 32;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        default: return 0;
    }
}

frmMain::frmMain(Game& game, const Pictures& pictures, EventGuard& guard, int zoom)
    : game_(game), pictures_(pictures), guard_(guard), playfield_(new Playfield(zoom, this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(pictures.windowIcon);
    setFocusPolicy(Qt::StrongFocus);
    setCentralWidget(playfield_);
    BuildMenus();
    Refresh();

    timerMusic_.setInterval(TimerMusicInterval);
    connect(&timerMusic_, &QTimer::timeout, this, [this] { Handle([this] { game_.TimerMusicTick(); }); });
    timerMusic_.start();
}

void frmMain::BuildMenus() {
    QMenu* menu = nullptr;
    for (const MenuEntry& entry : MenuTree) {
        const QString caption = QString::fromUtf8(entry.Caption.data(), static_cast<qsizetype>(entry.Caption.size()));
        const QString name = QString::fromUtf8(entry.Name.data(), static_cast<qsizetype>(entry.Name.size()));
        if (entry.Depth == 0) {
            menu = menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            continue;
        }
        QAction* action = caption == QLatin1String("-") ? menu->addSeparator() : menu->addAction(caption);
        action->setObjectName(name);
        if (entry.Command == MenuCommand::None) continue;
        const MenuCommand command = entry.Command;
        connect(action, &QAction::triggered, this, [this, command] {
            Handle([this, command] { game_.Menu(command); });
            // Reached by Alt and an access key, the menu bar would keep the focus, and
            // with it the arrows and Escape; after a command they belong to the game again.
            if (!guard_.Finished()) setFocus(Qt::OtherFocusReason);
        });
    }
}

void frmMain::Refresh() {
    const QString title = QString::fromStdString(game_.Window().Caption);
    if (windowTitle() != title) setWindowTitle(title);
    Scene scene = Describe(game_.Window());
    if (scene == shown_) return;
    const QRegion changed = Changed(shown_, scene);
    shown_ = std::move(scene);
    playfield_->Show(game_.Window(), pictures_, changed);
}

void frmMain::Handle(const std::function<void()>& handler) {
    guard_.Run(handler);
    if (!guard_.Finished()) Refresh();
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    // Modifiers are ignored: Shift+Up is Up. Auto-repeat just presses the key again.
    if (const int key = VirtualKey(event->key())) {
        Handle([this, key] { game_.KeyDown(key); });
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmMain::keyReleaseEvent(QKeyEvent* event) {
    const int key = VirtualKey(event->key());
    if (key == 0) return QMainWindow::keyReleaseEvent(event);
    // X11 repeats a held key as release and press pairs; the key is still held.
    if (event->isAutoRepeat()) return;
    Handle([this, key] { game_.KeyUp(key); });
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Closing is never refused; the game's unload handling ends the program.
    event->accept();
    Handle([this] { game_.Unload(); });
}

}  // namespace quorvane
