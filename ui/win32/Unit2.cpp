#include "Unit2.h"

namespace ui {

namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr COLORREF kRed = RGB(0xFF, 0x00, 0x00);

// A press on the button must leave the keyboard focus where it was, as with a speed button.
LRESULT CALLBACK keepFocusElsewhere(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR) {
    if (message == WM_SETFOCUS) {
        const auto previous = reinterpret_cast<HWND>(wParam);
        SetFocus(previous != nullptr && previous != button ? previous : GetParent(button));
        return 0;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

} // namespace

TForm2::TForm2(core::SharedState& state, core::Prompter& prompter, std::function<void()> cancelled)
    : Window({L"TForm2", "電源断予告", WS_CAPTION | WS_SYSMENU | WS_POPUP, WS_EX_TOPMOST, 322, 194,
              COLOR_BTNHIGHLIGHT},
             prompter),
      model_(state, *this, std::move(cancelled)) {
    // Wide enough for the longest message at the longest countdown.
    Label1 = add(L"STATIC", "３０秒後にPowerOffします。", SS_LEFT | SS_NOPREFIX, {13, 24, 296, 14});
    Label2 = add(L"STATIC", "キャンセルする場合は、キャンセルボタンを押してください。",
                 SS_LEFT | SS_NOPREFIX, {13, 56, 0, 0});
    paintText(Label1, kRed);
    paintText(Label2, kRed);
    ProgressBar1 = add(PROGRESS_CLASSW, "", 0, {76, 96, 169, 17});
    SendMessageW(ProgressBar1, PBM_SETRANGE32, 0, 30);
    SpeedButton1 = add(L"BUTTON", "キャンセル", BS_PUSHBUTTON, {108, 144, 105, 25});
    SetWindowSubclass(SpeedButton1, keepFocusElsewhere, 1, 0);
}

void TForm2::showCountdown() {
    if (!isVisible()) {
        model_.FormShow();
        centreOnPrimaryScreen();
    }
    showInFront();
}

void TForm2::Timer1Timer() {
    model_.Timer1Timer();
}

void TForm2::SpeedButton1Click() {
    model_.SpeedButton1Click();
}

LRESULT TForm2::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimer1)
            Timer1Timer();
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == SpeedButton1 && HIWORD(wParam) == BN_CLICKED)
            SpeedButton1Click();
        return 0;
    case WM_CLOSE:
        // The close box only hides: the count goes on unseen.
        ShowWindow(handle(), SW_HIDE);
        return 0;
    default:
        return handleDefault(message, wParam, lParam);
    }
}

void TForm2::startTimer() {
    SetTimer(handle(), kTimer1, 1000, nullptr);
    timerRunning_ = true;
}

void TForm2::stopTimer() {
    KillTimer(handle(), kTimer1);
    timerRunning_ = false;
}

void TForm2::showTexts(const std::string& title, const std::string& message) {
    setControlText(handle(), title);
    setControlText(Label1, message);
}

void TForm2::setProgressMaximum(int maximum) {
    SendMessageW(ProgressBar1, PBM_SETRANGE32, 0, maximum);
}

void TForm2::setProgress(int value) {
    SendMessageW(ProgressBar1, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

void TForm2::beep() {
    Beep(2500, 1);
}

void TForm2::hideDialog() {
    ShowWindow(handle(), SW_HIDE);
}

} // namespace ui
