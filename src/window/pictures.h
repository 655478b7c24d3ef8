// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The five pictures, built into the program, loaded once at start-up.

#include <QIcon>
#include <QImage>

#include "game/form.h"

namespace quorvane {

struct Pictures {
    QImage background;  // 320 by 240, opaque
    QImage player;      // the sprites' 32 by 32 images, with transparency
    QImage bolt;
    QImage monster;
    QImage keyboard;
    QIcon windowIcon;   // the monster at 32 by 32 and 16 by 16

    const QImage& Of(Picture picture) const;
    // True when every picture is there at its size.
    bool Complete() const;
};

// Reads the pictures from the program's resources. A picture that is missing stays null
// (and is drawn as nothing); Complete() tells.
Pictures LoadPictures();

}  // namespace quorvane
