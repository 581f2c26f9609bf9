#include "LastInputIdle.h"

#include "SystemError.h"
#include "Win32.h"

namespace platform {

std::variant<std::chrono::milliseconds, std::string> LastInputIdle::idleTime() {
    LASTINPUTINFO last{sizeof(LASTINPUTINFO), 0};
    if (GetLastInputInfo(&last) == 0)
        return systemMessage(GetLastError());
    // Both tick counts wrap after 49.7 days; their difference in 32 bits stays right across it.
    const DWORD idle = GetTickCount() - last.dwTime;
    return std::chrono::milliseconds(idle);
}

} // namespace platform
