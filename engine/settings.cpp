#include "settings.h"

#include "desktopinireader.h"

namespace engine
{
namespace
{

constexpr std::string_view kSection = "Options";

} // namespace

Settings::Settings() : m_store("ravo2") {}

bool Settings::flag(const char *key) const
{
    // A stored text that is not a number counts as 0.
    const auto number = DesktopIniReader::indexNumber(m_store.get(kSection, key, "0"));
    return number.value_or(0) != 0;
}

bool Settings::clearListOfFolders() const
{
    return flag("clearlistoffolders");
}

void Settings::setClearListOfFolders(bool on)
{
    m_store.save(kSection, "clearlistoffolders", on ? "1" : "0");
}

bool Settings::startNewCopyOfRavo() const
{
    return flag("startnewcopyofravo");
}

void Settings::setStartNewCopyOfRavo(bool on)
{
    m_store.save(kSection, "startnewcopyofravo", on ? "1" : "0");
}

std::string Settings::language() const
{
    // Absent: the built-in Russian texts, so a fresh profile applies no language file.
    return m_store.get(kSection, "language", "0");
}

void Settings::setLanguage(int position)
{
    m_store.save(kSection, "language", std::to_string(position));
}

std::string Settings::delall() const
{
    return m_store.get(kSection, "delall", "0");
}

void Settings::setDelall(const std::string &value)
{
    m_store.save(kSection, "delall", value);
}

bool Settings::copyIconToFolder() const
{
    return flag("copyicontofolder");
}

void Settings::setCopyIconToFolder(bool on)
{
    m_store.save(kSection, "copyicontofolder", on ? "1" : "0");
}

} // namespace engine
