// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bytes that are no table and no text, the same on every run, for the tests and
// benchmarks of hostile files.

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvane::test {

inline std::string Garbage(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 12345;
    for (char& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

}  // namespace quorvane::test
