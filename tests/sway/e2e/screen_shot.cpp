#include "tests/sway/e2e/screen_shot.h"

#include <cstdio>
#include <string>

namespace brumelis::sway_tests {

namespace {

// The next number of a binary PPM header, skipping blanks.
bool HeaderNumber(FILE* in, int& value) {
    int c = std::fgetc(in);
    while (c == ' ' || c == '\n' || c == '\t' || c == '\r') c = std::fgetc(in);
    if (c < '0' || c > '9') return false;
    value = 0;
    for (; c >= '0' && c <= '9'; c = std::fgetc(in)) value = value * 10 + (c - '0');
    return true;  // the single blank after the number is consumed
}

}  // namespace

std::vector<std::uint32_t> ScreenShot(const scenarios::Rect& area) {
    std::vector<std::uint32_t> pixels;
    if (area.width <= 0 || area.height <= 0) return pixels;
    const std::string command = "grim -t ppm -g '" + std::to_string(area.left) + "," +
                                std::to_string(area.top) + " " + std::to_string(area.width) + "x" +
                                std::to_string(area.height) + "' - 2>/dev/null";
    FILE* in = popen(command.c_str(), "r");
    if (in == nullptr) return pixels;
    int width = 0, height = 0, maximum = 0;
    if (std::fgetc(in) == 'P' && std::fgetc(in) == '6' && HeaderNumber(in, width) &&
        HeaderNumber(in, height) && HeaderNumber(in, maximum) && maximum == 255 &&
        width == area.width && height == area.height) {
        std::vector<unsigned char> bytes(static_cast<std::size_t>(width * height * 3));
        if (std::fread(bytes.data(), 1, bytes.size(), in) == bytes.size()) {
            pixels.reserve(bytes.size() / 3);
            for (std::size_t at = 0; at < bytes.size(); at += 3) {
                pixels.push_back(static_cast<std::uint32_t>(bytes[at] << 16 | bytes[at + 1] << 8 |
                                                            bytes[at + 2]));
            }
        }
    }
    pclose(in);
    return pixels;
}

}  // namespace brumelis::sway_tests
