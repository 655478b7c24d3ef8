// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/pictures.h"

#include <QString>

// The resource's initialiser lives in a static library; naming it pulls it in.
static void InitPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace quorvane {
namespace {

constexpr QSize SpriteSize{32, 32};
constexpr QSize SmallIconSize{16, 16};
constexpr QSize BackgroundSize{320, 240};

QImage Load(const QString& name) {
    QImage image(QStringLiteral(":/pictures/") + name);
    if (image.isNull()) return image;
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

const QImage& Pictures::Of(Picture picture) const {
    switch (picture) {
        case Picture::Player: return player;
        case Picture::Bolt: return bolt;
        case Picture::Monster: return monster;
        case Picture::Keyboard: return keyboard;
    }
    return player;
}

bool Pictures::Complete() const {
    if (background.size() != BackgroundSize) return false;
    for (const QImage* sprite : {&player, &bolt, &monster, &keyboard})
        if (sprite->size() != SpriteSize) return false;
    return windowIcon.availableSizes().contains(SmallIconSize) &&
           windowIcon.availableSizes().contains(SpriteSize);
}

Pictures LoadPictures() {
    InitPictureResources();
    Pictures p;
    p.background = Load(QStringLiteral("background.png")).convertToFormat(QImage::Format_RGB32);
    p.player = Load(QStringLiteral("player.xpm"));
    p.bolt = Load(QStringLiteral("bolt.xpm"));
    p.monster = Load(QStringLiteral("monster.xpm"));
    p.keyboard = Load(QStringLiteral("keyboard.xpm"));
    const QImage small = Load(QStringLiteral("monster16.xpm"));
    if (!p.monster.isNull()) p.windowIcon.addPixmap(QPixmap::fromImage(p.monster));
    if (!small.isNull()) p.windowIcon.addPixmap(QPixmap::fromImage(small));
    return p;
}

}  // namespace quorvane
