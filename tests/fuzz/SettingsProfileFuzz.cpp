// Any bytes as a settings file, and a key and value taken from the input: reading never fails,
// a written value reads back, a second identical write changes nothing, and the other keys keep
// their values.
#include "core/files/Profile.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 6> kKeys{"CPUchange",    "BEEPchange", "TASKICOchange",
                                                "ShutDownTime", "CPUPersent", "CPUMinitu"};

// A value as the program writes it: no line ends and no blanks at either end.
std::string valueFrom(std::string_view text) {
    std::string value;
    for (char c : text.substr(0, 12)) {
        if (c != '\r' && c != '\n' && c != '\0')
            value += c;
    }
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.erase(value.begin());
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.pop_back();
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::string_view key = kKeys[data[0] % kKeys.size()];
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = rest.find('\x01');
    const std::string value =
        valueFrom(split == std::string_view::npos ? "" : rest.substr(0, split));
    const std::string_view file = split == std::string_view::npos ? rest : rest.substr(split + 1);

    std::array<std::string, kKeys.size()> before;
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        before[i] = core::readProfileString(file, "SET", kKeys[i]);

    const std::string written = core::writeProfileString(file, "SET", key, value);
    if (core::readProfileString(written, "set", key) != value)
        std::abort();
    if (core::writeProfileString(written, "SET", key, value) != written)
        std::abort();
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (kKeys[i] != key && core::readProfileString(written, "SET", kKeys[i]) != before[i])
            std::abort();
    }
    return 0;
}
