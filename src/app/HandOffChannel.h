#pragma once

#include <QLocalServer>
#include <QObject>

#include <chrono>

class QLocalSocket;
class QString;

// The channel through which a second copy of the program hands its file to the running one.
// The running copy listens on a local socket that only its own user can reach, named after its
// process id, and publishes that id as `MainFrame_Handle`. A new copy pings it, expects the
// ping back, and sends the file's path; the running copy then emits openRequested.
class HandOffChannel : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HandOffChannel)

public:
    // Messages are little-endian 32-bit ids; the open request is followed by a little-endian
    // 32-bit byte count and the UTF-8 path.
    static constexpr quint32 WM_HANDOFF_PING = 0x81F7;
    static constexpr quint32 WM_HANDOFF_OPEN = 0x81F8;
    static constexpr quint32 kMaxPathBytes = 4096;

    // A connection that has not completed its request after staleAfter is dropped.
    explicit HandOffChannel(std::chrono::milliseconds staleAfter = std::chrono::seconds(5),
                            QObject *parent = nullptr);

    // Listens and publishes this copy for later ones. When the channel cannot listen, that is
    // traced and nothing is published, so later copies start normally.
    bool registerMainWindow();

    // In a new copy: hands the path, made absolute, to the running copy. False when there is
    // none, it does not answer the ping within 3 s, or the path cannot be sent; this copy then
    // starts normally.
    static bool handOffToRunningInstance(const QString &path);

signals:
    void openRequested(const QString &path);

private:
    void acceptConnections();
    void watchConnection(QLocalSocket *socket);

    QLocalServer server;
    std::chrono::milliseconds connectionTimeout;
};
