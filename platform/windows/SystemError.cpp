#include "SystemError.h"

#include "WideText.h"

#include <windows.h>

namespace platform {

namespace {

class WindowsCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "windows"; }
    std::string message(int code) const override {
        return systemMessage(static_cast<unsigned long>(code));
    }
};

} // namespace

std::string systemMessage(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0)
        return "error " + std::to_string(code);
    std::wstring_view message(text, length);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r'))
        message.remove_suffix(1);
    std::string utf8 = fromWide(message);
    LocalFree(text);
    return utf8;
}

const std::error_category& windowsCategory() {
    static const WindowsCategory category;
    return category;
}

} // namespace platform
