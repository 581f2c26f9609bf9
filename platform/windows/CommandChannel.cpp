#include "CommandChannel.h"

#include <cstring>
#include <memory>

namespace platform {

namespace {

constexpr wchar_t kReplyClass[] = L"BrindlewhistmooreCommandReply";

struct UserOfToken {
    std::unique_ptr<BYTE[]> buffer;
    PSID sid() const { return reinterpret_cast<TOKEN_USER*>(buffer.get())->User.Sid; }
};

std::optional<UserOfToken> userOf(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return std::nullopt;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    UserOfToken user{std::make_unique<BYTE[]>(size)};
    const bool read =
        GetTokenInformation(token, TokenUser, user.buffer.get(), size, &size) != FALSE;
    CloseHandle(token);
    if (!read)
        return std::nullopt;
    return user;
}

bool runsAsThisUser(HWND window) {
    DWORD id = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &id) == 0)
        return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr)
        return false;
    const auto theirs = userOf(process);
    CloseHandle(process);
    const auto ours = userOf(GetCurrentProcess());
    return theirs && ours && EqualSid(theirs->sid(), ours->sid());
}

LRESULT CALLBACK replyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA)
        return DefWindowProcW(window, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    auto* answer = reinterpret_cast<std::optional<core::CommandAnswer>*>(
        GetWindowLongPtrW(window, GWLP_USERDATA));
    if (data->dwData != kAnswerData || data->cbData < sizeof(std::int32_t) || answer == nullptr)
        return FALSE;
    const std::string bytes(static_cast<const char*>(data->lpData), data->cbData);
    std::int32_t status = 0;
    std::memcpy(&status, bytes.data(), sizeof status);
    const std::string texts = bytes.substr(sizeof status);
    const std::size_t split = texts.find('\0');
    *answer = core::CommandAnswer{status, texts.substr(0, split),
                                  split == std::string::npos ? "" : texts.substr(split + 1)};
    return TRUE;
}

bool sendData(HWND from, HWND to, ULONG_PTR kind, const std::string& bytes, DWORD timeoutMs) {
    COPYDATASTRUCT data{kind, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                               reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, timeoutMs,
                               &result) != 0 &&
           result == TRUE;
}

} // namespace

core::Delivery sendCommand(const wchar_t* windowClass, const wchar_t* title,
                           const std::vector<std::string>& args, DWORD timeoutMs) {
    HWND runningCopy = FindWindowW(windowClass, title);
    if (runningCopy == nullptr)
        return {core::Delivery::NotListening, {}};
    WNDCLASSW replyClass{};
    replyClass.lpfnWndProc = replyProcedure;
    replyClass.hInstance = GetModuleHandleW(nullptr);
    replyClass.lpszClassName = kReplyClass;
    RegisterClassW(&replyClass);
    HWND reply = CreateWindowW(kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (reply == nullptr)
        return {core::Delivery::NotListening, {}};
    std::optional<core::CommandAnswer> answer;
    SetWindowLongPtrW(reply, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&answer));
    std::string joined;
    for (std::size_t i = 0; i < args.size(); ++i)
        joined.append(i == 0 ? "" : std::string(1, '\0')).append(args[i]);
    // The answer arrives while this thread waits in the call.
    sendData(reply, runningCopy, kCommandData, joined, timeoutMs);
    DestroyWindow(reply);
    if (!answer)
        return {core::Delivery::Unanswered, {}};
    return {core::Delivery::Answered, *answer};
}

std::optional<std::vector<std::string>> commandArguments(HWND sender, const COPYDATASTRUCT& data) {
    if (data.dwData != kCommandData || !runsAsThisUser(sender))
        return std::nullopt;
    std::vector<std::string> args;
    const std::string joined(static_cast<const char*>(data.lpData), data.cbData);
    std::size_t start = 0;
    for (std::size_t end; (end = joined.find('\0', start)) != std::string::npos; start = end + 1)
        args.push_back(joined.substr(start, end - start));
    args.push_back(joined.substr(start));
    return args;
}

void sendAnswer(HWND from, HWND to, const core::CommandAnswer& answer) {
    std::string bytes(sizeof(std::int32_t), '\0');
    const auto status = static_cast<std::int32_t>(answer.status);
    std::memcpy(bytes.data(), &status, sizeof status);
    bytes.append(answer.out).append(1, '\0').append(answer.err);
    sendData(from, to, kAnswerData, bytes, 5000);
}

} // namespace platform
