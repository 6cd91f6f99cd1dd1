#include "platform/win/play_sound.h"

namespace platform::win {

namespace {

std::vector<std::string>& Played() {
    static std::vector<std::string> played;
    return played;
}

} // namespace

BOOL PlaySound(const char* sound, DWORD) {
    Played().emplace_back(sound ? sound : "");
    return true;
}

const std::vector<std::string>& PlayedSounds() {
    return Played();
}

void ClearPlayedSounds() {
    Played().clear();
}

} // namespace platform::win
