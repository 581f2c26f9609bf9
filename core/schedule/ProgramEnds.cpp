#include "ProgramEnds.h"

#include "core/base/Settings.h"
#include "core/lang/Catalogue.h"

#include <algorithm>
#include <utility>

namespace core {

ProcessTarget processTarget(const std::string& typed) {
    if (auto id = parseDecimal(typed);
        id && *id > 0 && typed.find_first_not_of("0123456789") == std::string::npos)
        return {id, {}};
    return {std::nullopt, typed};
}

std::optional<std::string> ProgramEnds::start(const std::vector<std::string>& programs,
                                              std::function<void()> allEnded,
                                              std::vector<int> excluded) {
    stop();
    programs_ = programs;
    excluded_ = std::move(excluded);
    waiting_.assign(programs.size(), false);
    allEnded_ = std::move(allEnded);
    for (std::size_t index = 0; index < programs_.size(); ++index) {
        if (!wait(index)) {
            stop();
            return tr("そのプログラムは動いていません。");
        }
    }
    return std::nullopt;
}

bool ProgramEnds::wait(std::size_t index) {
    const unsigned generation = generation_;
    ProcessTarget target = processTarget(programs_[index]);
    target.excluded = excluded_;
    waiting_[index] =
        processes_.waitForEnd(target, [this, index, generation] { ended(index, generation); });
    return waiting_[index];
}

void ProgramEnds::ended(std::size_t index, unsigned generation) {
    if (generation != generation_ || index >= waiting_.size())
        return;
    waiting_[index] = false;
    if (!processTarget(programs_[index]).id)
        wait(index);
    if (std::none_of(waiting_.begin(), waiting_.end(), [](bool waiting) { return waiting; })) {
        stop();
        if (auto done = std::exchange(allEnded_, nullptr))
            done();
    }
}

std::string ProgramEnds::names() const {
    std::string joined;
    for (const std::string& program : programs_)
        joined += (joined.empty() ? "" : ", ") + program;
    return joined;
}

void ProgramEnds::stop() {
    ++generation_;
    processes_.cancelWaits();
    waiting_.assign(waiting_.size(), false);
}

} // namespace core
