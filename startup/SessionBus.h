// A quick check, before anything connects to it, that the desktop session's
// message bus answers at all.
//
// Qt's accessibility bridge connects to the session bus while the first
// window is being made and waits for its answer without a time limit: a bus
// daemon that accepts connections but never answers would keep the program
// from ever showing a window. checkSessionBus() finds the socket the bus
// library would connect to, the way it would find it, sends the first line
// of its authentication handshake and waits a short, fixed time for any
// answer line.
//
// Plain POSIX; no Qt, so it can run before the application object exists.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace tellumo::SessionBus {

// How long the bus may take to accept the connection and answer the first
// line; a bus daemon answers within a millisecond when it works at all.
inline constexpr std::chrono::milliseconds AnswerTimeout{1000};

// The variable that names the bus's addresses, and a value the bus library
// rejects at once, so that everything in the process runs without a bus.
inline constexpr char AddressVariable[] = "DBUS_SESSION_BUS_ADDRESS";
inline constexpr char DisabledAddress[] = "disabled:";

// One entry of an address list: "unix:path=/run/user/1000/bus,guid=…".
struct Address {
    enum class Kind {
        UnixPath,     // a socket in the file system
        UnixAbstract, // a socket in Linux's abstract name space
        Other,        // a transport this check does not speak (tcp:, autolaunch:, …)
        Invalid,      // no transport, or a unix: entry without a usable socket name
    };
    Kind kind = Kind::Invalid;
    std::string socket; // the socket's name, unescaped, for the two unix kinds
    std::string text;   // the entry as written
};

// Splits a ';'-separated address list into its entries and decodes the
// socket name of the unix ones (values are %-escaped).
std::vector<Address> parseAddresses(std::string_view list);

enum class Reply {
    Answered,    // an answer line came back in time
    Silent,      // connected, or still connecting, but no answer in time
    Unreachable, // no such socket, connection refused, or closed without an answer
};

// Connects to one unix-socket address and waits up to `timeout` for the
// answer to the start of an authentication handshake.
Reply probe(const Address& address, std::chrono::milliseconds timeout);

struct Verdict {
    bool silent = false;  // true: connecting to the bus would hang
    std::string address;  // the address found silent
};

// The verdict on the bus the bus library would use, given the values of
// DBUS_SESSION_BUS_ADDRESS and XDG_RUNTIME_DIR (null when unset). Like the
// library, tries the listed addresses in order until one connects; with no
// list, the socket "bus" in the runtime directory. A transport the check
// cannot speak, or no bus at all, gives "not silent": the library fails
// fast there or it is out of this check's reach.
Verdict checkSessionBus(const char* busAddress, const char* runtimeDir,
                        std::chrono::milliseconds timeout = AnswerTimeout);

} // namespace tellumo::SessionBus
