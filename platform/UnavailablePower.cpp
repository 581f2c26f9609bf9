#include "UnavailablePower.h"

#include <cstdio>

namespace platform {

void UnavailablePower::executePowerAction(const std::string& actionCode) {
    std::fprintf(stderr, "Brindlewhistmoore: power action %s is not available\n",
                 actionCode.c_str());
}

} // namespace platform
