#include "forms/form5logic.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

using testing_support::TempFolder;

namespace
{

// Runs with `folder` as the current folder, restoring the old one and the variable afterwards.
class InFolder
{
public:
    explicit InFolder(const std::string &folder) : m_old(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~InFolder()
    {
        std::filesystem::current_path(m_old);
        unsetenv("RAVO2_LANGUAGE_DIR");
    }

private:
    std::filesystem::path m_old;
};

struct ListingCase {
    const char *what;
    std::vector<std::pair<std::string, std::string>> files; // name, content or "->" link target
    std::vector<std::string> listed; // after Russian; "{}" stands for the folder
};

std::string expand(std::string text, const std::string &folder)
{
    if (const std::size_t at = text.find("{}"); at != std::string::npos)
        text.replace(at, 2, folder);
    return text;
}

} // namespace

// Files are listed by their names folded to lower case (Cyrillic as well as Latin), equal folds
// by their bytes; a name is the first line, trimmed, when a CR ends it within the first 1024
// bytes, else the file's name; twins show their paths; a link counts as what it leads to.
TEST(Form5Logic, ListsLanguagesInAStableOrderWithTheirNames)
{
    const std::string longLine(1100, 'x');
    const std::vector<ListingCase> cases{
        {"folded order",
         {{"B.lng", "\r\n"},
          {"a.lng", "\r\n"},
          {"Б.lng", "\r\n"},
          {"а.lng", "\r\n"},
          {"б.lng", "\r\n"},
          {"Ёж.lng", "\r\n"},
          {"ель.lng", "\r\n"}},
         {"a", "B", "а", "Б", "б", "ель", "Ёж"}},
        {"names",
         {{"one.lng", "\xEF\xBB\xBF\xC2\xA0 Deutsch\t\r\nline 2\r\n"},
          {"two.lng", longLine + "\r\n"},
          {"three.lng", "English\r\n"},
          {"four.lng", "English\r\n"}},
         {"English ({}/four.lng)", "Deutsch", "English ({}/three.lng)", "two"}},
        {"links followed to files only",
         {{"a.txt", "Alpha\r\n"}, {"b.lng", "->a.txt"}, {"c.lng", "->gone"}, {"d.lng", "->."}},
         {"Alpha"}},
    };
    for (const ListingCase &test : cases) {
        SCOPED_TRACE(test.what);
        TempFolder folder;
        for (const auto &[name, content] : test.files) {
            if (content.starts_with("->"))
                std::filesystem::create_symlink(content.substr(2), folder / name);
            else
                testing_support::writeTextFile(folder / name, content);
        }
        InFolder inside(folder.path());
        setenv("RAVO2_LANGUAGE_DIR", folder.path().c_str(), 1);
        const std::vector<forms::LanguageEntry> entries = forms::Form5Logic::listLanguageFiles();
        ASSERT_EQ(entries.size(), test.listed.size() + 1);
        EXPECT_EQ(entries[0].name, "Русский");
        for (std::size_t i = 0; i < test.listed.size(); ++i) {
            EXPECT_EQ(entries[i + 1].name, expand(test.listed[i], folder.path()));
            EXPECT_EQ(entries[i + 1].path.rfind(folder.path() + "/", 0), 0u);
        }
    }
}

// The data folder is made absolute and clean, and a folder reached a second time (by another
// spelling or through a link) is searched once.
TEST(Form5Logic, SearchesEachFolderOnce)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "data");
    std::filesystem::create_directory_symlink(folder.path(), folder / "link");
    InFolder inside(folder.path());
    const std::string data = folder / "data";
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {"data/../data/./", {folder.path(), data}},
        {"./", {folder.path()}},
        {"link", {folder.path()}},
        {folder / "link/data", {folder.path(), folder / "link/data"}},
        {"missing", {folder.path()}},
    };
    for (const auto &[variable, folders] : cases) {
        setenv("RAVO2_LANGUAGE_DIR", variable.c_str(), 1);
        EXPECT_EQ(forms::Form5Logic::languageFolders(), folders) << variable;
    }
}
