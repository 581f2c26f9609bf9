#include "RegistryPolicySource.h"

#include "WideText.h"
#include "core/lang/Catalogue.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace platform {

namespace {

constexpr const wchar_t* kPolicies = L"Software\\Policies";
constexpr const wchar_t* kOwnKey = L"Software\\Policies\\Brindlewhistmoore";

struct Root {
    HKEY key;
    const char* name;
};
// The machine's first: it outranks the user's.
const std::array<Root, 2> kRoots{{{HKEY_LOCAL_MACHINE, "HKLM"}, {HKEY_CURRENT_USER, "HKCU"}}};

// The key's values, name and raw data; REG_SZ data as UTF-8 without its terminator.
struct Value {
    std::string name;
    DWORD type;
    std::vector<BYTE> data;
};

std::vector<Value> valuesOf(HKEY key) {
    std::vector<Value> values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        BYTE data[2048];
        DWORD size = sizeof data;
        DWORD type = 0;
        const LSTATUS status =
            RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &size);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            continue; // a name or value too long for any policy: left out
        values.push_back({fromWide({name, nameLength}), type, {data, data + size}});
    }
    return values;
}

std::string textOf(const Value& value) {
    std::wstring text(reinterpret_cast<const wchar_t*>(value.data.data()),
                      value.data.size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return fromWide(text);
}

core::PolicyLayer layerOf(HKEY own, const std::string& place) {
    core::PolicyLayer layer;
    layer.place = place;
    for (const Value& value : valuesOf(own)) {
        if (core::policyKeyTakesText(value.name)) {
            if (value.type == REG_SZ || value.type == REG_EXPAND_SZ)
                core::setPolicyText(layer, value.name, textOf(value));
            else
                layer.ignored.push_back(value.name + core::tr(": 文字列ではありません"));
            continue;
        }
        if (value.type != REG_DWORD || value.data.size() != sizeof(DWORD)) {
            layer.ignored.push_back(value.name + core::tr(": DWORD ではありません"));
            continue;
        }
        DWORD number = 0;
        std::memcpy(&number, value.data.data(), sizeof number);
        if (auto reason = core::setPolicyValue(layer, value.name, number))
            layer.ignored.push_back(
                core::ignoredEntry(value.name, std::to_string(number), *reason));
    }
    HKEY bookings = nullptr;
    if (RegOpenKeyExW(own, L"Bookings", 0, KEY_READ, &bookings) == ERROR_SUCCESS) {
        std::vector<std::pair<std::string, std::string>> named;
        for (const Value& value : valuesOf(bookings)) {
            if (value.type == REG_SZ || value.type == REG_EXPAND_SZ)
                named.emplace_back(value.name, textOf(value));
            else
                layer.ignored.push_back("Bookings\\" + value.name +
                                        core::tr(": 文字列ではありません"));
        }
        RegCloseKey(bookings);
        core::setPolicyBookings(layer, named);
    }
    return layer;
}

} // namespace

RegistryPolicySource::RegistryPolicySource() {
    for (std::size_t i = 0; i < kRoots.size(); ++i) {
        Watch& watch = watches_[i];
        if (RegOpenKeyExW(kRoots[i].key, kPolicies, 0, KEY_NOTIFY, &watch.key) != ERROR_SUCCESS) {
            watch.key = nullptr;
            continue;
        }
        watch.changed = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        rearm(watch);
    }
}

RegistryPolicySource::~RegistryPolicySource() {
    for (Watch& watch : watches_) {
        if (watch.key)
            RegCloseKey(watch.key);
        if (watch.changed)
            CloseHandle(watch.changed);
    }
}

void RegistryPolicySource::rearm(Watch& watch) {
    if (watch.key && watch.changed)
        RegNotifyChangeKeyValue(watch.key, TRUE,
                                REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, watch.changed,
                                TRUE);
}

std::optional<std::vector<core::PolicyLayer>> RegistryPolicySource::readIfChanged() {
    bool changed = !read_;
    for (Watch& watch : watches_) {
        if (watch.changed && WaitForSingleObject(watch.changed, 0) == WAIT_OBJECT_0) {
            changed = true;
            rearm(watch);
        }
    }
    if (!changed)
        return std::nullopt;
    read_ = true;
    std::vector<core::PolicyLayer> layers;
    for (const Root& root : kRoots) {
        HKEY own = nullptr;
        if (RegOpenKeyExW(root.key, kOwnKey, 0, KEY_READ, &own) != ERROR_SUCCESS)
            continue;
        layers.push_back(layerOf(own, std::string(root.name) + "\\" + fromWide(kOwnKey)));
        RegCloseKey(own);
    }
    return layers;
}

} // namespace platform
