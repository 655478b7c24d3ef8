// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/held_keys.h"

#include <algorithm>

namespace quorvane {

bool HeldKeys::Held(int key) const {
    return std::any_of(held_.begin(), held_.end(), [key](const Holding& h) { return h.key == key; });
}

void HeldKeys::Press(KeySource source, int key) {
    const Holding holding{source, key};
    if (std::find(held_.begin(), held_.end(), holding) != held_.end()) return;
    const bool first = !Held(key);
    held_.push_back(holding);
    if (first) deliver_(key, true);
}

void HeldKeys::Release(KeySource source, int key) {
    const auto found = std::find(held_.begin(), held_.end(), Holding{source, key});
    if (found == held_.end()) return;
    held_.erase(found);
    if (!Held(key)) deliver_(key, false);
}

void HeldKeys::Hold(KeySource source, int key, bool held) {
    if (held) {
        Press(source, key);
    } else {
        Release(source, key);
    }
}

void HeldKeys::ReleaseAll(KeySource source) {
    std::vector<int> keys;
    for (const Holding& h : held_)
        if (h.source == source) keys.push_back(h.key);
    for (const int key : keys) Release(source, key);
}

void HeldKeys::ReleaseAll() {
    // The holdings go one by one, so that a key held by two sources is let go of once.
    while (!held_.empty()) Release(held_.front().source, held_.front().key);
}

}  // namespace quorvane
