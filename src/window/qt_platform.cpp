// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/qt_platform.h"

#include <algorithm>
#include <chrono>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>

#include "window/box_place.h"
#include "window/frm_main.h"
#include "window/table_box.h"

namespace quorvane {
namespace {

// Room beside a title for the title bar's icon and buttons.
constexpr int TitleBarButtonsWidth = 160;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString DisplayText(const std::string& text) {
    QString shown = Q(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QtPlatform::QtPlatform(EventGuard& guard, MediaDevice& media, SoundEffects& effects, TableStore& store)
    : guard_(guard), media_(media), effects_(effects), store_(store) {
    clock_.start();
    due_.setSingleShot(true);
    due_.setTimerType(Qt::PreciseTimer);
}

std::int32_t QtPlatform::TickCount() {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(TickOrigin + clock_.elapsed()));
}

void QtPlatform::Randomize() {
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    generator_.Seed(static_cast<std::uint32_t>(now));
}

float QtPlatform::Random() { return generator_.Next(); }

void QtPlatform::PlaySound(const std::string& path) { effects_.Play(path); }

std::string QtPlatform::MediaCommand(const std::string& command) { return media_.Send(command); }

std::string QtPlatform::ReadSetting(const std::string& app, const std::string& section,
                                    const std::string& key, const std::string& fallback) {
    SaveTable();
    return store_.Read(app, section, key, fallback);
}

void QtPlatform::WriteSetting(const std::string& app, const std::string& section,
                              const std::string& key, const std::string& value) {
    store_.Write(app, section, key, value);
}

void QtPlatform::SaveTable() { SaveAndTell(store_, *this); }

void QtPlatform::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    SaveTable();
    if (window_ != nullptr) window_->Refresh();
    if (HasColumns(text)) {
        TableBox box(text, Q(title), window_);
        Run(box);
        return;
    }
    QMessageBox box(BoxIcon(icon), Q(title), DisplayText(text), QMessageBox::Ok, window_);
    // A player's name is text, never markup.
    box.setTextFormat(Qt::PlainText);
    Run(box);
}

std::string QtPlatform::InputBox(const std::string& title, const std::string& prompt) {
    SaveTable();
    if (window_ != nullptr) window_->Refresh();
    QInputDialog box(window_);
    box.setWindowTitle(Q(title));
    box.setLabelText(DisplayText(prompt));
    box.setInputMode(QInputDialog::TextInput);
    // Wide enough that the title bar shows the whole title, beside its buttons.
    QFont bold = box.font();
    bold.setBold(true);
    const int wide = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + TitleBarButtonsWidth;
    box.resize(std::max(box.sizeHint().width(), wide), box.sizeHint().height());
    const bool accepted = Run(box) == QDialog::Accepted;
    return accepted ? box.textValue().toStdString() : std::string();
}

int QtPlatform::Run(QDialog& box) {
    if (window_ != nullptr) {
        if (const QRect banner = window_->BannerOnScreen(); !banner.isNull()) {
            if (!box.testAttribute(Qt::WA_Resized)) box.adjustSize();
            // The box's frame is not known before it shows; the window's is a fair guess.
            const QMargins frame(window_->geometry().left() - window_->frameGeometry().left(),
                                 window_->geometry().top() - window_->frameGeometry().top(),
                                 window_->frameGeometry().right() - window_->geometry().right(),
                                 window_->frameGeometry().bottom() - window_->geometry().bottom());
            const QRect screen = window_->screen()->availableGeometry();
            box.move(ClearOf(banner, window_->frameGeometry(), box.size().grownBy(frame), screen));
        }
    }
    const int result = box.exec();
    guard_.RethrowEnd();
    if (window_ != nullptr) window_->TakeKeyboard();
    return result;
}

void QtPlatform::ShowWindow() {
    if (window_ == nullptr) return;
    window_->Refresh();
    window_->show();
}

void QtPlatform::ProcessEvents(std::int32_t dueTick) {
    SaveTable();
    if (window_ != nullptr) window_->Refresh();
    const std::int32_t wait = MsUntil(dueTick);
    if (wait > 0) {
        // Handles what is pending; with nothing pending, sleeps until an event comes or
        // the timer marks the step as due.
        due_.start(std::min(wait, MaxWaitMs));
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        due_.stop();
    } else {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    guard_.Rethrow();
    // An open menu holds the game as a modal box does; the step after it is not made up.
    while (QApplication::activePopupWidget() != nullptr) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        guard_.Rethrow();
    }
    // The pads as they stand now, for the step that follows. Read only then: a step sees
    // nothing newer, and the passes in between, for the window's own events, stay cheap.
    // A millisecond early, since the step's own reading of the clock comes a moment later.
    if (window_ != nullptr && MsUntil(dueTick) <= 1) pads_.Read(window_->Keys(), window_->HasKeyboard());
}

std::int32_t QtPlatform::MsUntil(std::int32_t tick) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(tick) - static_cast<std::uint32_t>(TickCount()));
}

void QtPlatform::EndProgram() {
    SaveTable();
    guard_.Finish();
    // Hiding a running box ends its event loop; exit() ends every other one.
    for (QWidget* widget : QApplication::topLevelWidgets()) widget->hide();
    QCoreApplication::exit(0);
}

}  // namespace quorvane
