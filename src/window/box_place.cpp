// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/box_place.h"

#include <algorithm>
#include <array>

namespace quorvane {
namespace {

constexpr int Gap = 8;

// Moves the box's rectangle onto the screen, as far as it fits.
QRect OnScreen(QRect box, const QRect& screen) {
    box.moveLeft(std::max(screen.left(), std::min(box.left(), screen.right() + 1 - box.width())));
    box.moveTop(std::max(screen.top(), std::min(box.top(), screen.bottom() + 1 - box.height())));
    return box;
}

}  // namespace

QPoint ClearOf(const QRect& keep, const QRect& window, QSize box, const QRect& screen) {
    const int centredX = window.center().x() + 1 - box.width() / 2;
    const int besideY = window.center().y() + 1 - box.height() / 2;
    const std::array<QPoint, 4> tries{
        QPoint(centredX, keep.bottom() + 1 + Gap),
        QPoint(centredX, keep.top() - Gap - box.height()),
        QPoint(window.right() + 1 + Gap, besideY),
        QPoint(window.left() - Gap - box.width(), besideY),
    };
    for (const QPoint& at : tries) {
        const QRect placed = OnScreen(QRect(at, box), screen);
        if (!placed.intersects(keep)) return placed.topLeft();
    }
    return OnScreen(QRect(tries.front(), box), screen).topLeft();
}

}  // namespace quorvane
