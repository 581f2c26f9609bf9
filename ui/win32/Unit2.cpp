#include "Unit2.h"

#include "toolkit/FocusRule.h"

#include <oleacc.h>

namespace ui {

namespace {

namespace d = core::design::form2;

constexpr UINT_PTR kTimer1 = 1;

} // namespace

TForm2::TForm2(core::SharedState& state, core::Prompter& prompter,
               core::CountdownModel::Cancellation cancelled,
               core::CountdownModel::Postponement postponed,
               core::CountdownModel::Finished finished)
    : Window({L"TForm2", d::kTitle, WS_CAPTION | WS_SYSMENU | WS_POPUP, WS_EX_TOPMOST, d::kClient,
              COLOR_BTNHIGHLIGHT},
             prompter),
      model_(state, *this, std::move(cancelled), std::move(postponed), std::move(finished)) {}

void TForm2::buildControls() {
    if (SpeedButton1)
        return;
    Label1 = std::make_unique<Label>(
        add(L"STATIC", d::Label1.text, SS_LEFT | SS_NOPREFIX, d::Label1.place));
    Label2 = std::make_unique<Label>(
        add(L"STATIC", d::Label2.text, SS_LEFT | SS_NOPREFIX, d::Label2.place));
    paintText(Label1->hwnd(), colourRef(d::kTextColour));
    paintText(Label2->hwnd(), colourRef(d::kTextColour));
    ProgressBar1 = std::make_unique<ProgressBar>(add(PROGRESS_CLASSW, "", 0, d::ProgressBar1));
    ProgressBar1->setMaximum(d::kProgressMaximum);
    Label3 = std::make_unique<Label>(add(L"STATIC", "", SS_CENTER | SS_NOPREFIX, d::Label3));
    readers_.makeLive(Label3->hwnd());
    readers_.name(ProgressBar1->hwnd(), core::tr(d::kProgressName));
    readers_.setRole(handle(), ROLE_SYSTEM_DIALOG);
    SpeedButton1 = std::make_unique<Button>(
        add(L"BUTTON", d::SpeedButton1.text, BS_PUSHBUTTON, d::SpeedButton1.place),
        [this] { SpeedButton1Click(); });
    SpeedButton2 = std::make_unique<Button>(
        add(L"BUTTON", d::SpeedButton2.text, BS_PUSHBUTTON, d::SpeedButton2.place),
        [this] { SpeedButton2Click(); });
    keepFocusElsewhere(SpeedButton1->hwnd());
    keepFocusElsewhere(SpeedButton2->hwnd());
}

void TForm2::showCountdown() {
    buildControls();
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

void TForm2::SpeedButton2Click() {
    model_.SpeedButton2Click();
}

LRESULT TForm2::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimer1)
            Timer1Timer();
        return 0;
    case WM_KEYDOWN:
        // The window keeps the keyboard focus: its buttons take none.
        if (wParam == VK_ESCAPE)
            model_.cancel(core::CancelledBy::Escape);
        return 0;
    case WM_SYSCHAR:
        if (pressAccessKey(wParam))
            return 0;
        return handleDefault(message, wParam, lParam);
    case WM_CLOSE:
        model_.FormClose();
        return 0;
    default:
        return handleDefault(message, wParam, lParam);
    }
}

void TForm2::startTimer() {
    SetTimer(handle(), kTimer1, d::kStepMs, nullptr);
}

void TForm2::stopTimer() {
    KillTimer(handle(), kTimer1);
}

void TForm2::showTexts(const std::string& title, const std::string& message) {
    setControlText(handle(), title);
    Label1->setText(message);
}

void TForm2::showHint(const std::string& hint) {
    Label2->setText(hint);
}

void TForm2::limitButtons(std::string_view cancelRefusal, std::string_view postponeRefusal) {
    // The hint line under the message says why; the close box goes grey with キャンセル.
    EnableWindow(SpeedButton1->hwnd(), cancelRefusal.empty() ? TRUE : FALSE);
    EnableWindow(SpeedButton2->hwnd(), postponeRefusal.empty() ? TRUE : FALSE);
    EnableMenuItem(GetSystemMenu(handle(), FALSE), SC_CLOSE,
                   MF_BYCOMMAND | (cancelRefusal.empty() ? MF_ENABLED : MF_GRAYED));
}

void TForm2::setProgressMaximum(int maximum) {
    ProgressBar1->setMaximum(maximum);
}

void TForm2::setProgress(int value) {
    ProgressBar1->setPosition(value);
}

bool TForm2::pressAccessKey(WPARAM character) {
    if (character > 0x7F)
        return false;
    // The letter pressed, in the case the captions' keys are compared in.
    const char key = core::design::accessKeyOf(std::string{'&', static_cast<char>(character)});
    for (const auto& [button, caption] : {std::pair{SpeedButton1.get(), d::SpeedButton1.text},
                                          std::pair{SpeedButton2.get(), d::SpeedButton2.text}}) {
        if (key != 0 && key == core::design::accessKeyOf(core::tr(caption)) &&
            IsWindowEnabled(button->hwnd())) {
            button->command(BN_CLICKED);
            return true;
        }
    }
    return false;
}

void TForm2::showSecondsLeft(const std::string& text) {
    Label3->setText(text);
}

void TForm2::announce(const std::string& text) {
    readers_.announce(Label3->hwnd(), text);
}

void TForm2::describe(const std::string& text) {
    readers_.describe(handle(), text);
}

void TForm2::beep() {
    Beep(2500, 1);
}

void TForm2::hideDialog() {
    ShowWindow(handle(), SW_HIDE);
}

} // namespace ui
