#include "PreActionStep.h"

#include "core/lang/Catalogue.h"
#include "core/text/Cp932.h"

#include <algorithm>

namespace core {

namespace {

// The last line that says something, with no tab or control character left to break the
// history's line, and no byte that is not UTF-8 (a program writing another encoding).
std::string lastLine(const std::string& output) {
    std::size_t end = output.find_last_not_of("\r\n \t");
    if (end == std::string::npos)
        return tr("出力なし");
    const std::size_t start = output.find_last_of('\n', end);
    std::string line = output.substr(start == std::string::npos ? 0 : start + 1,
                                     end + 1 - (start == std::string::npos ? 0 : start + 1));
    const bool utf8 = isNonAsciiUtf8(line);
    for (char& c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f)
            c = ' ';
        else if (byte >= 0x80 && !utf8)
            c = '?';
    }
    return line;
}

} // namespace

std::optional<std::string> PreActionStep::commandLine() {
    const Policy& policy = bookings_.policy().policy();
    userCommand_ = false;
    if (!policy.preActionCommand.value.empty())
        return policy.preActionCommand.value;
    const std::string own = decodeCp932(services_.state.settings.PRECOMMAND);
    if (own.empty())
        return std::nullopt;
    if (!policy.allowUserCommand.value) {
        record(tr("管理者の設定で、利用者のコマンドは実行しません"));
        return std::nullopt;
    }
    userCommand_ = true;
    return own;
}

bool PreActionStep::begin() {
    callsOff_ = false;
    const auto line = commandLine();
    if (services_.commands == nullptr || !line)
        return false;
    startedAt_ = services_.clock.now();
    if (const auto why = services_.commands->start(*line)) {
        failed(fill(tr("始められません: {0}"), {*why}));
        startedAt_.reset();
        return false;
    }
    record(fill(tr("実行します: {0}"), {*line}));
    return true;
}

std::optional<std::string> PreActionStep::step() {
    if (!startedAt_)
        return std::nullopt;
    if (const auto end = services_.commands->ended()) {
        const std::string details =
            fill(tr("終了コード {0}、{1} 秒: {2}"),
                 {std::to_string(end->status), took(), lastLine(end->output)});
        startedAt_.reset();
        if (end->status == 0)
            record(details);
        else
            failed(details);
        return std::nullopt;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::seconds>(services_.clock.now() - *startedAt_);
    const auto left = services_.state.settings.preCommandSeconds() - elapsed.count();
    if (left <= 0) {
        services_.commands->stop();
        const std::string details =
            fill(tr("{0} 秒で終わらないので止めました"),
                 {std::to_string(services_.state.settings.preCommandSeconds())});
        startedAt_.reset();
        failed(details);
        return std::nullopt;
    }
    return fill(tr("実行前のコマンドを待っています(残り{0}秒)"), {std::to_string(left)});
}

void PreActionStep::stop() {
    if (!startedAt_)
        return;
    services_.commands->stop();
    record(fill(tr("{0} 秒で止めました"), {took()}));
    startedAt_.reset();
}

void PreActionStep::failed(const std::string& why) {
    const bool asked = isOn(services_.state.settings.ABORTchange);
    // The user's own command does not call off what the user may not cancel.
    callsOff_ = asked && !(userCommand_ && !services_.state.Limits.cancelAllowed);
    record(callsOff_ ? why + " " + tr("(失敗したので中止します)") : why);
}

void PreActionStep::record(const std::string& details) {
    history_.record(history::kPreAction,
                    actionName(describe(services_.state.PendingAction)) + ": " + details);
}

std::string PreActionStep::took() const {
    // A clock set back meanwhile takes nothing off.
    const auto ms = std::max<long long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(
                                               services_.clock.now() - *startedAt_)
                                               .count());
    return std::to_string(ms / 1000) + "." + std::to_string(ms % 1000 / 100);
}

} // namespace core
