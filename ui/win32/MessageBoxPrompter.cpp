#include "MessageBoxPrompter.h"

#include "core/forms/FormDesign.h"
#include "core/lang/Catalogue.h"
#include "platform/windows/WideText.h"
#include "platform/windows/Win32.h"

namespace ui {

namespace {

HHOOK captionHook = nullptr;

// A yes/no box has no cancel button, so the system ignores Escape; here it answers no.
LRESULT CALLBACK escapeAnswersNo(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && GetDlgItem(box, IDNO) != nullptr) {
        EndDialog(box, IDNO);
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(box, escapeAnswersNo, 1);
    return DefSubclassProc(box, message, wParam, lParam);
}

// Renames the buttons of the box about to be activated, once.
LRESULT CALLBACK captionButtons(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto box = reinterpret_cast<HWND>(wParam);
        SetDlgItemTextW(box, IDYES, platform::toWide(core::tr(core::design::kYes)).c_str());
        SetDlgItemTextW(box, IDNO, platform::toWide(core::tr(core::design::kNo)).c_str());
        SetDlgItemTextW(box, IDOK, L"OK");
        SetWindowSubclass(box, escapeAnswersNo, 1, 0);
        UnhookWindowsHookEx(captionHook);
        captionHook = nullptr;
        return 0;
    }
    return CallNextHookEx(captionHook, code, wParam, lParam);
}

int showBox(const std::string& text, const wchar_t* caption, UINT type) {
    captionHook = SetWindowsHookExW(WH_CBT, captionButtons, nullptr, GetCurrentThreadId());
    // Owned by the window in use, if any, so that the box is modal to it.
    const int answer = MessageBoxW(GetActiveWindow(), platform::toWide(text).c_str(), caption,
                                   type | MB_SETFOREGROUND);
    if (captionHook != nullptr) {
        UnhookWindowsHookEx(captionHook);
        captionHook = nullptr;
    }
    return answer;
}

} // namespace

bool MessageBoxPrompter::askBox(const std::string& question) {
    return showBox(question, platform::toWide(core::tr(core::design::kQuestionTitle)).c_str(),
                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

void MessageBoxPrompter::informBox(const std::string& message) {
    showBox(message, platform::toWide(core::design::kProductName).c_str(), MB_OK);
}

void MessageBoxPrompter::errorBox(const std::string& message) {
    showBox(message, platform::toWide(core::design::kProductName).c_str(), MB_OK | MB_ICONERROR);
}

} // namespace ui
