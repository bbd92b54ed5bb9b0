// The session-bus check against sockets that answer, stay silent, refuse or
// hang up, and against a real bus daemon where one is installed.
#include "SessionBus.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <signal.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace tellumo::SessionBus {
namespace {

using namespace std::chrono_literals;
using Kind = Address::Kind;

// Short enough to keep the silent cases quick, long enough for a loaded
// machine to answer in time.
constexpr std::chrono::milliseconds TestTimeout = 200ms;
// How much later than its timeout a silent probe may come back.
constexpr std::chrono::milliseconds Slack = 500ms;

TEST(SessionBusAddresses, ParsesEntriesTheWayTheBusLibraryReadsThem)
{
    const auto expectParsed = [](const char* list, const std::vector<std::pair<Kind, std::string>>& expected) {
        SCOPED_TRACE(list);
        const std::vector<Address> addresses = parseAddresses(list);
        ASSERT_EQ(addresses.size(), expected.size());
        for (std::size_t i = 0; i < addresses.size(); ++i) {
            EXPECT_EQ(addresses[i].kind, expected[i].first) << "entry " << i;
            EXPECT_EQ(addresses[i].socket, expected[i].second) << "entry " << i;
        }
    };
    expectParsed("unix:path=/run/user/1000/bus", {{Kind::UnixPath, "/run/user/1000/bus"}});
    expectParsed("unix:path=/tmp/a%20b%2cc,guid=0123abcd", {{Kind::UnixPath, "/tmp/a b,c"}});
    expectParsed("unix:guid=1,abstract=/tmp/dbus-x", {{Kind::UnixAbstract, "/tmp/dbus-x"}});
    expectParsed("unix:path=/a;;unix:abstract=b;", {{Kind::UnixPath, "/a"}, {Kind::UnixAbstract, "b"}});
    expectParsed("", {});
    // Transports the check does not try.
    for (const char* other : {"tcp:host=localhost,port=1234", "autolaunch:", "disabled:"})
        expectParsed(other, {{Kind::Other, ""}});
    // Listen-only keys, no socket, both sockets, empty or broken escapes, no transport.
    for (const char* invalid : {"unix:tmpdir=/tmp", "unix:guid=1", "unix:path=/a,abstract=b", "unix:path=",
                                "unix:path=/a%zz", "unix:path=/a%4", "unix:path", "no-transport", ":path=/a"})
        expectParsed(invalid, {{Kind::Invalid, ""}});
}

// A listening socket in a private folder (or, for `abstract`, in the
// abstract name space). Connections queue up until accepted; what happens
// to them depends on the test.
class Listener {
public:
    explicit Listener(bool abstract = false, int backlog = SOMAXCONN)
    {
        char folder[] = "/tmp/tellumo-bus-XXXXXX";
        folder_ = mkdtemp(folder);
        const std::string path = folder_ + "/bus";
        address_ = abstract ? "unix:abstract=" + path : "unix:path=" + path;
        fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un name{};
        name.sun_family = AF_UNIX;
        const std::size_t offset = abstract ? 1 : 0;
        std::memcpy(name.sun_path + offset, path.data(), path.size());
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
        if (bind(fd_, reinterpret_cast<const sockaddr*>(&name), length) != 0 || listen(fd_, backlog) != 0)
            ADD_FAILURE() << "cannot listen on " << address_ << ": " << std::strerror(errno);
    }
    ~Listener()
    {
        close(fd_);
        std::filesystem::remove_all(folder_);
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    int fd() const { return fd_; }
    const std::string& address() const { return address_; }
    const std::string& folder() const { return folder_; }
    Address parsed() const { return parseAddresses(address_).front(); }

private:
    std::string folder_;
    std::string address_;
    int fd_ = -1;
};

// Accepts one connection, reads the client's first line and then answers
// with `reply`, or hangs up at once when `reply` is empty.
class AnsweringBus : public Listener {
public:
    explicit AnsweringBus(std::string reply)
        : server_([this, reply = std::move(reply)] {
              const int client = accept(fd(), nullptr, nullptr);
              if (client == -1)
                  return;
              if (!reply.empty()) {
                  char byte;
                  while (recv(client, &byte, 1, 0) == 1) {
                      request_ += byte;
                      if (request_.ends_with("\r\n"))
                          break;
                  }
                  send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
              }
              close(client);
          })
    {
    }
    ~AnsweringBus()
    {
        shutdown(fd(), SHUT_RDWR); // ends a wait in accept() for a client that never came
        server_.join();
    }
    // The client's first line, read by the time the probe came back.
    const std::string& request() const { return request_; }

private:
    std::string request_;
    std::thread server_;
};

// Runs `probe` and how long it took.
template <typename F>
auto timed(F&& probe)
{
    const auto start = std::chrono::steady_clock::now();
    auto result = probe();
    return std::pair(result, std::chrono::steady_clock::now() - start);
}

TEST(SessionBusProbe, AnAnswerLineMeansTheBusWorks)
{
    for (const char* reply : {"OK 0123456789abcdef0123456789abcdef\r\n", "REJECTED EXTERNAL\r\n"}) {
        SCOPED_TRACE(reply);
        AnsweringBus bus(reply);
        EXPECT_EQ(probe(bus.parsed(), TestTimeout), Reply::Answered);
        // What a bus daemon expects first: a zero byte, then the request to
        // authenticate as this user, the uid's decimal digits in hex.
        std::string uidHex;
        for (const char digit : std::to_string(getuid())) {
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(digit));
            uidHex += pair;
        }
        EXPECT_EQ(bus.request(), std::string("\0AUTH EXTERNAL ", 15) + uidHex + "\r\n");
    }
}

TEST(SessionBusProbe, SilentForNoAnswerWithinTheTimeout)
{
    const struct {
        const char* name;
        bool abstract;
    } rows[] = {{"socket in a folder", false}, {"abstract socket", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Listener bus(row.abstract); // never accepts, never answers
        const auto [reply, took] = timed([&] { return probe(bus.parsed(), TestTimeout); });
        EXPECT_EQ(reply, Reply::Silent);
        EXPECT_GE(took, TestTimeout);
        EXPECT_LT(took, TestTimeout + Slack);
    }
}

TEST(SessionBusProbe, SilentWhenTheQueueOfUnacceptedConnectionsIsFull)
{
    // The bus library connects without a time limit, so it would wait for
    // room in the queue as long as the bus does not accept.
    const Listener bus(false, 0);
    std::vector<int> waiting;
    for (;;) {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_un name{};
        name.sun_family = AF_UNIX;
        const std::string path = bus.parsed().socket;
        std::memcpy(name.sun_path, path.c_str(), path.size() + 1);
        if (connect(fd, reinterpret_cast<const sockaddr*>(&name), sizeof name) != 0) {
            close(fd);
            break;
        }
        waiting.push_back(fd);
    }
    const auto [reply, took] = timed([&] { return probe(bus.parsed(), TestTimeout); });
    EXPECT_EQ(reply, Reply::Silent);
    EXPECT_GE(took, TestTimeout);
    EXPECT_LT(took, TestTimeout + Slack);
    for (const int fd : waiting)
        close(fd);
}

TEST(SessionBusProbe, UnreachableWhenNothingListensOrTheBusHangsUp)
{
    AnsweringBus hangsUp("");
    const Address nowhere = parseAddresses("unix:path=/nonexistent/tellumo/bus").front();
    const Address tooLong = parseAddresses("unix:path=/" + std::string(200, 'x')).front();
    for (const Address& address : {hangsUp.parsed(), nowhere, tooLong}) {
        SCOPED_TRACE(address.text.substr(0, 60));
        const auto [reply, took] = timed([&] { return probe(address, TestTimeout); });
        EXPECT_EQ(reply, Reply::Unreachable);
        EXPECT_LT(took, TestTimeout);
    }
}

TEST(SessionBusCheck, FollowsTheAddressListLikeTheBusLibrary)
{
    const Listener silent;
    AnsweringBus answers("OK 0123\r\n");
    const std::string missing = "unix:path=/nonexistent/tellumo/bus";
    // Lists in which the library would reach the silent bus: the verdict
    // names the entry from there on.
    const std::pair<const char*, std::string> reachSilent[] = {
        {"silent alone", silent.address()},
        {"silent, with keys", silent.address() + ",guid=0123"},
        {"a missing socket is skipped", missing + ";" + silent.address()},
        {"listen-only entries are skipped", "unix:tmpdir=/tmp;" + silent.address()},
    };
    for (const auto& [name, list] : reachSilent) {
        SCOPED_TRACE(name);
        const Verdict verdict = checkSessionBus(list.c_str(), nullptr, TestTimeout);
        EXPECT_TRUE(verdict.silent);
        EXPECT_EQ(verdict.address, list.substr(list.find(silent.address())));
    }
    // Lists whose search ends before it, or finds nothing at all.
    const std::pair<const char*, std::string> endElsewhere[] = {
        {"the first that connects is used", answers.address() + ";" + silent.address()},
        {"a transport it cannot check ends the search", "tcp:host=localhost,port=1;" + silent.address()},
        {"no bus reachable at all", missing},
        {"disabled", DisabledAddress},
    };
    for (const auto& [name, list] : endElsewhere) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(checkSessionBus(list.c_str(), nullptr, TestTimeout).silent);
    }
}

TEST(SessionBusCheck, WithoutAnAddressUsesTheBusInTheRuntimeDirectory)
{
    const Listener silent; // its socket is named "bus"
    EXPECT_TRUE(checkSessionBus(nullptr, silent.folder().c_str(), TestTimeout).silent);
    EXPECT_TRUE(checkSessionBus("", silent.folder().c_str(), TestTimeout).silent);
    EXPECT_FALSE(checkSessionBus(nullptr, "/nonexistent/tellumo", TestTimeout).silent);
    EXPECT_FALSE(checkSessionBus(nullptr, nullptr, TestTimeout).silent);
}

TEST(SessionBusCheck, ARealBusDaemonAnswers)
{
    // A private session bus; its address and process id come on one pipe.
    FILE* daemon = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null", "r");
    char address[512] = {}, pid[32] = {};
    const bool started = daemon && std::fgets(address, sizeof address, daemon) && std::fgets(pid, sizeof pid, daemon);
    if (daemon)
        pclose(daemon);
    if (!started)
        GTEST_SKIP() << "dbus-daemon is not installed";
    address[std::strcspn(address, "\n")] = '\0';
    const Verdict verdict = checkSessionBus(address, nullptr);
    kill(static_cast<pid_t>(std::atoi(pid)), SIGTERM);
    EXPECT_FALSE(verdict.silent) << address;
}

} // namespace
} // namespace tellumo::SessionBus
