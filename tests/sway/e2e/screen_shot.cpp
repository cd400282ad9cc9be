#include "tests/sway/e2e/screen_shot.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

extern char** environ;

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

// The pixels of a binary PPM of exactly the area's size; empty otherwise.
std::vector<std::uint32_t> ReadPpm(FILE* in, const scenarios::Rect& area) {
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0, maximum = 0;
    if (std::fgetc(in) != 'P' || std::fgetc(in) != '6' || !HeaderNumber(in, width) ||
        !HeaderNumber(in, height) || !HeaderNumber(in, maximum) || maximum != 255 ||
        width != area.width || height != area.height)
        return pixels;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(width * height * 3));
    if (std::fread(bytes.data(), 1, bytes.size(), in) != bytes.size()) return pixels;
    pixels.reserve(bytes.size() / 3);
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        pixels.push_back(
            static_cast<std::uint32_t>(bytes[at] << 16 | bytes[at + 1] << 8 | bytes[at + 2]));
    }
    return pixels;
}

}  // namespace

std::vector<std::uint32_t> ScreenShot(const scenarios::Rect& area) {
    std::vector<std::uint32_t> pixels;
    if (area.width <= 0 || area.height <= 0) return pixels;
    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0) return pixels;
    // grim itself, no shell in between: a dragged window is read every few
    // milliseconds.
    const std::string region = std::to_string(area.left) + "," + std::to_string(area.top) + " " +
                               std::to_string(area.width) + "x" + std::to_string(area.height);
    std::vector<std::string> arguments = {"grim", "-t", "ppm", "-g", region, "-"};
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "grim", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    FILE* in = fdopen(output[0], "r");
    if (in == nullptr) {
        close(output[0]);
    } else {
        if (spawned == 0) pixels = ReadPpm(in, area);
        std::fclose(in);
    }
    if (spawned == 0) waitpid(pid, nullptr, 0);
    return pixels;
}

}  // namespace brumelis::sway_tests
