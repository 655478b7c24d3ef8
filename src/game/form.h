// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The form model: every control of the main window with its properties. The game
// rules read and write it; the window only draws it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/product.h"

namespace quorvane {

enum class Picture { Player, Bolt, Monster, Keyboard };

struct Sprite {
    double Left = 0;
    double Top = 0;
    double Width = 32;
    double Height = 32;
    bool Visible = false;
    std::string Tag;
    Picture picture = Picture::Player;
    // A stretched sprite shows its picture scaled to Width by Height; otherwise the
    // picture is shown at its natural 32 by 32.
    bool Stretch = false;

    void Move(double left, double top) { Left = left; Top = top; }
};

enum class Alignment { Left, Right, Center };

struct Font {
    std::string Name;
    int Points = 12;
    bool Bold = false;
};

struct Label {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    bool Visible = true;
    std::string Caption;
    Alignment alignment = Alignment::Left;
    Font font;
};

inline constexpr int Slots = 6;

// The playfield: the window's client area in pixels.
inline constexpr double PlayfieldWidth = 320;
inline constexpr double PlayfieldHeight = 240;
inline constexpr int TimerMusicInterval = 1000;

struct Form {
    std::string Caption{ProductTitle};
    // The playfield size the player phase reads in every step.
    double ScaleWidth = PlayfieldWidth;
    double ScaleHeight = PlayfieldHeight;

    Sprite imgPlayer;
    Sprite imgFire;
    std::array<Sprite, Slots> imgMonster;
    std::array<Sprite, Slots> imgKeyboard;

    Label lblScore;
    Label lblHp;
    Label lblDied;

    // Control-array access: an index outside 0 to 5 raises "Subscript out of range".
    Sprite& Monster(int index);
    Sprite& Keyboard(int index);
};

// The window with every control as it stands when the program starts.
Form CreateForm();

// Control names as the program knows them: "imgPlayer", "imgMonster(3)", ...
std::string SpriteName(Picture kind, int index);

struct NamedSprite {
    std::string name;
    Sprite* sprite;
};
// Every sprite with its name, in creation order: player, bolt, monsters, keyboards.
std::vector<NamedSprite> NamedSprites(Form& form);

// What the window draws, bottom first; later items cover earlier ones.
enum class Layer { Background, Monsters, Fire, Player, Hp, Score, Keyboards, Died };
inline constexpr std::array<Layer, 8> StackingOrder{
    Layer::Background, Layer::Monsters, Layer::Fire,      Layer::Player,
    Layer::Hp,         Layer::Score,    Layer::Keyboards, Layer::Died};

}  // namespace quorvane
