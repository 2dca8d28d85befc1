#pragma once

#include "engine/folderio.h"

#include <cerrno>
#include <cstring>
#include <set>
#include <string>
#include <vector>

// A FolderIo that touches no disk: it records every call as a line of text and fails the
// dressings it is told to fail.
class RecordingFolderIo : public engine::FolderIo
{
public:
    platform::FolderOutcome dressFolder(const std::string &folder, std::string_view bytes,
                                        std::uint32_t fileAttributes,
                                        std::uint32_t folderAttributes) override
    {
        lastBytes = bytes;
        const bool fails = failingDresses.count(++m_dresses) || failingFolders.count(folder);
        platform::FolderOutcome outcome =
            record("dress " + folder + " " + std::to_string(fileAttributes) + " " +
                       std::to_string(folderAttributes),
                   fails ? failureCode : 0);
        if (attributeError && !fails) {
            outcome.attributes =
                platform::Status::failure(attributeError, std::strerror(attributeError));
            outcome.attributesPath = folder + "desktop.ini";
        }
        return outcome;
    }
    platform::FolderOutcome undressFolder(const std::string &folder,
                                          std::uint32_t folderAttributes) override
    {
        return record("undress " + folder + " " + std::to_string(folderAttributes));
    }
    void notifyFolderChanged(const std::string &folder) override { record("notify " + folder); }

    std::vector<std::string> calls;       // every call, in order
    std::string lastBytes;                // what the last dressing was given
    std::set<int> failingDresses;         // dressings that fail, counted from 1
    std::set<std::string> failingFolders; // folders whose every dressing fails
    int failureCode = EACCES;             // what a failing dressing reports
    int attributeError = 0; // non-zero: every dressing notes its file's attribute failed

private:
    platform::FolderOutcome record(std::string call, int error = 0)
    {
        calls.push_back(std::move(call));
        platform::FolderOutcome outcome;
        if (error)
            outcome.file = platform::Status::failure(error, std::strerror(error));
        return outcome;
    }

    int m_dresses = 0; // dressings so far
};
