#include "app/HandOffChannel.h"

#include "platform/Log.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTimer>
#include <QtEndian>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr auto kHandleValue = u"MainFrame_Handle";
constexpr auto kNewFileValue = u"MainFrame_NewFile";
constexpr std::chrono::milliseconds kAnswerTimeout = std::chrono::seconds(3);
constexpr qsizetype kIdBytes = sizeof(quint32);
constexpr qsizetype kOpenHeaderBytes = 2 * kIdBytes;
// A ping followed by the longest open request.
constexpr qsizetype kMaxRequestBytes = kIdBytes + kOpenHeaderBytes + HandOffChannel::kMaxPathBytes;

SettingsStore handOffStore()
{
    return SettingsStore(u"Sonexa"_s);
}

QString socketPath(quint32 handle)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return QDir(runtime).filePath(u"sonexa-%1"_s.arg(handle));
}

QByteArray encodeNumber(quint32 value)
{
    QByteArray bytes(kIdBytes, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

quint32 decodeNumber(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

// What the bytes at the front of a connection's buffer hold.
struct Request {
    enum Kind { Incomplete, Ping, Open, Malformed } kind = Incomplete;
    qsizetype size = 0;
    QString path;
};

Request malformed()
{
    return {Request::Malformed, 0, {}};
}

Request parseOpen(const QByteArray &buffer)
{
    if (buffer.size() < kOpenHeaderBytes)
        return {};
    const quint32 count = decodeNumber(buffer, kIdBytes);
    if (count == 0 || count > HandOffChannel::kMaxPathBytes)
        return malformed();
    if (buffer.size() < kOpenHeaderBytes + qsizetype(count))
        return {};
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString path = decoder.decode(buffer.sliced(kOpenHeaderBytes, count));
    if (decoder.hasError() || path.contains(QChar::Null))
        return malformed();
    return {Request::Open, kOpenHeaderBytes + qsizetype(count), path};
}

Request parseRequest(const QByteArray &buffer)
{
    if (buffer.size() < kIdBytes)
        return {};
    switch (decodeNumber(buffer, 0)) {
    case HandOffChannel::WM_HANDOFF_PING:
        return {Request::Ping, kIdBytes, {}};
    case HandOffChannel::WM_HANDOFF_OPEN:
        return parseOpen(buffer);
    default:
        return malformed();
    }
}

// What one connection has sent so far. A new copy pings once, then asks once to open.
struct Connection {
    QByteArray buffer;
    bool answered = false;
};

void drop(QLocalSocket *socket, const char *why)
{
    qCDebug(lcSonexa) << "Hand-off connection dropped:" << why;
    socket->abort();
    socket->deleteLater();
}

// Answers the ping and drops a connection that sends anything malformed; returns the path once
// the open request is complete. Reads only what has arrived, so it never waits.
std::optional<QString> serveRequests(QLocalSocket *socket, Connection &connection)
{
    for (;;) {
        connection.buffer += socket->read(kMaxRequestBytes - connection.buffer.size());
        const Request request = parseRequest(connection.buffer);
        switch (request.kind) {
        case Request::Incomplete:
            return std::nullopt;
        case Request::Malformed:
            drop(socket, "malformed request");
            return std::nullopt;
        case Request::Ping:
            if (connection.answered) {
                drop(socket, "second ping");
                return std::nullopt;
            }
            connection.answered = true;
            connection.buffer.remove(0, request.size);
            socket->write(encodeNumber(HandOffChannel::WM_HANDOFF_PING));
            break;
        case Request::Open:
            // Closed before the path is handed on, so a nested event loop in the receiver
            // cannot read this connection again.
            socket->disconnectFromServer();
            return request.path;
        }
    }
}

int remainingMs(const QDeadlineTimer &deadline)
{
    return int(deadline.remainingTime());
}

// True when the channel of the stored handle answers the ping with the ping.
bool pingRunningCopy(QLocalSocket &socket, quint32 handle)
{
    const QDeadlineTimer deadline(kAnswerTimeout);
    socket.connectToServer(socketPath(handle));
    if (!socket.waitForConnected(remainingMs(deadline)))
        return false;
    socket.write(encodeNumber(HandOffChannel::WM_HANDOFF_PING));
    socket.flush();
    QByteArray answer;
    while (answer.size() < kIdBytes) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(remainingMs(deadline)))
            return false;
        answer += socket.read(kIdBytes - answer.size());
    }
    return decodeNumber(answer, 0) == HandOffChannel::WM_HANDOFF_PING;
}

bool sendOpenRequest(QLocalSocket &socket, const QByteArray &utf8Path)
{
    socket.write(encodeNumber(HandOffChannel::WM_HANDOFF_OPEN) + encodeNumber(utf8Path.size()) +
                 utf8Path);
    socket.flush();
    const QDeadlineTimer deadline(kAnswerTimeout);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(remainingMs(deadline)))
            return false;
    }
    socket.disconnectFromServer();
    return true;
}

} // namespace

HandOffChannel::HandOffChannel(std::chrono::milliseconds staleAfter, QObject *parent)
    : QObject(parent)
    , connectionTimeout(staleAfter)
{
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this, &HandOffChannel::acceptConnections);
}

bool HandOffChannel::registerMainWindow()
{
    const quint32 handle = quint32(QCoreApplication::applicationPid());
    const QString path = socketPath(handle);
    // A copy that crashed with this process id left its socket behind.
    QLocalServer::removeServer(path);
    if (!server.listen(path)) {
        qCDebug(lcSonexa) << "Hand-off channel not available:" << server.errorString();
        return false;
    }
    return handOffStore().writeNumber(QString::fromUtf16(kHandleValue), handle);
}

bool HandOffChannel::handOffToRunningInstance(const QString &path)
{
    SettingsStore store = handOffStore();
    store.sync();
    const std::optional<quint32> handle = store.readNumber(QString::fromUtf16(kHandleValue));
    if (!handle || *handle == 0)
        return false;
    // The running copy has a working folder of its own.
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    const QByteArray utf8Path = absolutePath.toUtf8();
    if (utf8Path.isEmpty() || utf8Path.size() > qsizetype(kMaxPathBytes))
        return false;
    QLocalSocket socket;
    if (!pingRunningCopy(socket, *handle))
        return false;
    store.writeText(QString::fromUtf16(kNewFileValue), absolutePath);
    return sendOpenRequest(socket, utf8Path);
}

void HandOffChannel::acceptConnections()
{
    while (QLocalSocket *socket = server.nextPendingConnection())
        watchConnection(socket);
}

void HandOffChannel::watchConnection(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(connectionTimeout, socket,
                       [socket] { drop(socket, "no complete request"); });
    auto connection = std::make_shared<Connection>();
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, connection] {
        if (const std::optional<QString> path = serveRequests(socket, *connection))
            emit openRequested(*path);
    });
}
