#pragma once

#include "Catalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace core {

// The language a locale or language tag names: "en_US.UTF-8" and "en-GB" → "en"; nothing for
// "C", "POSIX" or an empty tag.
std::string languageOfTag(std::string_view tag);

// The languages a Linux session asks for, most wanted first, as gettext reads them: LANGUAGE's
// list, heeded only when the messages' locale (LC_ALL, else LC_MESSAGES, else LANG) is not C,
// then that locale's language.
std::vector<std::string> languagesFromEnvironment(std::string_view language, std::string_view lcAll,
                                                  std::string_view lcMessages,
                                                  std::string_view lang);

// The built-in catalogue of a language; nullptr for the source's language or one with none.
const Catalogue* catalogueFor(std::string_view language);

// The settings' `Language` names the language ("ja", "en"); empty, or one with no catalogue,
// leaves it to the system's languages in order; with none of those built in, the source's.
const Catalogue* chooseCatalogue(std::string_view setting,
                                 const std::vector<std::string>& systemLanguages);

} // namespace core
