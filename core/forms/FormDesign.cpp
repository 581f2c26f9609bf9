#include "FormDesign.h"

namespace core::design {

namespace {

// How wide the windows are in a language, in percent of the design; a language not named here
// takes the last entry's room.
struct LanguageWidth {
    std::string_view language;
    int percent;
};
constexpr std::array<LanguageWidth, 2> kLanguageWidths{{{kSourceLanguage, 100}, {"en", 145}}};

int widthPercent() {
    for (const LanguageWidth& entry : kLanguageWidths)
        if (entry.language == languageInUse())
            return entry.percent;
    return kLanguageWidths.back().percent;
}

} // namespace

int widened(int width) {
    return width * widthPercent() / 100;
}

Rect widened(Rect place) {
    return {widened(place.left), place.top, widened(place.width), place.height};
}

Size widened(Size client) {
    return {widened(client.width), client.height};
}

char accessKeyOf(std::string_view caption) {
    const auto amp = caption.find('&');
    if (amp == std::string_view::npos || amp + 1 == caption.size())
        return 0;
    const char key = caption[amp + 1];
    return key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
}

std::vector<std::string> numberedItems(int count, std::string_view suffix) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        items.push_back((i < 10 ? "0" : "") + std::to_string(i) + std::string(suffix));
    return items;
}

} // namespace core::design
