#include "app/frontend.h"

#include "engine/messages.h"
#include "platform/processcommandline.h"
#include "winui/programstart.h"

// Windows: the Win32 windows, linked into the program and run in its own process.
struct FrontEnd::State {
};

FrontEnd::FrontEnd() = default;

FrontEnd::~FrontEnd() = default;

bool FrontEnd::available() const
{
    return platform::displayAvailable();
}

bool FrontEnd::load()
{
    return true;
}

int FrontEnd::run(int argc, char **argv)
{
    return winui::runWindows(platform::processCommandLine(argc, argv));
}

std::string FrontEnd::error() const
{
    return {};
}

std::string FrontEnd::unavailableMessage() const
{
    return engine::Messages::windowsHidden();
}
