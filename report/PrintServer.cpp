#include "PrintServer.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace tellumo::PrintServer {

namespace {

// The value of the first "ServerName" line of a client.conf, or empty.
QString serverNameIn(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1String("ServerName"), Qt::CaseInsensitive) && line.size() > 10
            && line[10].isSpace())
            return line.mid(10).trimmed();
    }
    return {};
}

quint16 defaultPort()
{
    bool ok = false;
    const int port = qEnvironmentVariable("IPP_PORT").toInt(&ok);
    return ok && port > 0 && port < 65536 ? quint16(port) : quint16(631);
}

// "/run/cups/cups.sock", "printhost", "printhost:8631", "[::1]:631",
// "printhost/version=1.1".
Address parse(QString name)
{
    Address address;
    address.port = defaultPort();
    if (name.startsWith(u'/')) {
        address.socketPath = name;
        return address;
    }
    name = name.section(u'/', 0, 0);
    // A port after the host; an IPv6 address stands in brackets before it.
    qsizetype colon = -1;
    if (name.startsWith(u'[')) {
        const qsizetype close = name.indexOf(u']');
        if (close > 0 && name.size() > close + 1 && name[close + 1] == u':')
            colon = close + 1;
    } else if (name.count(u':') == 1) {
        colon = name.indexOf(u':');
    }
    if (colon > 0) {
        bool ok = false;
        const int port = name.mid(colon + 1).toInt(&ok);
        if (ok && port > 0 && port < 65536)
            address.port = quint16(port);
        name.truncate(colon);
    }
    if (name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    address.host = name;
    return address;
}

} // namespace

QString Address::shown() const
{
    if (!socketPath.isEmpty())
        return socketPath;
    return host.contains(u':') ? QStringLiteral("[%1]:%2").arg(host).arg(port)
                               : QStringLiteral("%1:%2").arg(host).arg(port);
}

Address configuredAddress()
{
    for (const QString& name : {qEnvironmentVariable("CUPS_SERVER"),
                                serverNameIn(QDir::home().filePath(QStringLiteral(".cups/client.conf"))),
                                serverNameIn(QStringLiteral("/etc/cups/client.conf"))})
        if (!name.trimmed().isEmpty())
            return parse(name.trimmed());
    const QString localSocket = QStringLiteral("/run/cups/cups.sock");
    return parse(QFileInfo::exists(localSocket) ? localSocket : QStringLiteral("localhost"));
}

bool isSilent(const Address& address, std::chrono::milliseconds wait)
{
    QEventLoop loop;
    bool silent = true;
    const auto answered = [&] {
        silent = false;
        loop.quit();
    };
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);

    const QByteArray request = "OPTIONS * HTTP/1.1\r\nHost: " + address.shown().toUtf8() + "\r\n\r\n";
    std::unique_ptr<QIODevice> socket;
    if (!address.socketPath.isEmpty()) {
        auto* local = new QLocalSocket;
        socket.reset(local);
        QObject::connect(local, &QLocalSocket::connected, local, [local, request] { local->write(request); });
        QObject::connect(local, &QLocalSocket::errorOccurred, &loop, answered);
        QObject::connect(local, &QLocalSocket::disconnected, &loop, answered);
        local->connectToServer(address.socketPath);
    } else {
        auto* tcp = new QTcpSocket;
        socket.reset(tcp);
        QObject::connect(tcp, &QTcpSocket::connected, tcp, [tcp, request] { tcp->write(request); });
        QObject::connect(tcp, &QTcpSocket::errorOccurred, &loop, answered);
        QObject::connect(tcp, &QTcpSocket::disconnected, &loop, answered);
        tcp->connectToHost(address.host, address.port);
    }
    QObject::connect(socket.get(), &QIODevice::readyRead, &loop, answered);
    timer.start(wait);
    // Signals from a connection made at once may already have come.
    if (silent)
        loop.exec();
    socket->disconnect();
    socket->close();
    return silent;
}

} // namespace tellumo::PrintServer
