#pragma once

#include "core/base/Autostart.h"

#include <system_error>

namespace testing_support {

// An autostart entry in memory: none, this copy's, or another copy's.
class FakeAutostart : public core::Autostart {
public:
    enum class Entry { None, ThisCopy, OtherCopy };

    std::optional<std::string> startFolder() const override {
        return entry == Entry::ThisCopy ? std::optional<std::string>("/start") : std::nullopt;
    }
    void create() override {
        refuseIfTold();
        entry = Entry::ThisCopy;
        ++changes;
    }
    void remove() override {
        refuseIfTold();
        entry = Entry::None;
        ++changes;
    }

    Entry entry = Entry::None;
    int changes = 0;
    bool refuse = false;

private:
    void refuseIfTold() const {
        if (refuse)
            throw std::system_error(EACCES, std::generic_category(), "autostart");
    }
};

} // namespace testing_support
