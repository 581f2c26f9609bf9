#include "LocalSocket.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

std::optional<sockaddr_un> addressOf(const std::string& path) {
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return std::nullopt;
    address.sun_family = AF_UNIX;
    std::copy(path.begin(), path.end(), address.sun_path);
    return address;
}

const sockaddr* generic(const sockaddr_un& address) {
    return reinterpret_cast<const sockaddr*>(&address);
}

Descriptor streamSocket() {
    return Descriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
}

// Waits until the socket is ready for the events or the deadline has passed.
bool ready(int fd, short events, const QDeadlineTimer& deadline) {
    pollfd polled{fd, events, 0};
    for (;;) {
        const int result = ::poll(&polled, 1, static_cast<int>(deadline.remainingTime()));
        if (result >= 0 || errno != EINTR)
            return result > 0;
    }
}

} // namespace

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        Descriptor gone(fd_);
        fd_ = other.release();
    }
    return *this;
}

Descriptor::~Descriptor() {
    if (fd_ >= 0)
        ::close(fd_);
}

int Descriptor::release() {
    return std::exchange(fd_, -1);
}

Descriptor listenAt(const std::string& path) {
    const auto address = addressOf(path);
    Descriptor socket = streamSocket();
    if (!address || !socket.valid())
        return {};
    ::unlink(path.c_str());
    // Nobody can connect before listen(): by then the socket is this user's alone.
    if (::bind(socket.get(), generic(*address), sizeof *address) != 0 ||
        ::chmod(path.c_str(), S_IRUSR | S_IWUSR) != 0 || ::listen(socket.get(), SOMAXCONN) != 0)
        return {};
    return socket;
}

Descriptor connectTo(const std::string& path, const QDeadlineTimer& deadline) {
    const auto address = addressOf(path);
    Descriptor socket = streamSocket();
    if (!address || !socket.valid())
        return {};
    // A full backlog (the copy busy with others) is tried again until the deadline.
    while (::connect(socket.get(), generic(*address), sizeof *address) != 0) {
        if ((errno != EAGAIN && errno != EINTR) || deadline.hasExpired())
            return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return socket;
}

bool sendAll(int fd, std::string_view data, const QDeadlineTimer& deadline) {
    while (!data.empty()) {
        const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent > 0)
            data.remove_prefix(static_cast<std::size_t>(sent));
        else if (sent == 0 ||
                 (errno != EINTR && (errno != EAGAIN || !ready(fd, POLLOUT, deadline))))
            return false;
    }
    return true;
}

std::optional<std::string> receiveLine(int fd, std::size_t longest,
                                       const QDeadlineTimer& deadline) {
    std::string received;
    for (;;) {
        const std::size_t end = received.find('\n');
        if (end != std::string::npos)
            return end < longest ? std::optional(received.substr(0, end + 1)) : std::nullopt;
        if (received.size() >= longest)
            return std::nullopt;
        char buffer[4096];
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got > 0)
            received.append(buffer, static_cast<std::size_t>(got));
        else if (got < 0 && errno == EINTR)
            continue;
        else if (got == 0 || errno != EAGAIN || !ready(fd, POLLIN, deadline))
            return std::nullopt;
    }
}

std::optional<int> peerProcess(int fd) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 || credentials.pid <= 0)
        return std::nullopt;
    return credentials.pid;
}

} // namespace platform
