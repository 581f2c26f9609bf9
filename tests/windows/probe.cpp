// Reads what the program's windows show, for the end-to-end test under wine; prints UTF-8.
//   probe message TITLE     the text of the visible message box so titled
//   probe system-message N  the system's text for error code N
//   probe hint              the text of the visible tooltip
//   probe menu              succeeds while a pop-up menu is open
//   probe state CLASS TITLE hidden, minimised or shown
//   probe minimise CLASS TITLE  minimises the window, as its button does
//   probe shortcut PATH     the shortcut's target and working folder, joined by "|"
//   probe env NAME          the variable as a program started now finds it
#include "platform/windows/SystemError.h"
#include "platform/windows/WideText.h"
#include "platform/windows/Win32.h"

#include <cstdlib>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <string>

namespace {

void print(const std::string& text) {
    DWORD written = 0;
    const std::string line = text + "\n";
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
              &written, nullptr);
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The first visible top-level window of the class (and title, when given).
HWND visibleWindow(const wchar_t* windowClass, const std::wstring* title = nullptr) {
    for (HWND window = FindWindowExW(nullptr, nullptr, windowClass, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, windowClass, nullptr))
        if (IsWindowVisible(window) && (title == nullptr || textOf(window) == *title))
            return window;
    return nullptr;
}

// The current tip of a tooltip of another process: its messages take pointers into that process,
// so the request and the answer are put there and read back.
std::wstring hintText(HWND tip) {
    DWORD id = 0;
    GetWindowThreadProcessId(tip, &id);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    if (process == nullptr)
        return {};
    constexpr std::size_t kChars = 256;
    auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr,
                                                     sizeof(TOOLINFOW) + kChars * sizeof(wchar_t),
                                                     MEM_COMMIT, PAGE_READWRITE));
    auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(TOOLINFOW));
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    std::wstring text(kChars, L'\0');
    WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
    if (SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(remote))) {
        ReadProcessMemory(process, remote, &tool, sizeof tool, nullptr);
        tool.lpszText = remoteText;
        WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr);
        SendMessageW(tip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remoteText, text.data(), kChars * sizeof(wchar_t), nullptr);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    text.resize(text.find(L'\0'));
    return text;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    const std::wstring what = argv[1];
    if (what == L"message" && argc == 3) {
        const std::wstring title = argv[2];
        HWND box = visibleWindow(L"#32770", &title);
        if (box == nullptr)
            return 1;
        // A message box shows its text in the static control with this ID.
        print(platform::fromWide(textOf(GetDlgItem(box, 0xFFFF))));
        return 0;
    }
    if (what == L"system-message" && argc == 3) {
        print(platform::systemMessage(std::wcstoul(argv[2], nullptr, 10)));
        return 0;
    }
    if (what == L"hint") {
        HWND tip = visibleWindow(L"tooltips_class32");
        if (tip == nullptr)
            return 1;
        print(platform::fromWide(hintText(tip)));
        return 0;
    }
    if (what == L"menu")
        return visibleWindow(L"#32768") != nullptr ? 0 : 1;
    if (what == L"env" && argc == 3) {
        wchar_t value[MAX_PATH] = {};
        const DWORD length = GetEnvironmentVariableW(argv[2], value, MAX_PATH);
        print(platform::fromWide({value, length < MAX_PATH ? length : 0}));
        return length > 0 && length < MAX_PATH ? 0 : 1;
    }
    if (what == L"shortcut" && argc == 3) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IShellLinkW* link = nullptr;
        IPersistFile* file = nullptr;
        wchar_t target[MAX_PATH] = {};
        wchar_t folder[MAX_PATH] = {};
        const bool read =
            SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IShellLinkW, reinterpret_cast<void**>(&link))) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Load(argv[2], STGM_READ)) &&
            SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
            SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH));
        if (read)
            print(platform::fromWide(target) + "|" + platform::fromWide(folder));
        return read ? 0 : 1;
    }
    if ((what == L"state" || what == L"minimise") && argc == 4) {
        HWND window = FindWindowW(argv[2], argv[3]);
        if (window == nullptr)
            return 1;
        if (what == L"minimise")
            return SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0) == 0 ? 0 : 1;
        print(!IsWindowVisible(window) ? "hidden" : IsIconic(window) ? "minimised" : "shown");
        return 0;
    }
    return 2;
}
