#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The bodies of our fuzz targets, one per parser of input that comes from outside: a file,
// a server, the settings. libFuzzer calls them through fuzz/FuzzMain.cpp, and the unit tests
// replay every kept input through the same functions, so an input that once crashed keeps
// being run by the ordinary test suite. A broken property aborts with a message, like a
// sanitizer report. Each returns 0, as libFuzzer expects.
namespace FuzzTargets {

using Entry = int (*)(const std::uint8_t* data, std::size_t size);

// A file the editor opens, through the fast reader and, where it accepts, against Qt's.
int pngReader(const std::uint8_t* data, std::size_t size);
// Arbitrary bytes as settings.json, read back into every preference and written again.
int settingsFile(const std::uint8_t* data, std::size_t size);
// An upload server's status and answer, through the rules that make a link or an error.
int uploadAnswer(const std::uint8_t* data, std::size_t size);
// A shortcut's stored text and everything derived from the key and modifiers it names.
int hotkeyText(const std::uint8_t* data, std::size_t size);

struct Target {
    std::string_view name;
    Entry entry;
};

// The name is the folder of the target's corpus and crashes under fuzz/. The desktop
// portal's results get a target here once that backend parses them.
inline constexpr std::array<Target, 4> all {
    Target { "png_reader", pngReader },
    Target { "settings_file", settingsFile },
    Target { "upload_answer", uploadAnswer },
    Target { "hotkey_text", hotkeyText },
};

} // namespace FuzzTargets
