#pragma once

#include "folderio.h"

#include <ostream>

namespace engine
{

// A FolderIo that changes nothing: it prints what each call would write or remove, and answers
// with what the folder would have refused (the platform's probe), so a run over it goes the way
// the real one would.
class DryRunFolderIo : public FolderIo
{
public:
    explicit DryRunFolderIo(std::ostream &out) : m_out(out) {}
    platform::FolderOutcome dressFolder(const std::string &folder, std::string_view bytes,
                                        std::uint32_t fileAttributes,
                                        std::uint32_t folderAttributes) override;
    platform::FolderOutcome undressFolder(const std::string &folder,
                                          std::uint32_t folderAttributes) override;
    void notifyFolderChanged(const std::string &) override {}
    // What the run would make of the folder's present file, read but not touched.
    platform::FolderOutcome dressFolderKeeping(const std::string &folder,
                                               const platform::FileComposer &compose,
                                               std::uint32_t fileAttributes,
                                               std::uint32_t folderAttributes) override;
    platform::FolderOutcome undressFolderKeeping(const std::string &folder,
                                                 const platform::FileComposer &remains,
                                                 std::uint32_t folderAttributes) override;

    // A copy beside desktop.ini, and its removal: shown, never done.
    platform::FolderOutcome writeFolderFile(const std::string &folder, const std::string &name,
                                            std::string_view bytes,
                                            std::uint32_t fileAttributes) override;
    platform::Status removeFolderFile(const std::string &folder, const std::string &name) override;

private:
    void printFile(std::string_view bytes);

    std::ostream &m_out;
};

// Attribute bits in words, as the dry run shows them: "1 (read-only)", "128 (normal)".
std::string attributeWords(std::uint32_t attributes);

// A folder's name on one line of output: control characters become "\xNN".
std::string shownName(std::string_view folder);

} // namespace engine
