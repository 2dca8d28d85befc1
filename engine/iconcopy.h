#pragma once

#include "customisationrequest.h"
#include "folderio.h"
#include "platform/status.h"

#include <string>
#include <string_view>
#include <vector>

namespace engine
{

// One file put into every dressed folder beside desktop.ini: its name there and its bytes.
struct FolderCopy {
    std::string name;
    std::string bytes;
};

// The icon and background picture of a run that copies them into each folder, read, extracted
// and named once, and the request that names the copies in place of the chosen files. A copy's
// name comes from its bytes, so a folder holding it already needs nothing, and a changed file
// gets a new name that no client has cached.
class IconCopies
{
public:
    explicit IconCopies(const CustomisationRequest &request);

    // Why the copies cannot be made (a file that cannot be read, no such icon in a library).
    const platform::Status &status() const { return m_status; }
    // The request with IconFile and IconArea_Image naming the copies, relative to the folder.
    const CustomisationRequest &request() const { return m_request; }
    const std::vector<FolderCopy> &files() const { return m_files; }

    // Puts every copy into the folder, hidden, unless the folder holds it with these bytes
    // already; the names it wrote go into `written`. A failure fails the folder.
    platform::Status place(FolderIo &io, const std::string &folder,
                           std::vector<std::string> &written) const;

    // Deletes the copies `names` from the folder but those in `kept` (what its desktop.ini
    // names); the first deletion that failed.
    static platform::Status remove(FolderIo &io, const std::string &folder,
                                   const std::vector<std::string> &names,
                                   const std::vector<std::string> &kept);

    // ".icon-" or ".picture-", 12 lower-case hex digits, "." and a short lower-case extension:
    // the only files a dressing or a removal ever deletes besides desktop.ini.
    static bool isCopyName(std::string_view name);

    // The copies of ours that desktop.ini's bytes name by a bare name (IconFile, IconResource,
    // IconArea_Image), each once: what removing or replacing that file may delete.
    static std::vector<std::string> namedCopies(std::string_view iniBytes, unsigned codePage);
    // The same with the copies that a path names too ("C:\Photos\.icon-..."): what must stay.
    static std::vector<std::string> mentionedCopies(std::string_view iniBytes, unsigned codePage);

private:
    static std::vector<std::string> copiesIn(std::string_view iniBytes, unsigned codePage,
                                             bool withPaths);
    void copy(std::string &value, std::string_view prefix, bool icon);

    CustomisationRequest m_request;  // the run's request, naming the copies
    std::vector<FolderCopy> m_files; // what every folder gets
    platform::Status m_status;       // the first failure
};

} // namespace engine
