#include "Unit3.h"

#include "core/SettingsDialog.h"

namespace ui {

namespace {

constexpr COLORREF kBlue = RGB(0x00, 0x00, 0xFF);

bool isTicked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void tick(HWND box, bool ticked) {
    SendMessageW(box, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace

TForm3::TForm3(core::Settings& settings, core::FileStore& files, std::string settingsPath,
               core::Prompter& prompter)
    : Window({L"TForm3", "設定", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_POPUP, 0, 295, 242,
              COLOR_BTNFACE},
             prompter),
      settings_(settings), files_(files), settingsPath_(std::move(settingsPath)) {
    Label2 = add(L"STATIC", "Brindlewhistmoore_Ver5.6", SS_LEFT | SS_NOPREFIX, {81, 12, 0, 0});
    paintText(Label2, kBlue);
    GroupBox1 = add(L"BUTTON", "機能設定", BS_GROUPBOX, {16, 32, 265, 161});
    const DWORD checkBox = BS_AUTOCHECKBOX | WS_TABSTOP;
    CheckBox1 =
        add(L"BUTTON", "予約時刻になるとCPU使用率に", checkBox, {16, 24, 185, 17}, GroupBox1);
    CheckBox2 =
        add(L"BUTTON", "カウントダウン時に音を鳴らす", checkBox, {16, 56, 177, 17}, GroupBox1);
    CheckBox3 = add(L"BUTTON", "タスクトレイアイコンを隠す(起動時に反映)", checkBox | BS_MULTILINE,
                    {16, 88, 241, 25}, GroupBox1);
    HWND field = add(L"EDIT", "30", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, {16, 128, 33, 21},
                     GroupBox1, WS_EX_CLIENTEDGE);
    HWND arrows = add(UPDOWN_CLASSW, "", UDS_ARROWKEYS, {49, 128, 16, 21}, GroupBox1);
    SpinEdit1 = std::make_unique<SpinEdit>(field, arrows, 15, 120);
    Label1 = add(L"STATIC", "秒間の警告を出す(15～120秒)", SS_LEFT | SS_NOPREFIX, {72, 132, 0, 0},
                 GroupBox1);
    // Below the controls it frames, which would otherwise lie under it.
    SetWindowPos(GroupBox1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Button1 = add(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, {152, 208, 57, 25});
    Button2 = add(L"BUTTON", "ｷｬﾝｾﾙ", BS_PUSHBUTTON | WS_TABSTOP, {224, 208, 57, 25});
}

void TForm3::showDialog() {
    if (!isVisible())
        FormShow();
    showInFront();
}

void TForm3::FormShow() {
    centreOnPrimaryScreen();
    const core::SettingsDialogValues values = core::settingsDialogValues(settings_);
    tick(CheckBox1, values.cpuHandOver);
    tick(CheckBox2, values.beep);
    tick(CheckBox3, values.hideTrayIcon);
    SpinEdit1->setValue(values.countdownSeconds);
}

void TForm3::Button1Click() {
    // Enter leaves the focus in the field: correct it as a click on OK would.
    SpinEdit1->left();
    const core::SettingsDialogValues values{isTicked(CheckBox1), isTicked(CheckBox2),
                                            isTicked(CheckBox3), SpinEdit1->value()};
    if (core::acceptSettingsDialog(settings_, values, files_, settingsPath_, prompter_))
        ShowWindow(handle(), SW_HIDE);
}

void TForm3::Button2Click() {
    ShowWindow(handle(), SW_HIDE);
}

LRESULT TForm3::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const auto control = reinterpret_cast<HWND>(lParam);
        // Enter and Escape arrive from the keyboard navigation as IDOK and IDCANCEL with no
        // control, as the buttons carry no dialog IDs.
        const bool enter = control == nullptr && LOWORD(wParam) == IDOK;
        const bool escape = control == nullptr && LOWORD(wParam) == IDCANCEL;
        if (control == SpinEdit1->edit() && HIWORD(wParam) == EN_KILLFOCUS)
            SpinEdit1->left();
        else if (enter || (control == Button1 && HIWORD(wParam) == BN_CLICKED))
            Button1Click();
        else if (escape || (control == Button2 && HIWORD(wParam) == BN_CLICKED))
            Button2Click();
        return 0;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == SpinEdit1->arrows() && header->code == UDN_DELTAPOS)
            return SpinEdit1->stepped(*reinterpret_cast<const NMUPDOWN*>(lParam));
        return 0;
    }
    case WM_CLOSE:
        Button2Click();
        return 0;
    default:
        return handleDefault(message, wParam, lParam);
    }
}

} // namespace ui
