// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/destroy_watch.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QWidget>

#include <utility>

namespace quorvane {

DestroyWatch::DestroyWatch(const QWidget& window, std::function<void()> destroyed)
    : window_(window), destroyed_(std::move(destroyed)) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

DestroyWatch::~DestroyWatch() { QCoreApplication::instance()->removeNativeEventFilter(this); }

bool DestroyWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || !destroyed_) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    // The high bit marks an event another client sent; a destruction is one either way.
    if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY) return false;
    const auto* destroy = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
    if (!window_.testAttribute(Qt::WA_WState_Created) || destroy->window != window_.winId()) return false;
    std::exchange(destroyed_, nullptr)();
    return false;
}

}  // namespace quorvane
