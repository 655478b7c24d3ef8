// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/playfield.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include <QFont>
#include <QPaintEvent>
#include <QPainter>

namespace quorvane {
namespace {

const QColor LetterboxColour(24, 24, 24);

int Pixel(double coordinate) { return static_cast<int>(std::lround(coordinate)); }

// The stated face first, then a similar sans-serif; sizes in points at 96 dots per inch.
QFont MakeLabelFont(const Font& font) {
    QFont q;
    q.setFamilies({QString::fromStdString(font.Name), QStringLiteral("DejaVu Sans")});
    q.setStyleHint(QFont::SansSerif);
    q.setPixelSize(font.Points * 96 / 72);
    q.setBold(font.Bold);
    // Crisp black text, like the bitmap face it stands in for.
    q.setStyleStrategy(QFont::NoAntialias);
    return q;
}

// The labels use two or three fonts; keeping them keeps their glyph caches warm.
const QFont& LabelFont(const Font& font) {
    static std::map<std::tuple<std::string, int, bool>, QFont> fonts;
    const auto key = std::make_tuple(font.Name, font.Points, font.Bold);
    auto found = fonts.find(key);
    if (found == fonts.end()) found = fonts.emplace(key, MakeLabelFont(font)).first;
    return found->second;
}

// Where a control shows on the playfield: an unstretched picture at its natural 32 by 32.
QRect Box(const Sprite& sprite) {
    const QSize size = sprite.Stretch ? QSize(Pixel(sprite.Width), Pixel(sprite.Height)) : QSize(32, 32);
    return QRect(QPoint(Pixel(sprite.Left), Pixel(sprite.Top)), size);
}

QRect Box(const Label& label) {
    return QRect(Pixel(label.Left), Pixel(label.Top), Pixel(label.Width), Pixel(label.Height));
}

// Calls `sprite` or `label` for each control, bottom first; the background lies under all.
template <typename SpriteVisit, typename LabelVisit>
void ForEachControl(const Form& form, SpriteVisit&& sprite, LabelVisit&& label) {
    static_assert(StackingOrder.front() == Layer::Background);
    for (Layer layer : StackingOrder) {
        switch (layer) {
            case Layer::Background: break;
            case Layer::Monsters:
                for (const Sprite& monster : form.imgMonster) sprite(monster);
                break;
            case Layer::Fire: sprite(form.imgFire); break;
            case Layer::Player: sprite(form.imgPlayer); break;
            case Layer::Hp: label(form.lblHp); break;
            case Layer::Score: label(form.lblScore); break;
            case Layer::Keyboards:
                for (const Sprite& keyboard : form.imgKeyboard) sprite(keyboard);
                break;
            case Layer::Died: label(form.lblDied); break;
        }
    }
}

QImage Stretch(const QImage& picture, QSize size) {
    // Nearest-neighbour alone would make some picture pixels one game pixel wide and
    // their neighbours two, and would drop whole rows when shrinking. Enlarged to the
    // next whole multiple first and then shrunk smoothly, every pixel keeps its share.
    const int times = std::max({1, (size.width() + picture.width() - 1) / picture.width(),
                                (size.height() + picture.height() - 1) / picture.height()});
    const QImage whole = picture.scaled(picture.size() * times, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return whole.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The stretched pictures come in two sizes: each is made once.
const QImage& Stretched(const QImage& picture, QSize size) {
    static std::map<std::tuple<qint64, int, int>, QImage> made;
    const auto key = std::make_tuple(picture.cacheKey(), size.width(), size.height());
    auto found = made.find(key);
    if (found == made.end()) found = made.emplace(key, Stretch(picture, size)).first;
    return found->second;
}

void DrawSprite(QPainter& painter, const Sprite& sprite, const Pictures& pictures) {
    if (!sprite.Visible) return;
    const QImage& image = pictures.Of(sprite.picture);
    const QRect box = Box(sprite);
    if (sprite.Stretch && box.size() != image.size() && !box.isEmpty() && !image.isNull())
        painter.drawImage(box.topLeft(), Stretched(image, box.size()));
    else
        painter.drawImage(box, image);
}

void DrawLabel(QPainter& painter, const Label& label) {
    if (!label.Visible) return;
    const QRect box = Box(label);
    int flags = Qt::AlignTop | Qt::TextSingleLine;
    switch (label.alignment) {
        case Alignment::Left: flags |= Qt::AlignLeft; break;
        case Alignment::Right: flags |= Qt::AlignRight; break;
        case Alignment::Center: flags |= Qt::AlignHCenter; break;
    }
    if (!painter.clipRegion().intersects(box)) return;
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.setFont(LabelFont(label.font));
    painter.setPen(Qt::black);
    painter.drawText(box, flags, QString::fromStdString(label.Caption));
    painter.restore();
}

}  // namespace

QImage RenderForm(const Form& form, const Pictures& pictures) {
    QImage frame(FieldWidth, FieldHeight, QImage::Format_RGB32);
    frame.fill(Qt::black);
    RenderForm(form, pictures, frame, QRect(0, 0, FieldWidth, FieldHeight));
    return frame;
}

void RenderForm(const Form& form, const Pictures& pictures, QImage& frame, const QRegion& part) {
    if (part.isEmpty()) return;
    QPainter painter(&frame);
    painter.setClipRegion(part);
    // Part by part: a large clipped copy would go to Qt's thread pool.
    for (const QRect& area : part) painter.drawImage(area.topLeft(), pictures.background, area);
    ForEachControl(
        form, [&](const Sprite& sprite) { DrawSprite(painter, sprite, pictures); },
        [&](const Label& label) { DrawLabel(painter, label); });
}

Scene Describe(const Form& form) {
    Scene scene;
    ForEachControl(
        form, [&](const Sprite& s) { scene.items.push_back({s.Visible, Box(s), {}}); },
        [&](const Label& l) { scene.items.push_back({l.Visible, Box(l), l.Caption}); });
    return scene;
}

QRegion Changed(const Scene& before, const Scene& after) {
    const QRect field(0, 0, FieldWidth, FieldHeight);
    if (before.items.size() != after.items.size()) return field;
    QRegion changed;
    for (std::size_t i = 0; i < after.items.size(); ++i) {
        const Scene::Item& was = before.items[i];
        const Scene::Item& is = after.items[i];
        if (was == is) continue;
        if (was.visible) changed += was.box;
        if (is.visible) changed += is.box;
    }
    return changed & field;
}

int ZoomToFit(QSize room) {
    return std::max(1, std::min(room.width() / FieldWidth, room.height() / FieldHeight));
}

int ComfortableZoom(QSize available) {
    // The playfield in just under two thirds of the screen leaves room for the frame, the
    // menu bar and the desktop: 2 on a 768-line laptop and on a 1080-line screen, with or
    // without a panel, and 3 at 1440 lines.
    return ZoomToFit(available * 33 / 50);
}

Playfield::Playfield(int zoom, QWidget* parent) : QWidget(parent), startZoom_(zoom) {
    setMinimumSize(FieldWidth, FieldHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

QSize Playfield::sizeHint() const {
    // Rounded up: a ratio such as 1.5 leaves a device pixel of letterbox rather than a
    // zoom less.
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(std::ceil(FieldWidth * startZoom_ / ratio - 1e-9)),
            static_cast<int>(std::ceil(FieldHeight * startZoom_ / ratio - 1e-9))};
}

Playfield::Placement Playfield::Place() const {
    // Zoom in whole device pixels, so that every playfield pixel is an exact square
    // on high-density screens too.
    const qreal ratio = devicePixelRatioF();
    const QSize device = (QSizeF(size()) * ratio).toSize();
    const int zoom = ZoomToFit(device);
    const QPointF origin((device.width() - FieldWidth * zoom) / 2, (device.height() - FieldHeight * zoom) / 2);
    return {zoom, origin / ratio};
}

void Playfield::Show(const Form& form, const Pictures& pictures, const QRegion& changed) {
    if (frame_.isNull()) {
        frame_ = RenderForm(form, pictures);
        zoomed_ = QImage();
        return update();
    }
    RenderForm(form, pictures, frame_, changed);
    const Placement at = Place();
    if (zoomed_.width() == FieldWidth * at.zoom)
        for (const QRect& part : changed) Enlarge(part, at.zoom);
    for (const QRect& part : changed) update(Shown(part).toAlignedRect());
}

QRectF Playfield::Shown(const QRect& part) const {
    const Placement at = Place();
    const qreal scale = at.zoom / devicePixelRatioF();
    return {at.origin + QPointF(part.topLeft()) * scale, QSizeF(part.size()) * scale};
}

void Playfield::Enlarge(const QRect& part, int zoom) {
    // Nearest-neighbour by hand, a few small rectangles a step: Qt's scaled drawing
    // would hand even these to its thread pool. Each row is widened once, then copied.
    const QRect area = part & frame_.rect();
    if (area.isEmpty()) return;
    const int left = area.left() * zoom;
    const int width = area.width() * zoom;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(frame_.constScanLine(y));
        auto* first = reinterpret_cast<QRgb*>(zoomed_.scanLine(y * zoom)) + left;
        QRgb* to = first;
        for (int x = area.left(); x <= area.right(); ++x)
            for (int k = 0; k < zoom; ++k) *to++ = from[x];
        for (int row = 1; row < zoom; ++row)
            std::copy_n(first, width, reinterpret_cast<QRgb*>(zoomed_.scanLine(y * zoom + row)) + left);
    }
}

void Playfield::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const Placement at = Place();
    const qreal ratio = devicePixelRatioF();
    const QRectF field(at.origin, QSizeF(FieldWidth, FieldHeight) * (at.zoom / ratio));
    if (!field.contains(QRectF(rect()))) {
        QRegion letterbox(rect());
        letterbox -= field.toAlignedRect();
        for (const QRect& part : letterbox & event->region()) painter.fillRect(part, LetterboxColour);
    }
    if (frame_.isNull()) return painter.fillRect(field, LetterboxColour);
    if (zoomed_.width() != FieldWidth * at.zoom) {
        zoomed_ = QImage(frame_.size() * at.zoom, frame_.format());
        Enlarge(frame_.rect(), at.zoom);
    }
    // The enlarged picture is copied pixel for pixel, in device pixels, part by part.
    zoomed_.setDevicePixelRatio(ratio);
    const QPointF originDevice = at.origin * ratio;
    for (const QRect& part : event->region()) {
        const QRectF device(QPointF(part.topLeft()) * ratio - originDevice, QSizeF(part.size()) * ratio);
        const QRect source = device.toAlignedRect() & zoomed_.rect();
        if (!source.isEmpty())
            painter.drawImage(at.origin + QPointF(source.topLeft()) / ratio, zoomed_, source);
    }
}

}  // namespace quorvane
