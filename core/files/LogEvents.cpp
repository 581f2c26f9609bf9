#include "LogEvents.h"

#include "History.h"

#include <array>

namespace core {

namespace {

constexpr int kWarning = 4;
constexpr int kNotice = 5;
constexpr int kInformational = 6;

// The ids never change: a log tool's filters and an administrator's scripts name them.
constexpr std::array<LogEvent, 11> kLogEvents{{
    {history::kCountdown, "7f0fe14cc0994bd2b951cead057349e3", 1, kNotice},
    {history::kCancelled, "b4f8929b899546e08ec06f94d5c95f55", 2, kNotice},
    {history::kPostponed, "519a364234714db09d3b3b8257b2d7c1", 3, kNotice},
    {history::kRequest, "3effad7df07549cdb3bf2075d31d1b0d", 4, kNotice},
    {history::kNotice, "69d24571fc874807a624b4ef6cd045ae", 5, kInformational},
    {history::kMissed, "c6cd2a52ad0a45529b78b2a717aa5c79", 6, kWarning},
    {history::kWatch, "ac2371f1d0934916bcdddabe4612581a", 7, kInformational},
    {history::kWait, "99a83e5d349b42fcb79e8b0df525b3a0", 8, kNotice},
    {history::kCommand, "aa0bc037b7e840e4b41cab4ee201a3a8", 9, kInformational},
    {history::kPolicy, "e79d6248028c4b42a0a602a71c546e6a", 10, kWarning},
    {history::kPreAction, "1c98ab062ef7424e82227decc33d9edd", 11, kNotice},
}};

} // namespace

std::optional<LogEvent> logEventOf(std::string_view event) {
    for (const LogEvent& known : kLogEvents)
        if (known.event == event)
            return known;
    return std::nullopt;
}

} // namespace core
