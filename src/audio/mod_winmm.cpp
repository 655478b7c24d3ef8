// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/mod_winmm.h"

#include <algorithm>

#include "audio/media_commands.h"
#include "base/number_text.h"

namespace quorvane {
namespace {

// The reply up to its terminating NUL, without the blanks around it.
std::string ReplyText(const std::string& buffer) {
    const std::string text = buffer.substr(0, buffer.find('\0'));
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A successful open answers with the non-zero number of the device it opened.
Bool16 ReadsAsTrue(const std::string& reply) {
    const auto number = ReadWholeNumber(reply);
    return number && *number != 0 ? True : False;
}

}  // namespace

std::string mod_Winmm::CommandStep(std::string_view command) {
    ReplyBuffer.assign(ReplyCapacity, ' ');
    const std::string reply = platform_.MediaCommand(std::string(command));
    // The device writes at most capacity - 1 characters and a NUL over the blanks.
    const std::size_t length = std::min(reply.size(), ReplyCapacity - 1);
    std::copy_n(reply.begin(), length, ReplyBuffer.begin());
    ReplyBuffer[length] = '\0';
    return ReplyText(ReplyBuffer);
}

std::optional<std::string> mod_Winmm::OpenMedia(const std::string& path) {
    if (MediaOpen != False) return std::nullopt;
    CommandStep(CloseAllCommand);
    std::string result = CommandStep(OpenCommand(path));
    CommandStep(TimeFormatCommand);
    MediaOpen = ReadsAsTrue(result);
    return result;
}

std::optional<std::string> mod_Winmm::PlayMedia() {
    if (MediaOpen == False) return std::nullopt;
    return CommandStep(PlayCommand);
}

std::optional<std::string> mod_Winmm::CloseMedia() {
    if (MediaOpen == False) return std::nullopt;
    std::string result = CommandStep(CloseAllCommand);
    MediaOpen = False;
    return result;
}

std::optional<std::string> mod_Winmm::MediaLength() {
    if (MediaOpen == False) return std::nullopt;
    return CommandStep(LengthCommand);
}

Int32 ReplyToLong(const std::optional<std::string>& reply) {
    if (!reply) return 0;
    return Round32(ReadLeadingNumber(*reply));
}

}  // namespace quorvane
