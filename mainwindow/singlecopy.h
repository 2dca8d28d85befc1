#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;

namespace platform
{
class SingleCopyName;
}

// Finds a copy of the program already running for this user and asks it to bring its main window
// forward; the first copy listens for those requests. The name is the one a run without windows
// claims too, so a window and a command-line run see each other.
class SingleCopy : public QObject
{
    Q_OBJECT
public:
    explicit SingleCopy(QObject *parent = nullptr);
    ~SingleCopy() override;

    // The name's text: one per user and settings store.
    static QString serverName();

    // What claiming the name found: this copy is the first, another holds it, or none can.
    enum class Claim { First, Later, Unavailable };

    // Takes the name in one step, so two copies started together never both become the first.
    Claim claim();
    // For a copy that runs on without the name: takes the name over when its holder ends, so a
    // copy started later still finds one running.
    void follow();
    bool holdsName() const;          // this copy is the one later copies find
    bool anotherCopyRunning() const; // a running copy answers on the socket
    bool askToActivate() const;      // asks the running copy to raise and activate its window

signals:
    void activationRequested(); // a later copy asked this one to come forward

private:
    void serve(int listener); // answers requests on the claimed name's socket
    void readRequests(QLocalSocket *socket);

    void claimAfterHolder(); // the followed copy ended: claim the name or follow the new holder

    std::unique_ptr<platform::SingleCopyName> m_name; // the name, held while this copy is first
    QLocalServer *m_server = nullptr;                 // listening while this copy is the first
    QLocalSocket *m_holder = nullptr;                 // connection to the holder while following it
    bool m_first = false;                             // this copy claimed the name
};
