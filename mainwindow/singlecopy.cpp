#include "mainwindow/singlecopy.h"

#include "platform/settingsstore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace
{

constexpr int kConnectTimeoutMs = 1000;
constexpr int kRetryMs = 200; // a holder that has the name but is not listening yet
const QByteArray kActivateRequest = QByteArrayLiteral("activate\n");

QLocalSocket *connectedSocket(QObject *parent)
{
    auto *socket = new QLocalSocket(parent);
    // Linux: the abstract namespace leaves no socket file behind after a crash; ignored elsewhere.
    socket->setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket->connectToServer(SingleCopy::serverName());
    if (!socket->waitForConnected(kConnectTimeoutMs)) {
        delete socket;
        return nullptr;
    }
    return socket;
}

} // namespace

SingleCopy::SingleCopy(QObject *parent) : QObject(parent) {}

QString SingleCopy::serverName()
{
    // The user id keeps users apart (where the system has none, the user name does); the store's
    // location keeps apart runs with settings of their own.
    const qint64 owner = static_cast<qint64>(QFileInfo(QDir::homePath()).ownerId());
    const QByteArray user = qEnvironmentVariable("USERNAME", qEnvironmentVariable("USER")).toUtf8();
    const std::string store = platform::SettingsStore("ravo2").location();
    const QByteArray digest = QCryptographicHash::hash(
        user + '\n' + QByteArray::fromStdString(store), QCryptographicHash::Sha1);
    return QStringLiteral("ravo2-%1-%2")
        .arg(owner)
        .arg(QString::fromLatin1(digest.toHex().left(12)));
}

bool SingleCopy::anotherCopyRunning() const
{
    QLocalSocket *socket = connectedSocket(nullptr);
    delete socket;
    return socket != nullptr;
}

SingleCopy::Claim SingleCopy::claim()
{
    if (anotherCopyRunning())
        return Claim::Later;
    const QString name = serverName();
    if (listen(name))
        return Claim::First;
    if (m_server->serverError() != QAbstractSocket::AddressInUseError)
        return Claim::Unavailable;
    // The name is taken: by a copy that started with this one, or, where names are files, by
    // the file a crashed copy left behind, which no one answers on.
    if (anotherCopyRunning())
        return Claim::Later;
    QLocalServer::removeServer(name);
    if (listen(name))
        return Claim::First;
    return m_server->serverError() == QAbstractSocket::AddressInUseError ? Claim::Later
                                                                         : Claim::Unavailable;
}

void SingleCopy::follow()
{
    if (m_holder || holdsName())
        return;
    m_holder = connectedSocket(this);
    if (!m_holder) {
        QTimer::singleShot(kRetryMs, this, &SingleCopy::claimAfterHolder);
        return;
    }
    connect(m_holder, &QLocalSocket::disconnected, this, &SingleCopy::claimAfterHolder,
            Qt::QueuedConnection);
}

void SingleCopy::claimAfterHolder()
{
    if (m_holder) {
        m_holder->deleteLater();
        m_holder = nullptr;
    }
    if (claim() == Claim::Later)
        follow();
}

bool SingleCopy::holdsName() const
{
    return m_server && m_server->isListening();
}

bool SingleCopy::listen(const QString &name)
{
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *socket = m_server->nextPendingConnection()) {
                connect(socket, &QLocalSocket::readyRead, this,
                        [this, socket] { readRequests(socket); });
                connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
                readRequests(socket);
            }
        });
    }
    return m_server->listen(name);
}

void SingleCopy::readRequests(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        if (socket->readLine() == kActivateRequest)
            emit activationRequested();
    }
}

bool SingleCopy::askToActivate() const
{
    QLocalSocket *socket = connectedSocket(nullptr);
    if (!socket)
        return false;
    socket->write(kActivateRequest);
    const bool sent = socket->waitForBytesWritten(kConnectTimeoutMs);
    socket->disconnectFromServer();
    delete socket;
    return sent;
}
