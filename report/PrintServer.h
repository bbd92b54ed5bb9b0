// Whether the print server answers, asked before anything that lists
// printers. Qt's printing on Linux lists them through the CUPS client
// library, which waits up to a minute for a server that accepts a
// connection and never replies, on the calling thread; asked first, such a
// server costs the window only a short wait, during which it keeps painting.
//
// Data flow: configuredAddress() finds the server the way the client library
// does (CUPS_SERVER, then ServerName in ~/.cups/client.conf and
// /etc/cups/client.conf, then the local socket if it exists, else
// localhost; the port from IPP_PORT or 631); isSilent() connects to it and
// sends one HTTP request from a local event loop.
#pragma once

#include <QString>

#include <chrono>

namespace tellumo::PrintServer {

struct Address {
    // A local socket's path, or empty for host and port.
    QString socketPath;
    QString host;
    quint16 port = 631;

    // As a message names it: the socket's path or "host:port".
    QString shown() const;
};

Address configuredAddress();

// True when nothing answers within `wait`: the connection or the reply
// does not come. A refused connection or a closed one is an answer: the
// client library gives up at once on those by itself.
bool isSilent(const Address& address, std::chrono::milliseconds wait);

} // namespace tellumo::PrintServer
