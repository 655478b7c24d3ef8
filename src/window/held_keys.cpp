// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/held_keys.h"

#include <algorithm>

namespace quorvane {

bool HeldKeys::Held(int key) const {
    return std::any_of(held_.begin(), held_.end(), [key](const Hold& h) { return h.key == key; });
}

void HeldKeys::Press(KeySource source, int key) {
    const Hold hold{source, key};
    if (std::find(held_.begin(), held_.end(), hold) != held_.end()) return;
    const bool first = !Held(key);
    held_.push_back(hold);
    if (first) deliver_(key, true);
}

void HeldKeys::Release(KeySource source, int key) {
    const auto found = std::find(held_.begin(), held_.end(), Hold{source, key});
    if (found == held_.end()) return;
    held_.erase(found);
    if (!Held(key)) deliver_(key, false);
}

void HeldKeys::ReleaseAll(KeySource source) {
    std::vector<int> keys;
    for (const Hold& h : held_)
        if (h.source == source) keys.push_back(h.key);
    for (const int key : keys) Release(source, key);
}

}  // namespace quorvane
