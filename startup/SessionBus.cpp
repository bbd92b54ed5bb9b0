#include "SessionBus.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tellumo::SessionBus {

namespace {

using Clock = std::chrono::steady_clock;

// Pause between connection attempts while the bus's queue of connections
// waiting to be accepted is full.
constexpr std::chrono::milliseconds FullQueueRetry{10};
// Bytes read at a time while waiting for the end of the answer line.
constexpr std::size_t ReadChunk = 256;

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Undoes the %XX escaping of address values; false on a broken escape.
bool unescape(std::string_view value, std::string& out)
{
    out.clear();
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '%') {
            out += value[i];
            continue;
        }
        if (i + 2 >= value.size())
            return false;
        const int high = hexDigit(value[i + 1]);
        const int low = hexDigit(value[i + 2]);
        if (high < 0 || low < 0)
            return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

Address parseOne(std::string_view entry)
{
    Address address;
    address.text = std::string(entry);
    const std::size_t colon = entry.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return address;
    if (entry.substr(0, colon) != "unix") {
        address.kind = Address::Kind::Other;
        return address;
    }
    std::string_view rest = entry.substr(colon + 1);
    int names = 0;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view pair = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos)
            return {Address::Kind::Invalid, {}, address.text};
        const std::string_view key = pair.substr(0, equals);
        Address::Kind kind;
        if (key == "path")
            kind = Address::Kind::UnixPath;
        else if (key == "abstract")
            kind = Address::Kind::UnixAbstract;
        else if (key == "guid")
            continue;
        else // tmpdir=, dir=, runtime=: only for listening; the library refuses them here
            return {Address::Kind::Invalid, {}, address.text};
        if (++names > 1 || !unescape(pair.substr(equals + 1), address.socket) || address.socket.empty())
            return {Address::Kind::Invalid, {}, address.text};
        address.kind = kind;
    }
    if (names == 0)
        address.kind = Address::Kind::Invalid;
    return address;
}

// Milliseconds left until deadline, never negative; rounded up so that a
// wait does not end just before it.
int millisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Waits for `events` on fd until deadline; false when the time ran out.
bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = poll(&entry, 1, millisecondsLeft(deadline));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

class Socket {
public:
    Socket() : fd_(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)) {}
    ~Socket()
    {
        if (fd_ != -1)
            close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

enum class Connected { Yes, Pending, QueueFull, No };

Connected connectTo(const Socket& socket, const Address& address, Clock::time_point deadline)
{
    sockaddr_un name{};
    name.sun_family = AF_UNIX;
    // An abstract name starts with a zero byte and is as long as given; a
    // path ends with one.
    const std::size_t offset = address.kind == Address::Kind::UnixAbstract ? 1 : 0;
    const std::size_t room = sizeof(name.sun_path) - offset - (offset == 0 ? 1 : 0);
    if (address.socket.size() > room)
        return Connected::No;
    std::memcpy(name.sun_path + offset, address.socket.data(), address.socket.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + address.socket.size()
                                               + (offset == 0 ? 1 : 0));
    for (;;) {
        if (connect(socket.fd(), reinterpret_cast<const sockaddr*>(&name), length) == 0)
            return Connected::Yes;
        if (errno == EINTR)
            continue;
        // EAGAIN: the queue of connections the bus has not accepted yet is
        // full, and the library's blocking connect would wait for room.
        if (errno != EAGAIN)
            return errno == EINPROGRESS ? Connected::Pending : Connected::No;
        if (millisecondsLeft(deadline) == 0)
            return Connected::QueueFull;
        poll(nullptr, 0, std::min(millisecondsLeft(deadline), static_cast<int>(FullQueueRetry.count())));
    }
}

// The first line a client sends: a zero byte, then the request to
// authenticate as the user it runs as, the user id in decimal digits
// written as hexadecimal bytes.
std::string authenticationRequest()
{
    static constexpr char HexDigits[] = "0123456789abcdef";
    std::string request("\0AUTH EXTERNAL ", 15);
    for (const char digit : std::to_string(getuid())) {
        request += HexDigits[static_cast<unsigned char>(digit) >> 4];
        request += HexDigits[static_cast<unsigned char>(digit) & 0xf];
    }
    request += "\r\n";
    return request;
}

bool isProbable(const Address& address)
{
    return address.kind == Address::Kind::UnixPath || address.kind == Address::Kind::UnixAbstract;
}

} // namespace

std::vector<Address> parseAddresses(std::string_view list)
{
    std::vector<Address> addresses;
    while (!list.empty()) {
        const std::size_t semicolon = list.find(';');
        const std::string_view entry = list.substr(0, semicolon);
        if (!entry.empty())
            addresses.push_back(parseOne(entry));
        if (semicolon == std::string_view::npos)
            break;
        list.remove_prefix(semicolon + 1);
    }
    return addresses;
}

Reply probe(const Address& address, std::chrono::milliseconds timeout)
{
    if (!isProbable(address))
        return Reply::Unreachable;
    const Clock::time_point deadline = Clock::now() + timeout;
    const Socket socket;
    if (socket.fd() == -1)
        return Reply::Unreachable;
    switch (connectTo(socket, address, deadline)) {
    case Connected::No:
        return Reply::Unreachable;
    case Connected::QueueFull:
        return Reply::Silent;
    case Connected::Pending: {
        if (!waitFor(socket.fd(), POLLOUT, deadline))
            return Reply::Silent;
        int error = 0;
        socklen_t length = sizeof error;
        if (getsockopt(socket.fd(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)
            return Reply::Unreachable;
        break;
    }
    case Connected::Yes:
        break;
    }

    const std::string request = authenticationRequest();
    std::size_t sent = 0;
    while (sent < request.size()) {
        const ssize_t n = send(socket.fd(), request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n == -1 && (errno == EAGAIN || errno == EINPROGRESS)) {
            if (!waitFor(socket.fd(), POLLOUT, deadline))
                return Reply::Silent;
        } else if (n == -1 && errno == EINTR) {
            continue;
        } else {
            return Reply::Unreachable;
        }
    }

    std::string answer;
    for (;;) {
        if (answer.find("\r\n") != std::string::npos)
            return Reply::Answered;
        if (!waitFor(socket.fd(), POLLIN, deadline))
            return Reply::Silent;
        char chunk[ReadChunk];
        const ssize_t n = recv(socket.fd(), chunk, sizeof chunk, 0);
        if (n > 0)
            answer.append(chunk, static_cast<std::size_t>(n));
        else if (n == 0 || (errno != EINTR && errno != EAGAIN))
            return Reply::Unreachable;
    }
}

Verdict checkSessionBus(const char* busAddress, const char* runtimeDir, std::chrono::milliseconds timeout)
{
    std::vector<Address> addresses;
    if (busAddress && *busAddress) {
        addresses = parseAddresses(busAddress);
    } else if (runtimeDir && *runtimeDir) {
        // The library's own default: the user's socket in the runtime
        // directory, when there is one.
        const std::string path = std::string(runtimeDir) + "/bus";
        struct stat status {};
        if (stat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode) && status.st_uid == getuid())
            addresses.push_back({Address::Kind::UnixPath, path, "unix:path=" + path});
    }

    const auto deadline = Clock::now() + timeout;
    for (const Address& address : addresses) {
        if (address.kind == Address::Kind::Invalid)
            continue;
        if (address.kind == Address::Kind::Other)
            return {};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        switch (probe(address, std::max(left, std::chrono::milliseconds::zero()))) {
        case Reply::Answered:
            return {};
        case Reply::Silent:
            return {true, address.text};
        case Reply::Unreachable:
            break;
        }
    }
    return {};
}

} // namespace tellumo::SessionBus
