// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/form.h"

#include "base/errors.h"
#include "game/vocabulary.h"

namespace quorvane {
namespace {

Sprite MakeSprite(Picture picture, double left, double top, double size, bool visible) {
    Sprite s;
    s.Left = left;
    s.Top = top;
    s.Width = size;
    s.Height = size;
    s.Visible = visible;
    s.picture = picture;
    s.Stretch = size != 32;
    return s;
}

Label MakeLabel(double left, double top, double width, double height, bool visible,
                std::string caption, Alignment alignment, int points, bool bold) {
    return Label{left, top, width, height, visible, std::move(caption), alignment,
                 Font{"MS Sans Serif", points, bold}};
}

struct Place {
    double left, top;
};
constexpr std::array<Place, Slots> MonsterPlaces{
    {{272, 104}, {72, 144}, {232, 16}, {136, 168}, {136, 40}, {56, 32}}};
constexpr std::array<Place, Slots> KeyboardPlaces{
    {{216, 168}, {248, 168}, {280, 168}, {216, 200}, {248, 200}, {280, 200}}};

Sprite& Slot(std::array<Sprite, Slots>& sprites, int index) {
    if (index < 0 || index >= Slots) throw SubscriptOutOfRange();
    return sprites[static_cast<std::size_t>(index)];
}

}  // namespace

Sprite& Form::Monster(int index) { return Slot(imgMonster, index); }
Sprite& Form::Keyboard(int index) { return Slot(imgKeyboard, index); }

Form CreateForm() {
    Form form;
    form.imgPlayer = MakeSprite(Picture::Player, 168, 96, 32, true);
    form.imgFire = MakeSprite(Picture::Bolt, 168, 120, 32, false);
    for (std::size_t i = 0; i < Slots; ++i) {
        form.imgMonster[i] =
            MakeSprite(Picture::Monster, MonsterPlaces[i].left, MonsterPlaces[i].top, 40, true);
        form.imgKeyboard[i] = MakeSprite(Picture::Keyboard, KeyboardPlaces[i].left,
                                         KeyboardPlaces[i].top, 27, false);
    }
    form.lblScore = MakeLabel(144, 0, 169, 17, true, ScoreCaption(0), Alignment::Right, 12, true);
    form.lblHp = MakeLabel(0, 224, 113, 17, true, HealthCaption(StartHealth), Alignment::Left, 12, true);
    form.lblDied = MakeLabel(0, 96, 321, 41, false, "You Died", Alignment::Center, 24, false);
    return form;
}

std::string SpriteName(Picture kind, int index) {
    switch (kind) {
        case Picture::Player: return "imgPlayer";
        case Picture::Bolt: return "imgFire";
        case Picture::Monster: return "imgMonster(" + std::to_string(index) + ")";
        case Picture::Keyboard: return "imgKeyboard(" + std::to_string(index) + ")";
    }
    return {};
}

std::vector<NamedSprite> NamedSprites(Form& form) {
    std::vector<NamedSprite> all{{"imgPlayer", &form.imgPlayer}, {"imgFire", &form.imgFire}};
    for (int i = 0; i < Slots; ++i)
        all.push_back({SpriteName(Picture::Monster, i), &form.Monster(i)});
    for (int i = 0; i < Slots; ++i)
        all.push_back({SpriteName(Picture::Keyboard, i), &form.Keyboard(i)});
    return all;
}

}  // namespace quorvane
