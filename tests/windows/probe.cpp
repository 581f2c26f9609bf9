// Reads what the program's windows show, for the end-to-end test under wine; prints UTF-8.
//   probe message TITLE     the text of the visible message box so titled
//   probe dismiss TITLE     closes that box as its OK button does
//   probe system-message N  the system's text for error code N
//   probe hint              the text of the visible tooltip
//   probe menu              succeeds while a pop-up menu is open
//   probe focus             the class and text of the control with the keyboard focus
//   probe state CLASS TITLE hidden, minimised or shown
//   probe minimise CLASS TITLE  minimises the window, as its button does
//   probe close CLASS TITLE     closes the window, as its close box does
//   probe session-end-off CLASS TITLE  what the system sends when a shutdown is called off
//   probe tray-key CLASS TITLE  what the shell sends for Space or Enter on the tray icon
//   probe tray-menu-key CLASS TITLE  what it sends for the menu key (or Shift+F10) on it
//   probe shortcut PATH     the shortcut's target and working folder, joined by "|"
//   probe startup-shortcut TARGET  makes the Startup shortcut of another program file
//   probe env NAME          the variable as a program started now finds it
//   probe squat-pipe N      holds the name of this user's command pipe for N seconds
//   probe idle              a window program that does nothing, as a baseline of wine's costs
//   probe clock-turns N     for N seconds, how many milliseconds after each second's start the
//                           main window's clock label turned
#include "platform/windows/CommandChannel.h"
#include "platform/windows/StartupShortcut.h"
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

// The current tip of a tooltip, or a balloon's text, of another process: its messages take pointers
// into that process, so the request and the answer are put there and read back.
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
    // A balloon tracks its only tool rather than having a current one.
    if (SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(remote)) ||
        SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote))) {
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

// The main window's clock: a label whose text is a time such as "9:05:00".
HWND clockLabel() {
    HWND found = nullptr;
    EnumChildWindows(
        FindWindowW(L"TForm1", L"Brindlewhistmoore"),
        [](HWND child, LPARAM result) -> BOOL {
            const std::wstring text = textOf(child);
            if (text.size() >= 7 && text.size() <= 8 && text[text.size() - 3] == L':' &&
                text[text.size() - 6] == L':') {
                *reinterpret_cast<HWND*>(result) = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

int millisecondOfSecond() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return now.wMilliseconds;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    const std::wstring what = argv[1];
    if ((what == L"message" || what == L"dismiss") && argc == 3) {
        const std::wstring title = argv[2];
        HWND box = visibleWindow(L"#32770", &title);
        if (box == nullptr)
            return 1;
        // As its OK button, whichever window has the keyboard.
        if (what == L"dismiss")
            return PostMessageW(box, WM_COMMAND, IDOK, 0) ? 0 : 1;
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
    if (what == L"focus") {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        if (GetGUIThreadInfo(0, &thread) == FALSE || thread.hwndFocus == nullptr)
            return 1;
        wchar_t kind[64];
        GetClassNameW(thread.hwndFocus, kind, 64);
        print(platform::fromWide(kind) + "\t" + platform::fromWide(textOf(thread.hwndFocus)));
        return 0;
    }
    // A program to wait for, under a name of the test's.
    if (what == L"wait" && argc == 3) {
        Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) * 1000);
        return 0;
    }
    if (what == L"idle") {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = L"TIdle";
        RegisterClassW(&windowClass);
        CreateWindowW(L"TIdle", L"idle", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                      nullptr, nullptr);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0)
            DispatchMessageW(&message);
        return 0;
    }
    if (what == L"clock-turns" && argc == 3) {
        HWND label = clockLabel();
        if (label == nullptr)
            return 1;
        const int seconds = _wtoi(argv[2]);
        std::wstring shown = textOf(label);
        const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
        std::string turns;
        while (GetTickCount64() < end) {
            const std::wstring now = textOf(label);
            if (now != shown) {
                shown = now;
                turns += std::to_string(millisecondOfSecond()) + " ";
            }
            Sleep(1);
        }
        print(turns);
        return 0;
    }
    // Takes the name of this user's command pipe first and keeps it for the given seconds.
    if (what == L"squat-pipe" && argc == 3) {
        HANDLE pipe = CreateNamedPipeW(platform::commandPipeName().c_str(), PIPE_ACCESS_DUPLEX,
                                       PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE, 1, 65536, 65536,
                                       0, nullptr);
        if (pipe == INVALID_HANDLE_VALUE)
            return 1;
        Sleep(static_cast<DWORD>(_wtoi(argv[2])) * 1000);
        CloseHandle(pipe);
        return 0;
    }
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
    if (what == L"startup-shortcut" && argc == 3) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        platform::StartupShortcut(platform::StartupShortcut::startupFolder(),
                                  platform::fromWide(argv[2]))
            .create();
        return 0;
    }
    if ((what == L"state" || what == L"minimise" || what == L"close" ||
         what == L"session-end-off" || what == L"balloon-click" || what == L"tray-key" ||
         what == L"tray-menu-key") &&
        argc == 4) {
        HWND window = FindWindowW(argv[2], argv[3]);
        if (window == nullptr)
            return 1;
        // What the shell sends the icon's owner when its balloon is clicked; wine never does.
        if (what == L"balloon-click")
            return SendMessageW(window, WM_USER + 100, 1, NIN_BALLOONUSERCLICK) == 0 ? 0 : 1;
        // Wine's notification area takes no keys. Posted: the menu they open waits for the user.
        if (what == L"tray-key")
            return PostMessageW(window, WM_USER + 100, 1, NIN_KEYSELECT) ? 0 : 1;
        if (what == L"tray-menu-key")
            return PostMessageW(window, WM_USER + 100, 1, WM_CONTEXTMENU) ? 0 : 1;
        if (what == L"close")
            return SendMessageW(window, WM_CLOSE, 0, 0) == 0 ? 0 : 1;
        if (what == L"session-end-off")
            return SendMessageW(window, WM_ENDSESSION, FALSE, 0) == 0 ? 0 : 1;
        if (what == L"minimise")
            return SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0) == 0 ? 0 : 1;
        print(!IsWindowVisible(window) ? "hidden" : IsIconic(window) ? "minimised" : "shown");
        return 0;
    }
    return 2;
}
