#include "Language.h"

namespace core {

std::string languageOfTag(std::string_view tag) {
    const auto end = tag.find_first_of("_-.@");
    std::string language(tag.substr(0, end));
    for (char& c : language)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (language == "c" || language == "posix")
        return {};
    return language;
}

std::vector<std::string> languagesFromEnvironment(std::string_view language, std::string_view lcAll,
                                                  std::string_view lcMessages,
                                                  std::string_view lang) {
    const std::string_view locale = !lcAll.empty()        ? lcAll
                                    : !lcMessages.empty() ? lcMessages
                                                          : lang;
    const std::string localeLanguage = languageOfTag(locale);
    std::vector<std::string> wanted;
    if (localeLanguage.empty())
        return wanted;
    while (!language.empty()) {
        const auto colon = language.find(':');
        if (std::string entry = languageOfTag(language.substr(0, colon)); !entry.empty())
            wanted.push_back(std::move(entry));
        language =
            colon == std::string_view::npos ? std::string_view() : language.substr(colon + 1);
    }
    wanted.push_back(localeLanguage);
    return wanted;
}

const Catalogue* catalogueFor(std::string_view language) {
    for (const Catalogue* catalogue : builtInCatalogues())
        if (catalogue->language == language)
            return catalogue;
    return nullptr;
}

const Catalogue* chooseCatalogue(std::string_view setting,
                                 const std::vector<std::string>& systemLanguages) {
    if (setting == kSourceLanguage)
        return nullptr;
    if (const Catalogue* chosen = catalogueFor(setting))
        return chosen;
    for (const auto& language : systemLanguages) {
        if (language == kSourceLanguage)
            return nullptr;
        if (const Catalogue* found = catalogueFor(language))
            return found;
    }
    return nullptr;
}

} // namespace core
