// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key-downs and key-ups that held keys hand the game, as a test records them.

#include <ostream>
#include <vector>

namespace quorvane::test {

struct Delivered {
    int key;
    bool down;
    bool operator==(const Delivered&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Delivered& d) {
    return out << d.key << (d.down ? " down" : " up");
}

using Deliveries = std::vector<Delivered>;

}  // namespace quorvane::test
