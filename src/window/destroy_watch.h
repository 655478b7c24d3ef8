// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Notices when another program destroys the window outright (on X11 any client may),
// which Qt does not report: the window would be gone and the program left running.

#include <functional>

#include <QAbstractNativeEventFilter>

class QWidget;

namespace quorvane {

class DestroyWatch : public QAbstractNativeEventFilter {
public:
    // Calls `destroyed` once when `window`'s native window is destroyed. Installs itself
    // for as long as it lives.
    DestroyWatch(const QWidget& window, std::function<void()> destroyed);
    ~DestroyWatch() override;
    DestroyWatch(const DestroyWatch&) = delete;
    DestroyWatch& operator=(const DestroyWatch&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    const QWidget& window_;
    std::function<void()> destroyed_;
};

}  // namespace quorvane
