#pragma once

#include <cstdint>
#include <string>

namespace platform
{

// The name by which the copies of the program that one user runs with one settings store find
// each other. POSIX: a lock file and a unix socket in a folder only the user can reach
// ($XDG_RUNTIME_DIR, else a private folder under $TMPDIR or /tmp, else, when another user made
// that one first, under $XDG_CACHE_HOME or ~/.cache); whoever holds the lock is
// the first copy, and a folder another user owns or can write is never trusted. Win32: a named
// mutex of the session, and the running copy's window found by its title.
class SingleCopyName
{
public:
    // What claiming the name found: this copy is the first, another holds it, or none can.
    enum class Claim { First, Later, Unavailable };

    // `store` tells apart runs with settings of their own (the settings store's location).
    explicit SingleCopyName(const std::string &store);
    ~SingleCopyName(); // gives the name up
    SingleCopyName(const SingleCopyName &) = delete;
    SingleCopyName &operator=(const SingleCopyName &) = delete;

    // The name's text: "ravo2-<user id>-<hash of the store>".
    const std::string &name() const { return m_name; }
    // The private folder the name lives in; empty where none can be trusted (or on Win32).
    static std::string folder();
    // The lock file whose holder is the first copy; empty where names are not files.
    std::string lockPath() const;

    // Takes the name in one step, so two copies started together never both become the first.
    // The first copy then listens for "activate" requests (see takeListener).
    Claim claim();
    // The first copy's listening socket, handed over to its caller (who closes it); -1 when this
    // copy is not the first or requests are not sent over sockets here.
    int takeListener();
    // A connection to the running first copy, closed by it when it ends (the caller owns it);
    // -1 when none answers.
    int connectToHolder() const;
    // Asks the running copy to bring its main window forward; false when it could not be asked.
    bool askToActivate() const;

private:
    std::string m_name;        // the name's text
    std::string m_folder;      // where the lock and the socket live
    std::intptr_t m_held = -1; // while this copy holds the name: the lock file's descriptor, or
                               // on Win32 the named mutex's handle
    int m_listener = -1;       // the listening socket until taken
};

} // namespace platform
