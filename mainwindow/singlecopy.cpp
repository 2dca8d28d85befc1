#include "mainwindow/singlecopy.h"

#include "platform/settingsstore.h"
#include "platform/singlecopy.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace
{

constexpr int kRetryMs = 200; // a holder that has the name but is not listening yet
const QByteArray kActivateRequest = QByteArrayLiteral("activate\n");

std::unique_ptr<platform::SingleCopyName> newName()
{
    return std::make_unique<platform::SingleCopyName>(platform::SettingsStore("ravo2").location());
}

} // namespace

SingleCopy::SingleCopy(QObject *parent) : QObject(parent), m_name(newName()) {}

SingleCopy::~SingleCopy()
{
    // The server goes while the name is still held, so nothing it removes is a later copy's.
    delete m_server;
    m_server = nullptr;
    m_name.reset();
}

QString SingleCopy::serverName()
{
    return QString::fromStdString(newName()->name());
}

bool SingleCopy::anotherCopyRunning() const
{
    if (holdsName())
        return false;
    const int connection = m_name->connectToHolder();
    if (connection < 0)
        return false;
    QLocalSocket closer;
    closer.setSocketDescriptor(connection); // closes it
    return true;
}

SingleCopy::Claim SingleCopy::claim()
{
    switch (m_name->claim()) {
    case platform::SingleCopyName::Claim::First:
        m_first = true;
        if (const int listener = m_name->takeListener(); listener >= 0)
            serve(listener);
        return Claim::First;
    case platform::SingleCopyName::Claim::Later:
        return Claim::Later;
    case platform::SingleCopyName::Claim::Unavailable:
        break;
    }
    return Claim::Unavailable;
}

void SingleCopy::follow()
{
    if (m_holder || holdsName())
        return;
    const int connection = m_name->connectToHolder();
    if (connection < 0) {
        QTimer::singleShot(kRetryMs, this, &SingleCopy::claimAfterHolder);
        return;
    }
    m_holder = new QLocalSocket(this);
    m_holder->setSocketDescriptor(connection);
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
    return m_first;
}

void SingleCopy::serve(int listener)
{
    m_server = new QLocalServer(this);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this,
                    [this, socket] { readRequests(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            readRequests(socket);
        }
    });
    m_server->listen(listener);
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
    return m_name->askToActivate();
}
