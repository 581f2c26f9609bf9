#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// The texts the user reads. Japanese is the source: each text is looked up by its Japanese
// wording in the catalogue in use, and without one, or without the text in it, the Japanese
// stands. Words the program stores are never looked up.
namespace core {

// Marks a text for the catalogue where it is defined; it is translated where it is shown.
constexpr std::string_view msg(std::string_view text) {
    return text;
}

// Marks a word that stays as it stands in every language: the reservation file's words, the
// command line's words, a language's own name. Never translated.
constexpr std::string_view stored(std::string_view word) {
    return word;
}

// The most forms a counted text takes in a language of the catalogue.
inline constexpr std::size_t kMostPluralForms = 4;

struct CatalogueEntry {
    std::string_view id;
    // The translation; a counted text's forms, the first one the singular's.
    std::array<std::string_view, kMostPluralForms> forms;
};

struct Catalogue {
    // "en", as the settings and the system name the language.
    std::string_view language;
    // The language's own name, as the settings dialog offers it.
    std::string_view name;
    // Sorted by id.
    std::span<const CatalogueEntry> entries;
    // Which of an entry's forms a count takes.
    std::size_t (*pluralForm)(long long count);
};

inline constexpr std::string_view kSourceLanguage = "ja";
inline constexpr std::string_view kSourceLanguageName = stored("日本語");

// The catalogues built into the program, not the source's.
std::span<const Catalogue* const> builtInCatalogues();

// The texts from now on come from `catalogue`; nullptr for the Japanese source.
void useCatalogue(const Catalogue* catalogue);
// "ja", or the language of the catalogue in use.
std::string_view languageInUse();

std::string tr(std::string_view text);
// Each "{0}" to "{9}" replaced by that value; a brace of anything else stays.
std::string fill(std::string_view pattern, std::initializer_list<std::string_view> values);
// The form of the text for `count` (the catalogue's plural rule), its "{0}" the count.
std::string countText(std::string_view one, std::string_view many, long long count);

// The texts in another language while it lives: a command's answers in its sender's language.
class LanguageScope {
public:
    explicit LanguageScope(const Catalogue* catalogue);
    ~LanguageScope();
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    const Catalogue* previous_;
};

// The program's own language again while it lives, inside a command's LanguageScope: what the
// command changes of the program (its history, its windows) stays in the program's words.
class OwnLanguage {
public:
    OwnLanguage();
    ~OwnLanguage();
    OwnLanguage(const OwnLanguage&) = delete;
    OwnLanguage& operator=(const OwnLanguage&) = delete;

private:
    const Catalogue* previous_;
};

} // namespace core
