// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/frm_main.h"

#include <QCloseEvent>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

#include "game/vocabulary.h"
#include "game/menus.h"

namespace quorvane {

int VirtualKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Escape: return KeyCode::Escape;
        case Qt::Key_Space: return KeyCode::Space;
        case Qt::Key_Left: return KeyCode::Left;
        case Qt::Key_Up: return KeyCode::Up;
        case Qt::Key_Right: return KeyCode::Right;
        case Qt::Key_Down: return KeyCode::Down;
        default: return 0;
    }
}

frmMain::frmMain(WindowEvents& game, const Pictures& pictures, EventGuard& guard, int zoom)
    : game_(game),
      pictures_(pictures),
      guard_(guard),
      playfield_(new Playfield(zoom, this)),
      keys_(
          [this](int key, bool down) { Handle([this, key, down] { down ? game_.KeyDown(key) : game_.KeyUp(key); }); }) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(pictures.windowIcon);
    setFocusPolicy(Qt::StrongFocus);
    setCentralWidget(playfield_);
    BuildMenus();
    // The window itself takes the keys, from the first time it is active.
    setFocus(Qt::OtherFocusReason);
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
            // Closed without a command, a menu would leave the keyboard with the menu bar.
            connect(menu, &QMenu::aboutToHide, this,
                    [this] { QTimer::singleShot(0, this, [this] { TakeKeyboard(); }); });
            continue;
        }
        QAction* action = caption == QLatin1String("-") ? menu->addSeparator() : menu->addAction(caption);
        action->setObjectName(name);
        if (entry.Command == MenuCommand::None) continue;
        const MenuCommand command = entry.Command;
        connect(action, &QAction::triggered, this, [this, command] {
            Handle([this, command] { game_.Menu(command); });
            TakeKeyboard();
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

void frmMain::TakeKeyboard() {
    if (guard_.Finished() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) return;
    // Without a window manager nobody else gives the focus back after a box.
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

bool frmMain::HasKeyboard() const {
    return !guard_.Finished() && hasFocus() && QApplication::activeModalWidget() == nullptr &&
           QApplication::activePopupWidget() == nullptr;
}

QRect frmMain::BannerOnScreen() const {
    const Label& banner = game_.Window().lblDied;
    if (!banner.Visible) return {};
    const QRect box(static_cast<int>(banner.Left), static_cast<int>(banner.Top), static_cast<int>(banner.Width),
                    static_cast<int>(banner.Height));
    const QRect shown = playfield_->Shown(box).toAlignedRect() & playfield_->rect();
    return shown.translated(playfield_->mapToGlobal(QPoint(0, 0)));
}

void frmMain::LoseKeyboard() { keys_.ReleaseAll(); }

void frmMain::keyPressEvent(QKeyEvent* event) {
    // Modifiers are ignored: Shift+Up is Up. An auto-repeat after the keyboard came back
    // counts as a fresh press.
    const int key = VirtualKey(event->key());
    if (key == 0) return QMainWindow::keyPressEvent(event);
    if (key == KeyCode::Escape) return Handle([this] { game_.KeyDown(KeyCode::Escape); });
    keys_.Press(KeySource::Keyboard, key);
}

void frmMain::keyReleaseEvent(QKeyEvent* event) {
    const int key = VirtualKey(event->key());
    if (key == 0) return QMainWindow::keyReleaseEvent(event);
    // X11 repeats a held key as release and press pairs; the key is still held.
    if (event->isAutoRepeat()) return;
    keys_.Release(KeySource::Keyboard, key);
}

// A menu, a box, another window or the menu bar has the keyboard now: whatever is
// released there never reaches this window.
void frmMain::focusOutEvent(QFocusEvent* event) {
    LoseKeyboard();
    QMainWindow::focusOutEvent(event);
}

void frmMain::changeEvent(QEvent* event) {
    if ((event->type() == QEvent::ActivationChange && !isActiveWindow()) ||
        (event->type() == QEvent::WindowStateChange && isMinimized()))
        LoseKeyboard();
    QMainWindow::changeEvent(event);
}

void frmMain::hideEvent(QHideEvent* event) {
    LoseKeyboard();
    QMainWindow::hideEvent(event);
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Closing is never refused; the game's unload handling ends the program.
    event->accept();
    Handle([this] { game_.Unload(); });
}

}  // namespace quorvane
