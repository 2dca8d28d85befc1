#include "app/frontend.h"

#include "engine/commandlinerun.h"
#include "engine/messages.h"

// A build without windows (Windows, until it has a front-end of its own): the switches only.
struct FrontEnd::State {
};

FrontEnd::FrontEnd() = default;

FrontEnd::~FrontEnd() = default;

bool FrontEnd::available() const
{
    return false;
}

bool FrontEnd::load()
{
    return false;
}

int FrontEnd::run(int, char **)
{
    return engine::kExitFailure;
}

std::string FrontEnd::error() const
{
    return {};
}

std::string FrontEnd::unavailableMessage() const
{
    return engine::Messages::noWindows();
}
