// A session bus that has stopped working: it takes every connection and
// never says a word.
//
//   startup_silent_bus SOCKET_PATH LIFETIME_SECONDS
//
// Listens on SOCKET_PATH, accepts connections and keeps them open without
// reading or writing, until LIFETIME_SECONDS have passed.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: startup_silent_bus SOCKET_PATH LIFETIME_SECONDS\n", stderr);
        return 2;
    }
    const std::string path = argv[1];
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[2]));

    sockaddr_un name{};
    name.sun_family = AF_UNIX;
    if (path.size() >= sizeof name.sun_path) {
        std::fputs("startup_silent_bus: socket path too long\n", stderr);
        return 2;
    }
    std::memcpy(name.sun_path, path.c_str(), path.size() + 1);
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    unlink(path.c_str());
    if (bind(listener, reinterpret_cast<const sockaddr*>(&name), sizeof name) != 0 || listen(listener, SOMAXCONN) != 0) {
        std::perror("startup_silent_bus");
        return 1;
    }

    std::vector<int> clients;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd entry{listener, POLLIN, 0};
        if (poll(&entry, 1, static_cast<int>(left.count())) > 0) {
            const int client = accept(listener, nullptr, nullptr);
            if (client != -1)
                clients.push_back(client);
        }
    }
    for (const int client : clients)
        close(client);
    unlink(path.c_str());
    return 0;
}
