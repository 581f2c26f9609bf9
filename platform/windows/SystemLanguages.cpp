#include "SystemLanguages.h"

#include "WideText.h"
#include "Win32.h"
#include "core/lang/Language.h"

namespace platform {

std::vector<std::string> systemLanguages() {
    ULONG count = 0;
    ULONG size = 0;
    std::vector<std::string> languages;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0)
        return languages;
    std::wstring names(size, L'\0');
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size))
        return languages;
    // "en-US\0ja-JP\0\0"
    for (std::size_t at = 0; at < names.size() && names[at] != L'\0';) {
        const std::size_t end = names.find(L'\0', at);
        if (end == std::wstring::npos)
            break;
        if (std::string language = core::languageOfTag(fromWide(names.substr(at, end - at)));
            !language.empty())
            languages.push_back(std::move(language));
        at = end + 1;
    }
    return languages;
}

} // namespace platform
