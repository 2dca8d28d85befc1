#include "app/frontend.h"

#include "app/windowsentry.h"
#include "engine/messages.h"
#include "platform/processcommandline.h"
#include "platform/programmodule.h"

// The windows live in a library of their own, loaded only to show one.
struct FrontEnd::State {
    platform::ProgramModule module{kWindowsModule};
    WindowsEntry entry = nullptr;
};

FrontEnd::FrontEnd() : m_state(std::make_unique<State>()) {}

FrontEnd::~FrontEnd() = default;

bool FrontEnd::available() const
{
    return platform::displayAvailable();
}

bool FrontEnd::load()
{
    if (!m_state->module.load())
        return false;
    m_state->entry = reinterpret_cast<WindowsEntry>(m_state->module.symbol(kWindowsEntry));
    return m_state->entry != nullptr;
}

int FrontEnd::run(int argc, char **argv)
{
    return m_state->entry(argc, argv);
}

std::string FrontEnd::error() const
{
    return m_state->module.error();
}

std::string FrontEnd::unavailableMessage() const
{
    return engine::Messages::noDisplay();
}
