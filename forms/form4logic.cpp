#include "forms/form4logic.h"

#include "engine/settings.h"

namespace forms
{

Form4Logic::Form4Logic(Form4View &view, engine::WindowsMode detected) : m_view(view)
{
    m_view.setTicked(Form4Tick::Option1, true);
    setWindowsMode(detected);
}

void Form4Logic::loadStoredOptions(const engine::Settings &settings)
{
    m_view.setTicked(Form4Tick::Check1, settings.clearListOfFolders());
    m_view.setTicked(Form4Tick::Check2, settings.startNewCopyOfRavo());
}

bool Form4Logic::clearListOfFolders() const
{
    return m_view.isTicked(Form4Tick::Check1);
}

bool Form4Logic::startNewCopyOfRavo() const
{
    return m_view.isTicked(Form4Tick::Check2);
}

bool Form4Logic::onlyFirstFolder() const
{
    return m_view.isTicked(Form4Tick::Option2);
}

engine::WindowsMode Form4Logic::windowsMode() const
{
    return m_view.isTicked(Form4Tick::Option3) ? engine::WindowsMode::Xp
                                               : engine::WindowsMode::Nt9x;
}

void Form4Logic::setWindowsMode(engine::WindowsMode mode)
{
    m_view.setTicked(mode == engine::WindowsMode::Xp ? Form4Tick::Option3 : Form4Tick::Option4,
                     true);
}

void Form4Logic::Command1_Click()
{
    engine::Settings settings;
    settings.setClearListOfFolders(clearListOfFolders());
    settings.setStartNewCopyOfRavo(startNewCopyOfRavo());
    m_view.hideDialog();
}

void Form4Logic::Command2_Click()
{
    m_view.hideDialog();
}

} // namespace forms
