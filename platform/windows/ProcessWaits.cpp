#include "ProcessWaits.h"

#include "WideText.h"

#include <algorithm>
#include <tlhelp32.h>

namespace platform {

namespace {

constexpr UINT kProcessEndedMessage = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"BrindlewhistmooreProcessWaits";

// The user a process runs as is this process's user.
bool sameUser(HANDLE process) {
    const auto userOf = [](HANDLE of, std::vector<BYTE>& buffer) -> PSID {
        HANDLE token = nullptr;
        if (!OpenProcessToken(of, TOKEN_QUERY, &token))
            return nullptr;
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        buffer.resize(size);
        const bool read =
            size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size);
        CloseHandle(token);
        return read ? reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid : nullptr;
    };
    std::vector<BYTE> theirs;
    std::vector<BYTE> ours;
    const PSID them = userOf(process, theirs);
    const PSID us = userOf(GetCurrentProcess(), ours);
    return them != nullptr && us != nullptr && EqualSid(them, us);
}

bool nameMatches(const wchar_t* file, const std::wstring& wanted) {
    const auto equal = [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
    };
    return equal(file, wanted) || equal(file, wanted + L".exe");
}

// Each process of the snapshot: its id and its program file's name.
template <typename Visit> void everyProcess(Visit visit) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        visit(entry.th32ProcessID, entry.szExeFile);
    CloseHandle(snapshot);
}

// A handle to wait on, when the process runs and is this user's.
HANDLE openLive(DWORD id) {
    if (id == GetCurrentProcessId())
        return nullptr;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr)
        return nullptr;
    DWORD code = 0;
    if (!GetExitCodeProcess(process, &code) || code != STILL_ACTIVE || !sameUser(process)) {
        CloseHandle(process);
        return nullptr;
    }
    return process;
}

bool ownLive(DWORD id) {
    HANDLE process = openLive(id);
    if (process != nullptr)
        CloseHandle(process);
    return process != nullptr;
}

} // namespace

// One process waited on; the thread pool's callback gets it as its context.
struct ProcessWaits::Process {
    Process(HWND toWindow, unsigned ofWait, unsigned atIndex, HANDLE handle)
        : window(toWindow), waitId(ofWait), index(atIndex), process(handle) {}
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    HWND window;
    unsigned waitId;
    unsigned index;
    HANDLE process;
    HANDLE wait = nullptr;
    ~Process() {
        // Waits until a callback under way has returned: none comes after.
        if (wait != nullptr)
            UnregisterWaitEx(wait, INVALID_HANDLE_VALUE);
        if (process != nullptr)
            CloseHandle(process);
    }
};

struct ProcessWaits::Wait {
    unsigned id;
    std::vector<std::unique_ptr<Process>> processes;
    std::function<void()> ended;
};

ProcessWaits::ProcessWaits() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &ProcessWaits::windowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ProcessWaits::~ProcessWaits() {
    cancelWaits();
    DestroyWindow(window_);
}

bool ProcessWaits::waitForEnd(const core::ProcessTarget& target, std::function<void()> ended) {
    auto wait = std::make_unique<Wait>();
    wait->id = ++nextWaitId_;
    std::vector<HANDLE> handles;
    const auto excluded = [&target](DWORD id) {
        return std::find(target.excluded.begin(), target.excluded.end(), static_cast<int>(id)) !=
               target.excluded.end();
    };
    if (target.id) {
        if (HANDLE process = excluded(static_cast<DWORD>(*target.id))
                                 ? nullptr
                                 : openLive(static_cast<DWORD>(*target.id)))
            handles.push_back(process);
    } else {
        const std::wstring wanted = toWide(target.name);
        everyProcess([&](DWORD id, const wchar_t* file) {
            if (nameMatches(file, wanted) && !excluded(id))
                if (HANDLE process = openLive(id))
                    handles.push_back(process);
        });
    }
    for (HANDLE handle : handles) {
        auto process = std::make_unique<Process>(
            window_, wait->id, static_cast<unsigned>(wait->processes.size()), handle);
        const auto signalled = [](PVOID context, BOOLEAN) {
            const auto* waited = static_cast<const Process*>(context);
            PostMessageW(waited->window, kProcessEndedMessage, waited->waitId, waited->index);
        };
        if (RegisterWaitForSingleObject(&process->wait, handle, signalled, process.get(), INFINITE,
                                        WT_EXECUTEONLYONCE))
            wait->processes.push_back(std::move(process));
    }
    if (wait->processes.empty())
        return false;
    wait->ended = std::move(ended);
    waits_.push_back(std::move(wait));
    return true;
}

LRESULT CALLBACK ProcessWaits::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message != kProcessEndedMessage)
        return DefWindowProcW(window, message, wParam, lParam);
    if (auto* self = reinterpret_cast<ProcessWaits*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
        self->processEnded(static_cast<unsigned>(wParam), static_cast<unsigned>(lParam));
    return 0;
}

void ProcessWaits::processEnded(unsigned waitId, unsigned processId) {
    const auto at = std::find_if(waits_.begin(), waits_.end(),
                                 [waitId](const auto& wait) { return wait->id == waitId; });
    // A wait cancelled after the end was posted.
    if (at == waits_.end() || processId >= (*at)->processes.size() || !(*at)->processes[processId])
        return;
    (*at)->processes[processId].reset();
    auto& processes = (*at)->processes;
    if (std::any_of(processes.begin(), processes.end(), [](const auto& p) { return p != nullptr; }))
        return;
    // Taken out before it is told: what it does next may start or cancel waits.
    auto ended = std::move((*at)->ended);
    waits_.erase(at);
    ended();
}

void ProcessWaits::cancelWaits() {
    waits_.clear();
}

std::vector<std::string> ProcessWaits::runningNames() const {
    std::vector<std::string> names;
    everyProcess([&](DWORD id, const wchar_t* file) {
        if (ownLive(id))
            names.push_back(fromWide(file));
    });
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

} // namespace platform
