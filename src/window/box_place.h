// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a box opens when something on the screen must stay in sight: after a death the
// name box and the table open clear of the "You Died" banner.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quorvane {

// The top-left corner for a box of `box` (its frame included) on `screen` that leaves
// `keep` uncovered: below it, centred on `window`; else above it; else beside the
// window. Where none of these fits, below it as far as the screen allows.
QPoint ClearOf(const QRect& keep, const QRect& window, QSize box, const QRect& screen);

}  // namespace quorvane
