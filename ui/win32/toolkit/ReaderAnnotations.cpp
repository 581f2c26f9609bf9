#include "ReaderAnnotations.h"

#include "platform/windows/WideText.h"

#include <initguid.h>
#include <oleacc.h>

namespace ui {

namespace {

// Missing from mingw-w64's headers: the UI Automation property that makes an element a live
// region, and the event that says it changed.
DEFINE_GUID(kLiveSettingProperty, 0xc12bcd8e, 0x2a8e, 0x4950, 0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d,
            0x58, 0xeb);
constexpr DWORD kLiveRegionChanged = 0x8019;
constexpr LONG kPolite = 1;

} // namespace

ReaderAnnotations::ReaderAnnotations() {
    void* service = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, &service)))
        service_ = static_cast<IAccPropServices*>(service);
}

ReaderAnnotations::~ReaderAnnotations() {
    if (service_ != nullptr)
        service_->Release();
}

void ReaderAnnotations::name(HWND control, std::string_view name) {
    nameItem(control, CHILDID_SELF, name);
}

void ReaderAnnotations::nameItem(HWND control, LONG child, std::string_view name) {
    if (service_ != nullptr)
        service_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT),
                                 static_cast<DWORD>(child), PROPID_ACC_NAME,
                                 platform::toWide(name).c_str());
}

void ReaderAnnotations::describe(HWND control, std::string_view description) {
    if (service_ == nullptr)
        return;
    // No description gives the control's own back.
    if (description.empty()) {
        MSAAPROPID property = PROPID_ACC_DESCRIPTION;
        service_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &property,
                                 1);
        return;
    }
    service_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                             PROPID_ACC_DESCRIPTION, platform::toWide(description).c_str());
}

void ReaderAnnotations::setRole(HWND control, LONG role) {
    if (service_ == nullptr)
        return;
    VARIANT value{};
    value.vt = VT_I4;
    value.lVal = role;
    service_->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE,
                          value);
}

void ReaderAnnotations::makeLive(HWND control) {
    if (service_ == nullptr)
        return;
    VARIANT setting{};
    setting.vt = VT_I4;
    setting.lVal = kPolite;
    service_->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                          kLiveSettingProperty, setting);
}

void ReaderAnnotations::announce(HWND control, std::string_view text) {
    name(control, text);
    NotifyWinEvent(kLiveRegionChanged, control, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace ui
