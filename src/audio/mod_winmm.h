// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The media command module: one media file at a time under the alias "media", driven
// by string commands through the platform's media device.

#include <optional>
#include <string>
#include <string_view>

#include "base/checked.h"
#include "base/platform.h"

namespace quorvane {

class mod_Winmm {
public:
    static constexpr std::size_t ReplyCapacity = 128;

    explicit mod_Winmm(Platform& platform) : platform_(platform) {}

    // Each returns the reply of the command it sends, or no value when it sends none.
    std::optional<std::string> OpenMedia(const std::string& path);
    std::optional<std::string> PlayMedia();
    std::optional<std::string> CloseMedia();
    std::optional<std::string> MediaLength();

    bool IsOpen() const { return MediaOpen != False; }

private:
    std::string CommandStep(std::string_view command);

    Platform& platform_;
    Bool16 MediaOpen = False;
    std::string ReplyBuffer = std::string(ReplyCapacity, ' ');
};

// A media reply as a 32-bit number: no value reads as 0.
Int32 ReplyToLong(const std::optional<std::string>& reply);

}  // namespace quorvane
