#include "SelectorItems.h"

#include "FormDesign.h"
#include "core/book/ReservationTable.h"
#include "core/book/Vocabulary.h"
#include "core/lang/Catalogue.h"
#include "core/power/PowerAction.h"

namespace core {

namespace {

template <typename Texts> std::vector<std::string> toItems(const Texts& texts) {
    return {texts.begin(), texts.end()};
}

} // namespace

std::vector<std::string> selectorItems(Selector selector) {
    switch (selector) {
    case Selector::Period:
        return toItems(design::form1::kPeriodItems);
    case Selector::Hour:
        return toItems(kHourLabels);
    case Selector::Minute:
        return design::numberedItems(60, stored("分"));
    case Selector::Weekdays:
        return toItems(kWeekdayItems);
    case Selector::Action: {
        std::vector<std::string> words;
        words.reserve(kPowerActions.size());
        for (const auto& action : kPowerActions)
            words.emplace_back(action.word);
        return words;
    }
    case Selector::ElapsedMinutes:
        return design::numberedItems(60, "");
    }
    return {};
}

std::vector<std::string> shownSelectorItems(Selector selector) {
    std::vector<std::string> items = selectorItems(selector);
    switch (selector) {
    case Selector::Period:
    case Selector::Weekdays:
    case Selector::Action:
        for (auto& item : items)
            item = tr(item);
        break;
    case Selector::Hour:
    case Selector::Minute:
        for (auto& item : items)
            item = shownWord(selector == Selector::Hour ? HourCell : MinuteCell, item);
        break;
    case Selector::ElapsedMinutes:
        break;
    }
    return items;
}

} // namespace core
