#pragma once
// The playfield: the form model drawn at 320 by 240 and shown at a whole zoom,
// nearest-neighbour, centred in whatever room the window gives it.

#include <QImage>
#include <QWidget>

#include "game/form.h"
#include "window/pictures.h"

namespace quorvane {

inline constexpr int FieldWidth = static_cast<int>(PlayfieldWidth);
inline constexpr int FieldHeight = static_cast<int>(PlayfieldHeight);

// The form's controls drawn in their stacking order onto a 320 by 240 image.
QImage RenderForm(const Form& form, const Pictures& pictures);

// The largest whole zoom at which the playfield fits in `room`; at least 1.
int ZoomToFit(QSize room);
// The zoom a new window starts at: the largest that fits comfortably on a screen with
// `available` logical pixels (2 on a 1080-line screen).
int ComfortableZoom(QSize available);

class Playfield : public QWidget {
public:
    explicit Playfield(int zoom, QWidget* parent = nullptr);

    // Shows `frame`; repaints only when it differs from the frame on screen.
    void Show(const QImage& frame);
    const QImage& Frame() const { return frame_; }

    QSize sizeHint() const override { return hint_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage frame_;
    QSize hint_;
};

}  // namespace quorvane
