// Every text of the four windows fits its control in a language whose words run about 40 %
// longer than English, measured as the system draws it (DrawTextW with DT_CALCRECT in the
// control's font). Run under wine on a display.
#include "WindowRig.h"
#include "core/lang/Catalogue.h"
#include "platform/windows/WideText.h"
#include "tests/support/FakeAutostart.h"
#include "ui/win32/Unit3.h"
#include "ui/win32/Unit4.h"

#include <commctrl.h>
#include <gtest/gtest.h>

extern const core::Catalogue kPseudoEnglish;

namespace {

using namespace testing_support;

std::wstring textOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The text's size in the control's font, on one line or broken into lines `width` wide.
SIZE drawn(HWND control, const std::wstring& text, UINT format, int width = 0) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT box{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {box.right - box.left, box.bottom - box.top};
}

struct Misfits {
    std::vector<std::string> found;
    void check(const std::wstring& text, int needs, int has) {
        if (needs > has)
            found.push_back(platform::fromWide(text) + ": needs " + std::to_string(needs) +
                            " px, has " + std::to_string(has));
    }
};

BOOL CALLBACK measure(HWND control, LPARAM misfitsPointer) {
    auto& misfits = *reinterpret_cast<Misfits*>(misfitsPointer);
    wchar_t name[64];
    GetClassNameW(control, name, 64);
    const std::wstring kind = name;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    RECT client;
    GetClientRect(control, &client);
    const std::wstring text = textOf(control);
    const UINT oneLine = DT_SINGLELINE | DT_NOPREFIX;
    if (kind == L"Static" && !text.empty()) {
        if (client.bottom >= 2 * drawn(control, L"X", oneLine).cy)
            misfits.check(text, drawn(control, text, DT_WORDBREAK | DT_NOPREFIX, client.right).cy,
                          client.bottom);
        else
            misfits.check(text, drawn(control, text, oneLine).cx, client.right);
    } else if (kind == L"Button" && !text.empty()) {
        const DWORD type = style & BS_TYPEMASK;
        const bool box = type == BS_AUTOCHECKBOX || type == BS_CHECKBOX ||
                         type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON;
        const int chrome = type == BS_GROUPBOX ? 16
                           : box               ? GetSystemMetrics(SM_CXMENUCHECK) + 4
                                               : 4 * GetSystemMetrics(SM_CXEDGE);
        if ((style & BS_MULTILINE) != 0)
            misfits.check(text, drawn(control, text, DT_WORDBREAK, client.right - chrome).cy,
                          client.bottom);
        else
            misfits.check(text, drawn(control, text, DT_SINGLELINE).cx + chrome, client.right);
    } else if (kind == WC_TABCONTROLW) {
        const int count = static_cast<int>(SendMessageW(control, TCM_GETITEMCOUNT, 0, 0));
        RECT last{};
        SendMessageW(control, TCM_GETITEMRECT, static_cast<WPARAM>(count - 1),
                     reinterpret_cast<LPARAM>(&last));
        misfits.check(L"the tabs", last.right, client.right);
    } else if (kind == WC_LISTVIEWW) {
        HWND header = reinterpret_cast<HWND>(SendMessageW(control, LVM_GETHEADER, 0, 0));
        const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
        for (int column = 0; column < columns; ++column) {
            wchar_t caption[128] = {};
            HDITEMW item{};
            item.mask = HDI_TEXT;
            item.pszText = caption;
            item.cchTextMax = 128;
            SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column),
                         reinterpret_cast<LPARAM>(&item));
            const int width = static_cast<int>(
                SendMessageW(control, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
            misfits.check(caption,
                          static_cast<int>(SendMessageW(control, LVM_GETSTRINGWIDTHW, 0,
                                                        reinterpret_cast<LPARAM>(caption))) +
                              12,
                          width);
        }
    }
    return TRUE;
}

std::vector<std::string> misfitsOf(HWND window) {
    Misfits misfits;
    EnumChildWindows(window, measure, reinterpret_cast<LPARAM>(&misfits));
    return misfits.found;
}

} // namespace

TEST(WindowFit, EveryTextFitsInALongerLanguage) {
    const core::LanguageScope language(&kPseudoEnglish);
    WindowRig rig;
    core::SharedState& state = rig.state;
    ui::TForm1& main = rig.main;
    ui::TForm2& countdown = rig.countdown;
    FakeAutostart autostart;
    ui::TForm3 settings(
        {state.settings, rig.files, "Brindlewhistmoore.ini", rig.prompter, autostart});
    ui::TForm4 list(rig.prompter);
    main.attachSettingsDialog(settings);
    main.attachPolicyList(list);
    settings.create(main.handle());
    list.create(main.handle());
    settings.showDialog();
    state.PendingAction = core::PowerAction::ForcedPowerOff;
    state.settings.ShutDownTime = "120";
    countdown.showCountdown();
    list.showList({{"管理者の予約30 (10分延期)", "毎週月～土", "午後10時00分", "強制再起",
                    "2026/12/24 22:00"}},
                  "");
    for (HWND window : {main.handle(), countdown.handle(), settings.handle(), list.handle()})
        for (const std::string& misfit : misfitsOf(window))
            ADD_FAILURE() << misfit;
}
