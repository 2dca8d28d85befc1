#pragma once

#include "commandline.h"
#include "commandlinerun.h"
#include "folderdresser.h"
#include "folderio.h"

#include <ostream>
#include <string_view>

namespace engine
{

// The warnings a line earns before anything runs, one line each on `err`: unknown switches,
// switches without a folder, "-tc" and "-wv" words that name nothing.
void warnAboutLine(const CommandLineRequest &parsed, std::ostream &err);

// Warns, for each folder, of an icon or picture that a reader of the folder will not find.
class MissingFileCheck
{
public:
    MissingFileCheck(const CustomisationRequest &request, std::ostream &err);
    void check(const std::string &folder);

private:
    // False when the folder is not there to look from.
    bool checkOne(std::string_view sw, const std::string &chosen, const std::string &folder);

    const CustomisationRequest &m_request;
    std::ostream &m_err;
    bool m_checkedFixed = false; // a path the same for every folder was looked at once
};

// The road of a line with "-fl", "-go", "-dr", "-ls" or "-rm": folders read as they come, no
// window. Returns the exit status.
int runFolderSwitches(std::string_view commandLine, CommandLineRequest &&parsed,
                      CustomisationRequest &request, std::ostream &out, std::ostream &err,
                      FolderIo &io, const RunHooks &hooks);

// What the line's end says about a dressing that stops at a failure (the window's rule).
int finishDressing(std::string_view commandLine, const MakeIconResult &result, std::ostream &err);

} // namespace engine
