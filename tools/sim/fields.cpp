// SPDX-License-Identifier: GPL-3.0-or-later
#include "fields.h"

#include <cmath>
#include <functional>
#include <limits>
#include <variant>

#include "scenario.h"

namespace quorvane::sim {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

// Sprite coordinates are floating point; whole values print as integers.
ordered_json Number(double value) {
    if (std::floor(value) == value && std::fabs(value) < 9e15) return static_cast<std::int64_t>(value);
    return value;
}

template <typename T>
T WholeNumber(const json& value, const std::string& name) {
    if (!value.is_number()) throw ScenarioError(name + " must be a number");
    const double number = value.get<double>();
    if (std::floor(number) != number || number < std::numeric_limits<T>::min() ||
        number > std::numeric_limits<T>::max())
        throw ScenarioError(name + " must be a whole number in range");
    return static_cast<T>(number);
}

Int16 Boolean(const json& value, const std::string& name) {
    if (value.is_boolean()) return value.get<bool>() ? True : False;
    return WholeNumber<Int16>(value, name);
}

void SetField(GameState& state, const StateField& field, const json& value) {
    const std::string name(field.name);
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(state.*member)>;
            if constexpr (std::is_same_v<T, std::string>) {
                if (!value.is_string()) throw ScenarioError(name + " must be a text");
                state.*member = value.get<std::string>();
            } else if constexpr (std::is_same_v<T, SlotArray>) {
                if (!value.is_array() || value.size() != Slots)
                    throw ScenarioError(name + " must be a list of six numbers");
                for (std::size_t i = 0; i < Slots; ++i) (state.*member)[i] = WholeNumber<Int16>(value[i], name);
            } else if (field.boolean) {
                state.*member = Boolean(value, name);
            } else {
                state.*member = WholeNumber<T>(value, name);
            }
        },
        field.member);
}

double Coordinate(const json& value, const std::string& name) {
    if (!value.is_number()) throw ScenarioError(name + " must be a number");
    return value.get<double>();
}

void SetSprite(Sprite& sprite, const std::string& control, const json& properties) {
    if (!properties.is_object()) throw ScenarioError("sprite " + control + " must be an object");
    for (const auto& [property, value] : properties.items()) {
        const std::string what = control + "." + property;
        if (property == "Left") sprite.Left = Coordinate(value, what);
        else if (property == "Top") sprite.Top = Coordinate(value, what);
        else if (property == "Width") sprite.Width = Coordinate(value, what);
        else if (property == "Height") sprite.Height = Coordinate(value, what);
        else if (property == "Visible") sprite.Visible = Boolean(value, what) != 0;
        else if (property == "Tag" && value.is_string()) sprite.Tag = value.get<std::string>();
        else throw ScenarioError("cannot set " + what + " to " + value.dump());
    }
}

void SetSprites(Form& form, const json& sprites) {
    if (!sprites.is_object()) throw ScenarioError("sprites must be an object");
    auto named = NamedSprites(form);
    for (const auto& [control, properties] : sprites.items()) {
        const auto found =
            std::find_if(named.begin(), named.end(), [&](const NamedSprite& n) { return n.name == control; });
        if (found == named.end()) throw ScenarioError("unknown control " + control);
        SetSprite(*found->sprite, control, properties);
    }
}

}  // namespace

ordered_json StateJson(const GameState& state) {
    ordered_json out = ordered_json::object();
    for (const StateField& field : StateFields)
        std::visit([&](auto member) { out[std::string(field.name)] = state.*member; }, field.member);
    return out;
}

ordered_json SpritesJson(Form& form) {
    ordered_json out = ordered_json::object();
    for (const NamedSprite& n : NamedSprites(form)) {
        const Sprite& s = *n.sprite;
        out[n.name] = {{"Left", Number(s.Left)},      {"Top", Number(s.Top)},
                       {"Width", Number(s.Width)},    {"Height", Number(s.Height)},
                       {"Visible", s.Visible},        {"Tag", s.Tag}};
    }
    return out;
}

ordered_json LabelsJson(const Form& form) {
    const auto label = [](const Label& l) { return ordered_json{{"Caption", l.Caption}, {"Visible", l.Visible}}; };
    return {{"lblScore", label(form.lblScore)}, {"lblHp", label(form.lblHp)}, {"lblDied", label(form.lblDied)}};
}

void ApplySet(Game& game, const json& set) {
    for (const auto& [name, value] : set.items()) {
        if (name == "sprites") {
            SetSprites(game.Window(), value);
        } else if (name == "ScaleWidth") {
            game.Window().ScaleWidth = Coordinate(value, name);
        } else if (name == "ScaleHeight") {
            game.Window().ScaleHeight = Coordinate(value, name);
        } else {
            const auto field = std::find_if(StateFields.begin(), StateFields.end(),
                                            [&](const StateField& f) { return name == f.name; });
            if (field == StateFields.end()) throw ScenarioError("unknown member of set: " + name);
            SetField(game.State(), *field, value);
        }
    }
}

}  // namespace quorvane::sim
