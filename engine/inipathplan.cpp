#include "inipathplan.h"

#include "platform/clientpaths.h"

namespace engine
{

IniPathPlan::IniPathPlan(const CustomisationRequest &request, SambaConfigurationSource samba,
                         ClientPaths paths)
    : m_request(request), m_paths(std::move(paths)), m_samba(std::move(samba))
{
    for (const std::string *value : {&request.iconPath, &request.picturePath}) {
        if (value == &request.picturePath && !request.makeBackground)
            continue;
        m_perFolder = m_perFolder || m_paths.dependsOnFolder(*value);
        m_checks = m_checks || m_paths.readerTarget(*value, "/").has_value();
    }
}

std::string IniPathPlan::iconFor(const std::string &iniPath) const
{
    return m_paths.written(m_request.iconPath, ClientPaths::folderOf(iniPath));
}

std::string IniPathPlan::pictureFor(const std::string &iniPath) const
{
    return m_paths.written(m_request.picturePath, ClientPaths::folderOf(iniPath));
}

std::optional<std::string> IniPathPlan::warningFor(const std::string &iniPath,
                                                   const std::string &folder)
{
    if (!m_checks)
        return std::nullopt;
    const SambaShares *known = shares();
    if (known == nullptr)
        return std::nullopt;
    const std::string iniFolder = ClientPaths::folderOf(iniPath);
    const std::string absoluteFolder = m_paths.absoluteFolder(iniFolder);
    for (const std::string *value : {&m_request.iconPath, &m_request.picturePath}) {
        if (value == &m_request.picturePath && !m_request.makeBackground)
            continue;
        const auto target = m_paths.readerTarget(*value, iniFolder);
        if (!target)
            continue;
        if (const auto share = known->unreachableFrom(absoluteFolder, *target))
            return SambaShares::warning(folder, *share);
    }
    return std::nullopt;
}

std::vector<std::string> IniPathPlan::shareWarningsFor(const std::string &iniPath)
{
    std::vector<std::string> warnings;
    const SambaShares *known = shares();
    if (known == nullptr)
        return warnings;
    const std::string folder = m_paths.absoluteFolder(ClientPaths::folderOf(iniPath));
    for (auto &[share, warning] : known->ruleWarnings(folder))
        if (m_warnedShares.insert(share).second)
            warnings.push_back(std::move(warning));
    return warnings;
}

const SambaShares *IniPathPlan::shares()
{
    if (!m_sambaAsked) {
        m_sambaAsked = true;
        if (const auto configuration = m_samba ? m_samba() : std::nullopt)
            m_shares = SambaShares::parse(*configuration, platform::userHomes);
    }
    return m_shares ? &*m_shares : nullptr;
}

} // namespace engine
