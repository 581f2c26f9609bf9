#include "CommandChannel.h"

#include "core/command/Wire.h"
#include "core/lang/Catalogue.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <sddl.h>

namespace platform {

namespace {

constexpr auto kLongestMessage = static_cast<DWORD>(core::kLongestMessage);
constexpr DWORD kPeerPatienceMs = 5000;

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

struct LocalFreer {
    void operator()(void* memory) const { LocalFree(memory); }
};

std::unique_ptr<BYTE[]> userOfProcess(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return nullptr;
    const OwnedHandle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    auto user = std::make_unique<BYTE[]>(size);
    if (!GetTokenInformation(token, TokenUser, user.get(), size, &size))
        return nullptr;
    return user;
}

PSID sidOf(const std::unique_ptr<BYTE[]>& user) {
    return reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid;
}

std::wstring thisUsersSid() {
    const auto user = userOfProcess(GetCurrentProcess());
    wchar_t* text = nullptr;
    if (!user || !ConvertSidToStringSidW(sidOf(user), &text))
        return {};
    const std::unique_ptr<wchar_t, LocalFreer> owned(text);
    return text;
}

bool runsAsThisUser(DWORD processId) {
    const OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return false;
    const auto theirs = userOfProcess(process.get());
    const auto ours = userOfProcess(GetCurrentProcess());
    return theirs && ours && EqualSid(sidOf(theirs), sidOf(ours));
}

// Waits for an overlapped call of the command side for at most `ms`; on a time-out it is
// cancelled. A read of part of a longer message ends with ERROR_MORE_DATA, its bytes counted.
bool completed(HANDLE pipe, BOOL started, OVERLAPPED& overlapped, DWORD ms, DWORD* bytes) {
    if (!started && GetLastError() != ERROR_IO_PENDING && GetLastError() != ERROR_MORE_DATA)
        return false;
    if (WaitForSingleObject(overlapped.hEvent, ms) != WAIT_OBJECT_0) {
        CancelIoEx(pipe, &overlapped);
        GetOverlappedResult(pipe, &overlapped, bytes, TRUE);
        return false;
    }
    return GetOverlappedResult(pipe, &overlapped, bytes, FALSE) != FALSE;
}

} // namespace

std::wstring commandPipeName() {
    return L"\\\\.\\pipe\\Brindlewhistmoore-" + thisUsersSid();
}

core::Delivery sendCommand(const std::vector<std::string>& args, DWORD timeoutMs) {
    // Every wait below shares the one patience.
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    const auto left = [deadline] {
        const ULONGLONG now = GetTickCount64();
        return now >= deadline ? DWORD{0} : static_cast<DWORD>(deadline - now);
    };
    const std::wstring name = commandPipeName();
    OwnedHandle pipe(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    // Busy with another command: a moment, then once more.
    if (pipe.get() == INVALID_HANDLE_VALUE && GetLastError() == ERROR_PIPE_BUSY &&
        WaitNamedPipeW(name.c_str(), std::max(left(), DWORD{1})))
        pipe.reset(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    if (pipe.get() == INVALID_HANDLE_VALUE)
        return {core::Delivery::NotListening, {}};
    ULONG server = 0;
    if (!GetNamedPipeServerProcessId(pipe.get(), &server) || !runsAsThisUser(server))
        return {core::Delivery::Answered,
                {core::kUnreachable, "",
                 core::tr("Brindlewhistmoore のパイプをほかのユーザーのプロセスが持っています。"
                          "コマンドは送りませんでした。") +
                     "\n"}};
    DWORD mode = PIPE_READMODE_MESSAGE;
    SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr);

    const OwnedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.get();
    const std::string request = core::encodeRequest({std::string(core::languageInUse()), args});
    DWORD bytes = 0;
    if (!completed(pipe.get(),
                   WriteFile(pipe.get(), request.data(), static_cast<DWORD>(request.size()),
                             nullptr, &overlapped),
                   overlapped, left(), &bytes))
        return {core::Delivery::Unanswered, {}};
    // From here on the copy may have the command, whatever comes back. A long answer comes in
    // parts of the pipe's buffer.
    std::string answer;
    for (bool whole = false; !whole;) {
        const std::size_t read = answer.size();
        answer.resize(read + kLongestMessage);
        ResetEvent(event.get());
        overlapped = OVERLAPPED{};
        overlapped.hEvent = event.get();
        bytes = 0;
        whole = completed(
            pipe.get(),
            ReadFile(pipe.get(), answer.data() + read, kLongestMessage, nullptr, &overlapped),
            overlapped, left(), &bytes);
        if (!whole && (GetLastError() != ERROR_MORE_DATA || read > core::kLongestAnswer))
            return {core::Delivery::Unanswered, {}};
        answer.resize(read + bytes);
    }
    if (auto decoded = core::decodeAnswer(answer))
        return {core::Delivery::Answered, *decoded};
    return {core::Delivery::Unanswered, {}};
}

CommandPipeServer::CommandPipeServer(HWND window, UINT message)
    : window_(window), message_(message), pipe_(INVALID_HANDLE_VALUE),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    // This user alone, with full access; nobody else, not even the administrators.
    const std::wstring descriptor = L"D:P(A;;GA;;;" + thisUsersSid() + L")";
    PSECURITY_DESCRIPTOR security = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor.c_str(), SDDL_REVISION_1,
                                                              &security, nullptr))
        return;
    const std::unique_ptr<void, LocalFreer> owned(security);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security, FALSE};
    pipe_ = CreateNamedPipeW(
        commandPipeName().c_str(),
        PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
        PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
        kLongestMessage, kLongestMessage, 0, &attributes);
    if (pipe_ == INVALID_HANDLE_VALUE)
        return;
    thread_ = CreateThread(nullptr, 0, &CommandPipeServer::run, this, 0, nullptr);
}

CommandPipeServer::~CommandPipeServer() {
    if (thread_ != nullptr) {
        SetEvent(stop_);
        // The thread may be sending a command to the window of this very thread.
        while (MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE) ==
               WAIT_OBJECT_0 + 1) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        CloseHandle(thread_);
    }
    if (pipe_ != INVALID_HANDLE_VALUE)
        CloseHandle(pipe_);
    CloseHandle(stop_);
}

void CommandPipeServer::answerPending(const Runner& run) {
    if (Call* call = pending_.exchange(nullptr))
        call->answer = run(call->request);
}

DWORD WINAPI CommandPipeServer::run(void* self) {
    static_cast<CommandPipeServer*>(self)->serve();
    return 0;
}

bool CommandPipeServer::finish(BOOL started, OVERLAPPED& overlapped, DWORD ms, DWORD* bytes) {
    if (!started) {
        const DWORD error = GetLastError();
        if (error == ERROR_PIPE_CONNECTED)
            return true;
        if (error != ERROR_IO_PENDING)
            return false;
    }
    const HANDLE events[] = {overlapped.hEvent, stop_};
    if (WaitForMultipleObjects(2, events, FALSE, ms) != WAIT_OBJECT_0) {
        CancelIoEx(pipe_, &overlapped);
        GetOverlappedResult(pipe_, &overlapped, bytes, TRUE);
        return false;
    }
    return GetOverlappedResult(pipe_, &overlapped, bytes, FALSE) != FALSE;
}

void CommandPipeServer::serve() {
    const OwnedHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const auto fresh = [&event] {
        ResetEvent(event.get());
        OVERLAPPED overlapped{};
        overlapped.hEvent = event.get();
        return overlapped;
    };
    while (WaitForSingleObject(stop_, 0) != WAIT_OBJECT_0) {
        DWORD bytes = 0;
        OVERLAPPED overlapped = fresh();
        if (!finish(ConnectNamedPipe(pipe_, &overlapped), overlapped, INFINITE, &bytes)) {
            DisconnectNamedPipe(pipe_);
            continue;
        }
        // A peer that sends nothing, or more than a command, is let go unanswered.
        std::string request(kLongestMessage, '\0');
        overlapped = fresh();
        if (finish(ReadFile(pipe_, request.data(), kLongestMessage, nullptr, &overlapped),
                   overlapped, kPeerPatienceMs, &bytes) &&
            bytes < kLongestMessage) {
            request.resize(bytes);
            std::string answer;
            if (auto decoded = core::decodeRequest(request)) {
                ULONG client = 0;
                if (GetNamedPipeClientProcessId(pipe_, &client))
                    decoded->sender = static_cast<int>(client);
                Call call{std::move(*decoded), std::nullopt};
                pending_ = &call;
                SendMessageW(window_, message_, 0, 0);
                pending_ = nullptr;
                // A window that is gone answers nothing, and nothing is said for it.
                if (call.answer)
                    answer = core::encodeAnswer(*call.answer);
            }
            overlapped = fresh();
            if (!answer.empty() &&
                finish(WriteFile(pipe_, answer.data(), static_cast<DWORD>(answer.size()), nullptr,
                                 &overlapped),
                       overlapped, kPeerPatienceMs, &bytes)) {
                // The answer is read before the peer lets go; a disconnection would drop it.
                char none = 0;
                overlapped = fresh();
                finish(ReadFile(pipe_, &none, 1, nullptr, &overlapped), overlapped, kPeerPatienceMs,
                       &bytes);
            }
        }
        DisconnectNamedPipe(pipe_);
    }
}

} // namespace platform
