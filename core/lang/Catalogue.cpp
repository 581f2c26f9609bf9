#include "Catalogue.h"

#include <algorithm>

namespace core {

namespace {

const Catalogue* inUse = nullptr;
// The program's own language, whatever a command's sender asks for meanwhile.
const Catalogue* own = nullptr;

const CatalogueEntry* find(std::string_view id) {
    if (inUse == nullptr)
        return nullptr;
    const auto entries = inUse->entries;
    const auto found = std::lower_bound(
        entries.begin(), entries.end(), id,
        [](const CatalogueEntry& entry, std::string_view key) { return entry.id < key; });
    return found != entries.end() && found->id == id ? &*found : nullptr;
}

} // namespace

void useCatalogue(const Catalogue* catalogue) {
    inUse = catalogue;
    own = catalogue;
}

std::string_view languageInUse() {
    return inUse != nullptr ? inUse->language : kSourceLanguage;
}

std::string tr(std::string_view text) {
    const CatalogueEntry* entry = find(text);
    return std::string(entry != nullptr ? entry->forms[0] : text);
}

namespace {

std::string formFor(std::string_view one, std::string_view many, long long count) {
    const CatalogueEntry* entry = find(one);
    if (entry == nullptr)
        return std::string(count == 1 ? one : many);
    const std::size_t form = inUse->pluralForm(count);
    return std::string(form < kMostPluralForms && !entry->forms.at(form).empty()
                           ? entry->forms.at(form)
                           : entry->forms[0]);
}

} // namespace

std::string fill(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
            pattern[i + 1] >= '0' && pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '0');
            if (index < values.size()) {
                out += *(values.begin() + index);
                i += 2;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::string countText(std::string_view one, std::string_view many, long long count) {
    return fill(formFor(one, many, count), {std::to_string(count)});
}

LanguageScope::LanguageScope(const Catalogue* catalogue) : previous_(inUse) {
    inUse = catalogue;
}

LanguageScope::~LanguageScope() {
    inUse = previous_;
}

OwnLanguage::OwnLanguage() : previous_(inUse) {
    inUse = own;
}

OwnLanguage::~OwnLanguage() {
    inUse = previous_;
}

} // namespace core
