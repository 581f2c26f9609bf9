// The installers' helper. It adds the install folder to the user's PATH (HKCU\Environment), or with
// "machine" to the machine's, or takes it off, through the registry's own calls, so that no value
// is ever cut to an installer's string length; "%…%" references stay unexpanded and the value
// keeps its type. And it ends the copies of this user that run from the folder before the files
// go, by a message of their own that nothing of the user's refuses.
// Usage: setuphelper add|remove FOLDER [machine] | close FOLDER. Exit status 0 done (or nothing to
// do), 1 a failure, 2 the value would pass the longest environment value and was left alone.
#include "core/text/PathList.h"
#include "platform/windows/SetupMessage.h"
#include "platform/windows/WideText.h"
#include "platform/windows/Win32.h"

#include <shellapi.h>
#include <string>

namespace {

constexpr int kFailed = 1;
constexpr int kTooLong = 2;
constexpr wchar_t kValue[] = L"Path";
constexpr wchar_t kMachineEnvironment[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

class EnvironmentKey {
public:
    explicit EnvironmentKey(bool machine) {
        opened_ = RegCreateKeyExW(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                                  machine ? kMachineEnvironment : L"Environment", 0, nullptr, 0,
                                  KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                                  nullptr) == ERROR_SUCCESS;
    }
    ~EnvironmentKey() {
        if (opened_)
            RegCloseKey(key_);
    }
    EnvironmentKey(const EnvironmentKey&) = delete;
    EnvironmentKey& operator=(const EnvironmentKey&) = delete;

    bool opened() const { return opened_; }

    // False when the value exists but cannot be read or is not a string.
    bool read(std::wstring& text, DWORD& type) const {
        DWORD size = 0;
        const LSTATUS found = RegQueryValueExW(key_, kValue, nullptr, &type, nullptr, &size);
        if (found == ERROR_FILE_NOT_FOUND) {
            type = REG_EXPAND_SZ;
            text.clear();
            return true;
        }
        if (found != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return false;
        text.assign(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key_, kValue, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                             &size) != ERROR_SUCCESS)
            return false;
        text.resize(size / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return true;
    }

    bool write(const std::wstring& text, DWORD type) const {
        if (text.empty())
            return RegDeleteValueW(key_, kValue) == ERROR_SUCCESS;
        const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key_, kValue, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                              bytes) == ERROR_SUCCESS;
    }

private:
    HKEY key_ = nullptr;
    bool opened_ = false;
};

// Which folder the install put on PATH itself, so that the uninstall takes off only that: a
// folder the user had put there before stays.
constexpr wchar_t kMarkKey[] = L"Software\\Brindlewhistmoore";
constexpr wchar_t kMarkValue[] = L"PathAdded";

bool markedAdded(bool machine, const std::wstring& folder) {
    wchar_t marked[MAX_PATH * 2] = {};
    DWORD size = sizeof marked - sizeof(wchar_t);
    return RegGetValueW(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, kMarkKey, kMarkValue,
                        RRF_RT_REG_SZ, nullptr, marked, &size) == ERROR_SUCCESS &&
           CompareStringOrdinal(marked, -1, folder.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void mark(bool machine, const std::wstring& folder, bool added) {
    const HKEY root = machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    if (added) {
        RegSetKeyValueW(root, kMarkKey, kMarkValue, REG_SZ, folder.c_str(),
                        static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
        return;
    }
    RegDeleteKeyValueW(root, kMarkKey, kMarkValue);
    // Gone with its last value: the program keeps nothing else in the registry.
    RegDeleteKeyW(root, kMarkKey);
}

int change(bool add, const std::string& folder, bool machine) {
    const std::wstring wideFolder = platform::toWide(folder);
    if (!add && !markedAdded(machine, wideFolder))
        return 0;
    const EnvironmentKey key(machine);
    std::wstring stored;
    DWORD type = REG_EXPAND_SZ;
    if (!key.opened() || !key.read(stored, type))
        return kFailed;
    const std::string list = platform::fromWide(stored);
    std::string changed;
    if (add) {
        const auto grown = core::withFolder(list, folder);
        if (!grown)
            return kTooLong;
        changed = *grown;
    } else {
        changed = core::withoutFolder(list, folder);
    }
    if (changed == list) {
        if (!add)
            mark(machine, wideFolder, false);
        return 0;
    }
    if (!key.write(platform::toWide(changed), type))
        return kFailed;
    mark(machine, wideFolder, add);
    // Explorer hands the new value to the programs it starts from now on.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                        reinterpret_cast<LPARAM>(L"Environment"), SMTO_ABORTIFHUNG, 5000, &ignored);
    return 0;
}

// The window's process, open to be waited for, with its program file; no handle when it cannot be
// opened.
struct WindowProcess {
    HANDLE handle = nullptr;
    std::wstring program;
};

WindowProcess processOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    WindowProcess process{OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id),
                          {}};
    if (process.handle == nullptr)
        return process;
    wchar_t path[MAX_PATH * 2];
    DWORD size = MAX_PATH * 2;
    if (QueryFullProcessImageNameW(process.handle, 0, path, &size))
        process.program.assign(path, size);
    return process;
}

// Each main window whose program is FOLDER\Brindlewhistmoore.exe is closed, and its process awaited
// for up to ten seconds, so that its files can go; a copy of another folder runs on.
int closeCopies(const std::wstring& folder) {
    const std::wstring program = folder + L"\\Brindlewhistmoore.exe";
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"TForm1", L"Brindlewhistmoore")) != nullptr) {
        const WindowProcess process = processOf(window);
        if (process.handle == nullptr)
            continue;
        const bool ours = CompareStringOrdinal(process.program.c_str(), -1, program.c_str(), -1,
                                               TRUE) == CSTR_EQUAL;
        DWORD_PTR ignored = 0;
        if (ours)
            SendMessageTimeoutW(window, RegisterWindowMessageW(platform::kEndForSetupMessage), 0, 0,
                                SMTO_ABORTIFHUNG, 5000, &ignored);
        const bool ended = ours && WaitForSingleObject(process.handle, 10000) == WAIT_OBJECT_0;
        CloseHandle(process.handle);
        if (ours && !ended)
            return kFailed;
        if (ours)
            window = nullptr; // the list of windows changed: look again from its start
    }
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (words == nullptr)
        return kFailed;
    const std::wstring verb = count >= 3 ? words[1] : L"";
    std::wstring folder = count >= 3 ? words[2] : L"";
    // An installer's folder ends with a backslash, doubled before the closing quote.
    while (folder.size() > 3 && folder.back() == L'\\')
        folder.pop_back();
    const std::wstring scope = count == 4 ? words[3] : L"";
    LocalFree(words);
    if (folder.empty() || count > 4 || (!scope.empty() && scope != L"machine"))
        return kFailed;
    if (verb == L"close" && scope.empty())
        return closeCopies(folder);
    if (verb != L"add" && verb != L"remove")
        return kFailed;
    return change(verb == L"add", platform::fromWide(folder), scope == L"machine");
}
