#include "JobWatch.h"

#include "core/lang/Catalogue.h"

#include <utility>

namespace core {

namespace {

// A tick a little early still reads: the ticks come on the wall clock's boundaries.
constexpr auto kReadingDue = kNetworkSampleEvery - std::chrono::milliseconds(250);

} // namespace

std::optional<std::string> JobWatch::start(const JobConditions& conditions, LocalTime now,
                                           std::function<void()> fired) {
    stop();
    if (conditions.programs.empty() && !conditions.network && !conditions.noInputMinutes)
        return tr("条件を選んでください。");
    if (conditions.noInputMinutes) {
        const auto idle = input_.idleTime();
        if (const auto* reason = std::get_if<std::string>(&idle))
            return *reason;
        readsInput_ = true;
        lastReading_ = now;
        inputIdle_ = false;
    }
    if (conditions.network) {
        auto counters = counters_.read();
        if (!counters)
            return tr("通信量を読めません。");
        quiet_.emplace(conditions.network->kilobytesPerSecond, conditions.network->minutes);
        quiet_->sample(now, counters);
        lastReading_ = now;
        networkQuiet_ = false;
    }
    if (!conditions.programs.empty()) {
        programsEnded_ = false;
        if (auto refusal = programEnds_.start(
                conditions.programs,
                [this] {
                    programsEnded_ = true;
                    fireWhenAllHold();
                },
                conditions.sender ? std::vector<int>{*conditions.sender} : std::vector<int>{})) {
            stop();
            return refusal;
        }
    }
    programs_ = conditions.programs;
    limit_ = conditions.network;
    noInputMinutes_ = conditions.noInputMinutes;
    fired_ = std::move(fired);
    return std::nullopt;
}

void JobWatch::stop() {
    programEnds_.stop();
    quiet_.reset();
    readsInput_ = false;
    lastReading_.reset();
    programsEnded_ = true;
    networkQuiet_ = true;
    inputIdle_ = true;
    fired_ = nullptr;
}

void JobWatch::tick(LocalTime now) {
    if (!samples() || (lastReading_ && now >= *lastReading_ && now - *lastReading_ < kReadingDue))
        return;
    lastReading_ = now;
    if (quiet_)
        networkQuiet_ = quiet_->sample(now, counters_.read());
    if (readsInput_)
        inputIdle_ = idleLongEnough();
    fireWhenAllHold();
}

bool JobWatch::idleLongEnough() {
    const auto idle = input_.idleTime();
    const auto* time = std::get_if<std::chrono::milliseconds>(&idle);
    return time != nullptr && *time >= std::chrono::minutes(noInputMinutes_.value_or(0));
}

void JobWatch::fireWhenAllHold() {
    if (!programsEnded_ || !networkQuiet_ || !inputIdle_ || !fired_)
        return;
    auto fired = std::exchange(fired_, nullptr);
    stop();
    fired();
}

std::string JobWatch::conditionsText() const {
    std::string text;
    if (!programs_.empty())
        text = fill(tr("{0} が終了"), {programEnds_.names()});
    if (limit_)
        text += (text.empty() ? "" : tr("、")) +
                fill(tr("通信量 {0} KB/秒以下で {1} 分経過"),
                     {std::to_string(limit_->kilobytesPerSecond), std::to_string(limit_->minutes)});
    if (noInputMinutes_)
        text += (text.empty() ? "" : tr("、")) +
                fill(tr("操作なしで {0} 分経過"), {std::to_string(*noInputMinutes_)});
    return text;
}

} // namespace core
