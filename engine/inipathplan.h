#pragma once

#include "clientpaths.h"
#include "customisationrequest.h"
#include "sambashares.h"

#include <functional>
#include <optional>
#include <set>
#include <string>

namespace engine
{

// Where a run learns Samba's configuration (what `testparm -s` prints); nullopt without Samba.
using SambaConfigurationSource = std::function<std::optional<std::string>()>;

// The icon and picture paths that one run writes, folder by folder, and the Samba check on them.
class IniPathPlan
{
public:
    // Samba's configuration is asked for once, at the first folder whose file it must check.
    IniPathPlan(const CustomisationRequest &request, SambaConfigurationSource samba,
                ClientPaths paths = ClientPaths::forThisMachine());

    // True when every folder gets the same values, so the file's bytes are made once.
    bool sameForEveryFolder() const { return !m_perFolder; }

    // The icon path written into the desktop.ini at `iniPath`.
    std::string iconFor(const std::string &iniPath) const;

    // The picture path written there.
    std::string pictureFor(const std::string &iniPath) const;

    // The warning for the folder of the desktop.ini at `iniPath` when the clients of the Samba
    // share holding it cannot open the icon or the picture; `folder` is named as the user gave it.
    std::optional<std::string> warningFor(const std::string &iniPath, const std::string &folder);

    // A warning for each share holding the folder of `iniPath` whose rules keep its clients from
    // seeing the dressing; each share is named once per plan.
    std::vector<std::string> shareWarningsFor(const std::string &iniPath);

private:
    const SambaShares *shares();

    const CustomisationRequest &m_request; // the run's values as chosen
    ClientPaths m_paths;                   // the translation rules
    bool m_perFolder = false;              // a value differs from folder to folder
    bool m_checks = false;                 // a value is found relative to the folder
    SambaConfigurationSource m_samba;      // asked once, when first needed
    std::optional<SambaShares> m_shares;   // the shares, once read
    bool m_sambaAsked = false;             // m_samba has been called
    std::set<std::string> m_warnedShares;  // shares already named for their rules
};

} // namespace engine
