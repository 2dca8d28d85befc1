// The folder-list reader over arbitrary bytes, read from memory as from a file.
#include "engine/folderlist.h"
#include "fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using fuzzcheck::check;

namespace
{

std::vector<engine::FolderEntry> readAll(engine::FolderListReader &reader)
{
    std::vector<engine::FolderEntry> entries;
    engine::FolderEntry entry;
    while (reader.next(entry))
        entries.push_back(entry);
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::string bytes(reinterpret_cast<const char *>(data), size);
    std::FILE *file = fmemopen(bytes.data(), bytes.size(), "rb");
    if (file == nullptr)
        return 0;
    engine::FolderListReader reader(file, true);
    const std::vector<engine::FolderEntry> first = readAll(reader);
    const bool nulSeparated = bytes.find('\0') != std::string::npos && bytes.find('\0') < 65536;
    std::size_t named = 0;
    for (const engine::FolderEntry &entry : first) {
        if (!entry.problem.ok())
            continue;
        // A usable name is never empty and never holds its separator (or a NUL, or a line end).
        check(!entry.folder.empty() && entry.folder.size() <= engine::kLongestListEntry);
        check(entry.folder.find('\0') == std::string::npos);
        check(nulSeparated || entry.folder.find('\n') == std::string::npos);
        // Every name is found in the input byte for byte, followed by its separator or the end.
        const std::string separator = nulSeparated ? std::string(1, '\0') : "\n";
        check(bytes.find(entry.folder + separator) != std::string::npos ||
              (!nulSeparated && bytes.find(entry.folder + "\r\n") != std::string::npos) ||
              bytes.ends_with(entry.folder) ||
              (!nulSeparated && bytes.ends_with(entry.folder + "\r")));
        named += entry.folder.size();
    }
    check(named <= bytes.size());
    // A rewind gives the same entries again.
    check(reader.rewind());
    const std::vector<engine::FolderEntry> second = readAll(reader);
    check(second.size() == first.size());
    for (std::size_t i = 0; i < first.size() && i < second.size(); ++i)
        check(second[i].folder == first[i].folder &&
              second[i].problem.code == first[i].problem.code);
    std::fclose(file);
    return 0;
}
