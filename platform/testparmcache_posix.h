#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

// What `testparm -s` printed, kept in a private file of this user together with the identity and
// times of every configuration file it read (the main one, then its includes), so a later run
// reads it back instead of running testparm until one of those files changes.
class TestparmCache
{
public:
    // `cacheFile` in a folder that only this user may write; `mainConfiguration` the file
    // testparm reads first.
    TestparmCache(std::string cacheFile, std::string mainConfiguration);

    // The file this user's runs share: $XDG_CACHE_HOME/ravo2/testparm (else ~/.cache/...); the
    // configuration SMB_CONF_PATH names, else Samba's default. Empty names when there is no home.
    static TestparmCache forThisUser();

    // The cached output when every file it came from is unchanged; else runs `testparm` and
    // keeps what it printed when no file changed meanwhile.
    std::optional<std::string> get(const std::function<std::optional<std::string>()> &testparm);

    // The files an output says were read besides the main one ("include", "config file").
    static std::vector<std::string> includedFiles(std::string_view output);

private:
    std::string stampOf(const std::vector<std::string> &files) const;
    std::optional<std::string> cached() const;
    void store(const std::string &stamp, const std::string &output) const;

    std::string m_cacheFile;
    std::string m_main;
};

} // namespace platform
