#include "ChildCommand.h"

#include "SystemError.h"
#include "WideText.h"
#include "core/lang/Catalogue.h"

#include <shellapi.h>

namespace platform {

namespace {

// Bigger than the default, so that a talkative command seldom waits for the next look.
constexpr DWORD kPipeBytes = 64 * 1024;

// The program's full path, or why the line cannot run.
std::wstring findProgram(const std::wstring& line, std::string& why) {
    if (line.find_first_not_of(L" \t") == std::wstring::npos) {
        why = core::tr("コマンドがありません");
        return {};
    }
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(line.c_str(), &count);
    if (words == nullptr || count == 0) {
        why = systemMessage(GetLastError());
        return {};
    }
    const std::wstring program = words[0];
    LocalFree(static_cast<HLOCAL>(words));
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = SearchPathW(nullptr, program.c_str(), L".exe", static_cast<DWORD>(path.size()),
                               path.data(), nullptr);
    if (length >= path.size()) {
        path.resize(length);
        length = SearchPathW(nullptr, program.c_str(), L".exe", static_cast<DWORD>(path.size()),
                             path.data(), nullptr);
    }
    const DWORD attributes =
        length == 0 ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        why = core::fill(core::tr("{0} が見つかりません"), {fromWide(program)});
        return {};
    }
    path.resize(length);
    return path;
}

// The console's code page, as a console program writes.
std::string fromConsole(const std::string& bytes) {
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_OEMCP, 0, bytes.data(), size, wide.data(), size)));
    return fromWide(wide);
}

} // namespace

ChildCommand::~ChildCommand() {
    stop();
}

std::optional<std::string> ChildCommand::unusable(const std::string& line) const {
    std::string why;
    if (findProgram(toWide(line), why).empty())
        return why;
    return std::nullopt;
}

std::optional<std::string> ChildCommand::start(const std::string& line) {
    stop();
    std::wstring commandLine = toWide(line);
    std::string why;
    const std::wstring program = findProgram(commandLine, why);
    if (program.empty())
        return why;
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&output_, &writeEnd, &inherited, kPipeBytes))
        return systemMessage(GetLastError());
    SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
    HANDLE nothing = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inherited, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nothing;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION started{};
    job_ = CreateJobObjectW(nullptr, nullptr);
    // Suspended until it is in its job: nothing it starts escapes.
    const BOOL made =
        CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr, nullptr, &startup, &started);
    const DWORD error = GetLastError();
    CloseHandle(writeEnd);
    if (nothing != INVALID_HANDLE_VALUE)
        CloseHandle(nothing);
    if (!made) {
        close();
        return systemMessage(error);
    }
    if (job_ != nullptr)
        AssignProcessToJobObject(job_, started.hProcess);
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    written_.clear();
    return std::nullopt;
}

void ChildCommand::drain() {
    DWORD waiting = 0;
    while (output_ != nullptr && PeekNamedPipe(output_, nullptr, 0, nullptr, &waiting, nullptr) &&
           waiting > 0) {
        std::string chunk(waiting, '\0');
        DWORD read = 0;
        if (!ReadFile(output_, chunk.data(), waiting, &read, nullptr) || read == 0)
            return;
        written_.append(chunk, 0, read);
        if (written_.size() > core::kCommandOutputKept)
            written_.erase(0, written_.size() - core::kCommandOutputKept);
    }
}

std::optional<core::CommandEnd> ChildCommand::ended() {
    if (process_ == nullptr)
        return std::nullopt;
    drain();
    if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0)
        return std::nullopt;
    drain();
    DWORD status = 0;
    GetExitCodeProcess(process_, &status);
    core::CommandEnd end{static_cast<int>(status), fromConsole(written_)};
    close();
    return end;
}

void ChildCommand::stop() {
    if (process_ != nullptr && job_ != nullptr) {
        TerminateJobObject(job_, 1);
        WaitForSingleObject(process_, 1000);
    }
    close();
}

void ChildCommand::close() {
    for (HANDLE* handle : {&process_, &job_, &output_}) {
        if (*handle != nullptr)
            CloseHandle(*handle);
        *handle = nullptr;
    }
}

} // namespace platform
