#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>

namespace testing_support
{

// A private smbd on 127.0.0.1 serving one folder as the guest share "share"; every file it keeps
// (configuration, locks, state, cache, logs, pid) lives in a temporary folder removed by stop().
class SambaServer
{
public:
    SambaServer() = default;
    SambaServer(const SambaServer &) = delete;
    SambaServer &operator=(const SambaServer &) = delete;
    ~SambaServer();

    // Why no server can run here (not root, smbd or smbclient missing); empty when one can.
    static std::string unavailableReason();

    // Starts serving `shareFolder`, and the sections of `moreShares` after it; empty on success,
    // else what went wrong (with smbd's log).
    std::string start(const std::string &shareFolder, const std::string &moreShares = {});

    // Stops smbd and all its helpers within a few seconds and removes the temporary folder.
    void stop();

    // Runs smbclient commands ("allinfo name; setmode name +h") as guest on the share.
    // Returns smbclient's exit status (-1 on a timeout); its output goes to `output`.
    int client(const std::string &commands, std::string &output) const;

    // The attribute bits that `allinfo` reports for a name in the share; nullopt on failure.
    std::optional<std::uint32_t> attributesOf(const std::string &name) const;

    int port() const { return m_port; }

    // The smb.conf the server reads, for testparm.
    const std::string &configFile() const { return m_configFile; }

private:
    std::string writeConfiguration(const std::string &shareFolder, const std::string &moreShares);
    bool waitUntilListening();
    std::string logText() const;

    std::string m_stateFolder; // the temporary folder with smbd's configuration and state
    std::string m_configFile;  // smb.conf inside it, shared by smbd and smbclient
    pid_t m_pid = -1;          // smbd's process, leader of its own process group
    int m_port = 0;            // the TCP port it listens on
};

} // namespace testing_support
