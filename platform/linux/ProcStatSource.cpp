#include "ProcStatSource.h"

#include <cerrno>
#include <charconv>
#include <ctime>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000; // 100 ns units

bool readNumber(std::string_view& line, std::int64_t& value) {
    while (!line.empty() && line.front() == ' ')
        line.remove_prefix(1);
    auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (ec != std::errc())
        return false;
    line.remove_prefix(static_cast<std::size_t>(end - line.data()));
    return true;
}

} // namespace

ProcStatSource::ProcStatSource(std::string path) : path_(std::move(path)) {
    long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    unitsPerTick_ = kUnitsPerSecond / (ticksPerSecond > 0 ? ticksPerSecond : 100);
}

ProcStatSource::~ProcStatSource() {
    if (fd_ >= 0)
        ::close(fd_);
}

const std::string* ProcStatSource::readFile() {
    if (fd_ < 0)
        fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return nullptr;
    // Reading from offset 0 again makes the kernel write the statistics anew.
    text_.clear();
    char buffer[8192];
    for (;;) {
        ssize_t n = ::pread(fd_, buffer, sizeof buffer, static_cast<off_t>(text_.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return nullptr;
        text_.append(buffer, static_cast<std::size_t>(n));
        if (static_cast<std::size_t>(n) < sizeof buffer)
            return &text_;
    }
}

std::optional<std::uint8_t> ProcStatSource::processorCount() {
    const std::string* text = readFile();
    if (text == nullptr)
        return std::nullopt;
    int count = 0;
    std::string_view rest = *text;
    while (!rest.empty()) {
        std::string_view line = rest.substr(0, rest.find('\n'));
        rest.remove_prefix(std::min(rest.size(), line.size() + 1));
        if (line.size() > 3 && line.starts_with("cpu") && line[3] >= '0' && line[3] <= '9')
            ++count;
    }
    if (count < 1 || count > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(count);
}

std::optional<std::int64_t> ProcStatSource::systemTime() {
    timespec now{};
    if (::clock_gettime(CLOCK_MONOTONIC, &now) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(now.tv_sec) * kUnitsPerSecond + now.tv_nsec / 100;
}

std::optional<std::int64_t> ProcStatSource::idleTime() {
    const std::string* text = readFile();
    if (text == nullptr || !text->starts_with("cpu "))
        return std::nullopt;
    // cpu user nice system idle iowait ...
    std::string_view line = std::string_view(*text).substr(4, text->find('\n') - 4);
    std::int64_t fields[5];
    for (auto& field : fields) {
        if (!readNumber(line, field))
            return std::nullopt;
    }
    return (fields[3] + fields[4]) * unitsPerTick_;
}

} // namespace platform
