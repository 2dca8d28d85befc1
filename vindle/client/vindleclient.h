#pragma once

#include <string>

// The main program's side of the icon library browser: creates CScrab by its class identifier
// through the component system (the program never links the component).
namespace vindleclient
{

struct Result {
    bool ok = false;
    std::string index; // text from vindle
    std::string error; // why the component could not be created or called
};

// create CScrab by class id, vindle(path, 1), free, release
Result browse(const std::string &libraryPath);

} // namespace vindleclient
