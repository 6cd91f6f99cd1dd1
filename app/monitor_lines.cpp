#include "app/monitor_lines.h"

namespace app {

namespace {

void AppendHex(std::string& line, std::uint8_t byte) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    line += Digits[byte >> 4];
    line += Digits[byte & 0x0F];
}

} // namespace

std::string MonitorMessageLine(std::span<const std::uint8_t> bytes) {
    std::string line = " ";
    line.reserve(1 + 3 * bytes.size());
    for (std::uint8_t byte : bytes) {
        AppendHex(line, byte);
        line += ' ';
    }
    return line;
}

std::string MonitorMidiLine(const midi::TMyMidiEvent& event) {
    std::string line;
    AppendHex(line, event.Status);
    line += ' ';
    AppendHex(line, event.Data1);
    line += ' ';
    AppendHex(line, event.Data2);
    return line;
}

} // namespace app
