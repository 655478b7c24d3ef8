#include "window/playfield.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QPainter>

namespace quorvane {
namespace {

const QColor LetterboxColour(24, 24, 24);

int Pixel(double coordinate) { return static_cast<int>(std::lround(coordinate)); }

// The stated face first, then a similar sans-serif; sizes in points at 96 dots per inch.
QFont LabelFont(const Font& font) {
    QFont q;
    q.setFamilies({QString::fromStdString(font.Name), QStringLiteral("DejaVu Sans")});
    q.setStyleHint(QFont::SansSerif);
    q.setPixelSize(font.Points * 96 / 72);
    q.setBold(font.Bold);
    // Crisp black text, like the bitmap face it stands in for.
    q.setStyleStrategy(QFont::NoAntialias);
    return q;
}

void DrawSprite(QPainter& painter, const Sprite& sprite, const Pictures& pictures) {
    if (!sprite.Visible) return;
    const QImage& image = pictures.Of(sprite.picture);
    const QPoint at(Pixel(sprite.Left), Pixel(sprite.Top));
    if (sprite.Stretch)
        painter.drawImage(QRect(at, QSize(Pixel(sprite.Width), Pixel(sprite.Height))), image);
    else
        painter.drawImage(at, image);
}

void DrawLabel(QPainter& painter, const Label& label) {
    if (!label.Visible) return;
    const QRect box(Pixel(label.Left), Pixel(label.Top), Pixel(label.Width), Pixel(label.Height));
    int flags = Qt::AlignTop | Qt::TextSingleLine;
    switch (label.alignment) {
        case Alignment::Left: flags |= Qt::AlignLeft; break;
        case Alignment::Right: flags |= Qt::AlignRight; break;
        case Alignment::Center: flags |= Qt::AlignHCenter; break;
    }
    painter.save();
    painter.setClipRect(box);
    painter.setFont(LabelFont(label.font));
    painter.setPen(Qt::black);
    painter.drawText(box, flags, QString::fromStdString(label.Caption));
    painter.restore();
}

}  // namespace

QImage RenderForm(const Form& form, const Pictures& pictures) {
    QImage frame(FieldWidth, FieldHeight, QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter painter(&frame);
    for (Layer layer : StackingOrder) {
        switch (layer) {
            case Layer::Background: painter.drawImage(0, 0, pictures.background); break;
            case Layer::Monsters:
                for (const Sprite& monster : form.imgMonster) DrawSprite(painter, monster, pictures);
                break;
            case Layer::Fire: DrawSprite(painter, form.imgFire, pictures); break;
            case Layer::Player: DrawSprite(painter, form.imgPlayer, pictures); break;
            case Layer::Hp: DrawLabel(painter, form.lblHp); break;
            case Layer::Score: DrawLabel(painter, form.lblScore); break;
            case Layer::Keyboards:
                for (const Sprite& keyboard : form.imgKeyboard) DrawSprite(painter, keyboard, pictures);
                break;
            case Layer::Died: DrawLabel(painter, form.lblDied); break;
        }
    }
    return frame;
}

int ZoomToFit(QSize room) {
    return std::max(1, std::min(room.width() / FieldWidth, room.height() / FieldHeight));
}

int ComfortableZoom(QSize available) {
    // About three fifths of the screen: room for the frame, the menu bar and the desktop.
    return ZoomToFit(available * 3 / 5);
}

Playfield::Playfield(int zoom, QWidget* parent)
    : QWidget(parent), hint_(FieldWidth * zoom, FieldHeight * zoom) {
    setMinimumSize(FieldWidth, FieldHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void Playfield::Show(const QImage& frame) {
    if (frame == frame_) return;
    frame_ = frame;
    update();
}

void Playfield::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), LetterboxColour);
    if (frame_.isNull()) return;
    // Zoom in whole device pixels, so that every playfield pixel is an exact square
    // on high-density screens too.
    const qreal ratio = devicePixelRatioF();
    const QSize device = (QSizeF(size()) * ratio).toSize();
    const int zoom = ZoomToFit(device);
    QImage shown = frame_.scaled(frame_.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    shown.setDevicePixelRatio(ratio);
    const QPointF origin((device.width() - shown.width()) / 2, (device.height() - shown.height()) / 2);
    painter.drawImage(origin / ratio, shown);
}

}  // namespace quorvane
