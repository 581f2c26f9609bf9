#pragma once

#include <QDeadlineTimer>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The few operations the command channel needs of a local (Unix domain) stream socket. Written
// on the system's calls rather than QtNetwork's QLocalSocket: that library and the Kerberos and
// proxy libraries it loads cost the hidden program over a megabyte at every start.

// A descriptor, closed with its owner.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();

private:
    int fd_ = -1;
};

// A socket listening at the path for this user alone, non-blocking; a socket left there (by a
// crashed copy) is replaced. Invalid when the path cannot be listened at.
Descriptor listenAt(const std::string& path);
// A non-blocking socket connected to the one listening at the path, when one does before the
// deadline.
Descriptor connectTo(const std::string& path, const QDeadlineTimer& deadline);
// Whether all of the data went out before the deadline.
bool sendAll(int fd, std::string_view data, const QDeadlineTimer& deadline);
// The next line, its '\n' included, once it has come in full before the deadline and is at most
// `longest` bytes long.
std::optional<std::string> receiveLine(int fd, std::size_t longest, const QDeadlineTimer& deadline);
// The process at the socket's other end, from the socket's credentials.
std::optional<int> peerProcess(int fd);

} // namespace platform
