// What a screen reader reads of the windows through the system's accessibility objects: each
// control's name, the countdown's live line, and the event that announces it. Run under wine on
// a display.
#include "WindowRig.h"
#include "platform/windows/WideText.h"

#include <gtest/gtest.h>
#include <oleacc.h>

namespace {

using namespace testing_support;

// The name a screen reader reads for the control, or "(none)" without an accessible object.
std::string readName(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          IID_IAccessible, reinterpret_cast<void**>(&object))))
        return "(none)";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text;
    if (object->get_accName(self, &name) == S_OK && name != nullptr)
        text = platform::fromWide(name);
    SysFreeString(name);
    object->Release();
    return text;
}

std::vector<std::pair<DWORD, HWND>> heard;
void CALLBACK hear(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD) {
    heard.emplace_back(event, window);
}

struct Com {
    Com() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Com() { CoUninitialize(); }
};

} // namespace

TEST(ReaderNames, EachControlIsNamedAndTheCountdownAnnouncesItself) {
    const Com com;
    WindowRig rig;
    core::SharedState& state = rig.state;
    ui::TForm1& main = rig.main;
    ui::TForm2& countdown = rig.countdown;
    ShowWindow(main.handle(), SW_SHOW);

    // Buttons by their captions, fields by the label placed just before them. (The names given
    // through the annotation service, for the fields without a label, are read by Windows; wine
    // reads the control's own text.)
    const std::pair<HWND, std::string> named[] = {
        {main.SpinEdit1->edit(), "時間"},   {main.SpinEdit2->edit(), "％以下"},
        {main.SpinEdit3->edit(), "分"},     {main.SpinEdit4->edit(), "KB/秒以下"},
        {main.SpinEdit5->edit(), "分"},     {main.Button2->hwnd(), "予約する(B)"},
        {main.Button3->hwnd(), "設定(S)"},  {main.Button4->hwnd(), "トレイに格納"},
        {main.Button1->hwnd(), "開始"},     {main.CheckBox1->hwnd(), "プログラムの終了"},
        {main.RadioButton2->hwnd(), "毎日"}};
    for (const auto& [control, name] : named)
        EXPECT_EQ(readName(control), name);

    const HWINEVENTHOOK hook = SetWinEventHook(0x8019, 0x8019, nullptr, hear, GetCurrentProcessId(),
                                               0, WINEVENT_OUTOFCONTEXT);
    state.PendingAction = core::PowerAction::PowerOff;
    state.settings.ShutDownTime = "31";
    countdown.showCountdown();
    EXPECT_EQ(readName(countdown.SpeedButton1->hwnd()), "キャンセル(C)");
    EXPECT_EQ(readName(countdown.SpeedButton2->hwnd()), "10分延期(L)");
    EXPECT_EQ(ui::controlText(countdown.Label3->hwnd()), "残り31秒");
    countdown.Timer1Timer();
    countdown.Timer1Timer();
    EXPECT_EQ(ui::controlText(countdown.Label3->hwnd()), "残り29秒");
    // The live line announced itself as the countdown appeared and at 30 seconds left, not at 29.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    UnhookWinEvent(hook);
    EXPECT_EQ(heard, (std::vector<std::pair<DWORD, HWND>>{{0x8019, countdown.Label3->hwnd()},
                                                          {0x8019, countdown.Label3->hwnd()}}));

    // The access keys of the buttons that take no focus.
    SendMessageW(countdown.handle(), WM_SYSCHAR, 'c', 0);
    EXPECT_FALSE(countdown.isVisible()) << "Alt+C cancelled nothing";
}
