// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The playfield: the form model drawn at 320 by 240 and shown at a whole zoom,
// nearest-neighbour, centred in whatever room the window gives it.

#include <string>
#include <vector>

#include <QImage>
#include <QRegion>
#include <QWidget>

#include "game/form.h"
#include "window/pictures.h"

namespace quorvane {

inline constexpr int FieldWidth = static_cast<int>(PlayfieldWidth);
inline constexpr int FieldHeight = static_cast<int>(PlayfieldHeight);

// The form's controls drawn in their stacking order onto a 320 by 240 image.
QImage RenderForm(const Form& form, const Pictures& pictures);
// Redraws only `part` of `frame`, a 320 by 240 image of the form as it was.
void RenderForm(const Form& form, const Pictures& pictures, QImage& frame, const QRegion& part);

// What the playfield shows of each control, in stacking order: enough to tell which
// parts of the picture a change of the form touches, so that only those are redrawn.
struct Scene {
    struct Item {
        bool visible = false;
        QRect box;
        std::string caption;
        bool operator==(const Item&) const = default;
    };
    std::vector<Item> items;
    bool operator==(const Scene&) const = default;
};
Scene Describe(const Form& form);
// The parts of the playfield that differ between two scenes.
QRegion Changed(const Scene& before, const Scene& after);

// The largest whole zoom at which the playfield fits in `room`; at least 1.
int ZoomToFit(QSize room);
// The zoom a new window starts at: the largest that fits comfortably on a screen with
// `available` device pixels (2 on a 768-line or a 1080-line screen).
int ComfortableZoom(QSize available);

class Playfield : public QWidget {
public:
    // `zoom` is in device pixels: each playfield pixel is a square of zoom by zoom
    // device pixels, whatever the screen's device pixel ratio.
    explicit Playfield(int zoom, QWidget* parent = nullptr);

    // Shows the form, redrawing the parts of the playfield in `changed`.
    void Show(const Form& form, const Pictures& pictures, const QRegion& changed);

    // The size in logical pixels that holds the playfield at the starting zoom.
    QSize sizeHint() const override;

    // Where the playfield lies in the widget, at the zoom the widget's size allows.
    struct Placement {
        int zoom;        // device pixels per playfield pixel
        QPointF origin;  // top-left corner, in widget coordinates
    };
    Placement Place() const;
    // Where a part of the playfield shows in the widget, in logical pixels.
    QRectF Shown(const QRect& part) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Enlarge(const QRect& part, int zoom);

    QImage frame_;   // the playfield, 320 by 240
    QImage zoomed_;  // the same at the zoom on screen, in device pixels
    int startZoom_;
};

}  // namespace quorvane
