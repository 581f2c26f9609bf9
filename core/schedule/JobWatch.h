#pragma once

#include "ProgramEnds.h"
#include "core/base/InputIdle.h"
#include "core/net/QuietNetwork.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace core {

struct NetworkLimit {
    int kilobytesPerSecond;
    int minutes;
    friend bool operator==(const NetworkLimit&, const NetworkLimit&) = default;
};

// What the "終了待ち" watch waits for: every program given to end, the network to stay quiet,
// nobody at the keyboard for some minutes, or any of them together.
struct JobConditions {
    std::vector<std::string> programs;
    std::optional<NetworkLimit> network;
    std::optional<int> noInputMinutes = std::nullopt;
    // The process of the command that started the watch, which never counts as a program.
    std::optional<int> sender = std::nullopt;
};

// The "終了待ち" watch: fires once, when every condition given holds at the same time.
class JobWatch {
public:
    JobWatch(ProcessPort& processes, NetworkCounters& network, InputIdleSource& input)
        : programEnds_(processes), counters_(network), input_(input) {}

    // Refused, with nothing started, when no condition is given, a program does not run, or the
    // network's counters or the session's idle time cannot be read.
    std::optional<std::string> start(const JobConditions& conditions, LocalTime now,
                                     std::function<void()> fired);
    void stop();
    // The scheduler's tick: the counters and the idle time are read when a reading is due.
    void tick(LocalTime now);
    // Something is read every few seconds, so the ticks must come that often.
    bool samples() const { return quiet_.has_value() || readsInput_; }
    // The conditions as the history and --watching name them: "render, 4242 が終了",
    // "通信量 50 KB/秒以下で 3 分経過", "操作なしで 30 分経過", joined by "、".
    std::string conditionsText() const;

private:
    void fireWhenAllHold();
    // Nobody touched the keyboard or mouse for the minutes; a session that stopped telling does
    // not count as idle.
    bool idleLongEnough();

    ProgramEnds programEnds_;
    NetworkCounters& counters_;
    InputIdleSource& input_;
    std::vector<std::string> programs_;
    std::optional<NetworkLimit> limit_;
    std::optional<QuietNetwork> quiet_;
    std::optional<int> noInputMinutes_;
    bool readsInput_ = false;
    std::optional<LocalTime> lastReading_;
    bool programsEnded_ = true;
    bool networkQuiet_ = true;
    bool inputIdle_ = true;
    std::function<void()> fired_;
};

} // namespace core
