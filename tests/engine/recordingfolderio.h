#pragma once

#include "engine/folderio.h"

#include <cerrno>
#include <cstring>
#include <set>
#include <string>
#include <vector>

// A FolderIo that touches no disk: it records every call as a line of text and fails the
// replace calls it is told to fail.
class RecordingFolderIo : public engine::FolderIo
{
public:
    platform::Status deleteFile(const std::string &path) override
    {
        return record("delete " + path);
    }
    platform::Status replaceFile(const std::string &path, std::string_view bytes) override
    {
        lastBytes = bytes;
        const bool fails = failingReplaces.count(++m_replaces) || failingPaths.count(path);
        return record("replace " + path, fails ? failureCode : 0);
    }
    platform::Status setAttributes(const std::string &path, std::uint32_t attributes) override
    {
        return record("attr " + path + " " + std::to_string(attributes), attributeError);
    }
    void notifyFolderChanged(const std::string &folder) override { record("notify " + folder); }

    std::vector<std::string> calls;     // every call, in order
    std::string lastBytes;              // what the last replace was given
    std::set<int> failingReplaces;      // replace calls that fail, counted from 1
    std::set<std::string> failingPaths; // paths whose every replace fails
    int failureCode = EACCES;           // what a failing replace reports
    int attributeError = 0;             // non-zero: every attribute call fails with it

private:
    platform::Status record(std::string call, int error = 0)
    {
        calls.push_back(std::move(call));
        return error ? platform::Status::failure(error, std::strerror(error))
                     : platform::Status::success();
    }

    int m_replaces = 0; // replace calls so far
};
