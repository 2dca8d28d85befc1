#pragma once

#include <string>

// The main program's side of the icon library browser: creates CScrab by its class identifier
// through the component system (the program never links the component).
namespace vindleclient
{

struct Result {
    bool ok = false;
    std::string index;  // text from vindle
    std::string reason; // why it failed, in Russian like the rest of the window
    std::string error;  // the technical detail: class id, loader or errno text, error number
};

// create CScrab by class id, vindle(path, 1), free, release
Result browse(const std::string &libraryPath);

} // namespace vindleclient
