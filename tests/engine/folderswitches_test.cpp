#include "engine/commandlinerun.h"
#include "engine/folderlist.h"
#include "platform/attributes.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace
{

// A scratch tree: folders "a -x", " lead", "c", "nl\nx" and "\xff" (not UTF-8), and a list file.
class Tree
{
public:
    Tree()
    {
        std::random_device random;
        m_root = fs::temp_directory_path() / ("ravo2-switches-" + std::to_string(random()));
        for (const char *name : {"a -x", " lead", "c", "nl\nx", "\xff"})
            fs::create_directories(m_root / name);
    }
    ~Tree() { fs::remove_all(m_root); }
    std::string operator/(const std::string &name) const { return (m_root / name).string(); }
    void writeList(const std::string &bytes) const
    {
        std::ofstream(m_root / "list", std::ios::binary) << bytes;
    }
    bool dressed(const std::string &name) const
    {
        return fs::exists(m_root / name / "desktop.ini");
    }

private:
    fs::path m_root;
};

struct Case {
    const char *what;
    std::string list; // the list file's bytes; "{}" stands for the tree's root
    std::string line; // "{}" stands for the root, "{L}" for the list file
    int status;
    std::string out, err;                   // each must be found in standard output and error
    std::vector<std::string> dressed, bare; // folders with and without a desktop.ini afterwards
    std::string before;                     // a line run first, in the same fresh tree
};

std::string filled(std::string text, const Tree &tree)
{
    for (std::size_t at; (at = text.find("{L}")) != std::string::npos;)
        text.replace(at, 3, tree / "list");
    for (std::size_t at; (at = text.find("{}")) != std::string::npos;)
        text.replace(at, 2, tree / "");
    return text;
}

} // namespace

TEST(FolderSwitches, ListsGoingOnDryRunsListingRemovalAndWarnings)
{
    const std::vector<Case> cases = {
        {"lines, CR LF, blank lines, \" -\" and a leading blank",
         "{}a -x\r\n\r\n{} lead\n{}c",
         "-fl {L} -tt x",
         0,
         "",
         "",
         {"a -x", " lead", "c"},
         {},
         ""},
        {"NUL-separated names hold line breaks",
         "{}nl\nx\0{}c\0"s,
         "-fl {L} -tt x",
         0,
         "",
         "",
         {"nl\nx", "c"},
         {"a -x"},
         ""},
        {"-go: each failure named, a summary, exit 1",
         "{}c\n{}gone\n{} lead\n",
         "-fl {L} -tt x -go",
         1,
         "",
         "gone: ",
         {"c", " lead"},
         {},
         ""},
        {"-go: the summary counts",
         "{}c\n{}gone\n{} lead\n",
         "-fl {L} -tt x -go",
         1,
         "",
         "done 2, failed 1",
         {},
         {},
         ""},
        {"without -go the run stops at the second failure",
         "{}c\n{}gone\n{} lead\n",
         "-fl {L} -tt x",
         1,
         "",
         "была ошибка",
         {"c"},
         {" lead"},
         ""},
        {"-fl and -fp in line order",
         "{}c\n",
         "-fp {} lead -fl {L} -ls",
         0,
         " lead\",\"dressed\":false,\"icon\":null,\"icon_local\":null,\"index\":null,\"infotip\":"
         "null,\"picture\":null,\"picture_local\":null,\"colour\":null,\"folder_attributes\":16,"
         "\"file_attributes\":null,\"encoding\":null}\n{\"folder\":\"{}c\"",
         "",
         {},
         {"c"},
         ""},
        {"-ls escapes and keeps bytes that are not UTF-8",
         "{}nl\nx\0{}\xff\0"s,
         "-fl {L} -ls",
         0,
         "nl\\nx\",\"dressed\":false",
         "",
         {},
         {},
         ""},
        {"-ls shows a byte outside UTF-8 as \\udcXX",
         "{}\xff\n",
         "-fl {L} -ls",
         0,
         "\\udcff\"",
         "",
         {},
         {},
         ""},
        {"-dr shows the file and changes nothing",
         "",
         "-fp {}c -tt shown -dr",
         0,
         "InfoTip= shown",
         "",
         {},
         {"c"},
         ""},
        {"-dr tells why a folder would fail",
         "",
         "-fp {}gone -tt x -dr",
         1,
         "would fail",
         "",
         {},
         {},
         ""},
        {"-rm takes the dressing away",
         "",
         "-fp {}c -rm -fp {} lead",
         0,
         "",
         "",
         {},
         {"c", " lead"},
         "-fp {}c -fp {} lead -tt x"},
        {"an unknown switch is named",
         "",
         "-tp hello -fp {}c",
         0,
         "",
         "unknown switch -tp",
         {},
         {},
         ""},
        {"switches but no folder", "", "-tt x", 0, "", "no folder given", {}, {}, ""},
        {"an unknown -tc word", "", "-fp {}c -tc purple", 0, "", "\"purple\"", {}, {}, ""},
        {"an icon that names no file",
         "",
         "-fp {}c -ip {}none.ico",
         0,
         "",
         "none.ico",
         {"c"},
         {},
         ""},
        {"a list that does not open changes nothing",
         "",
         "-fp {}c -fl {}nolist -tt x",
         1,
         "",
         "nolist",
         {},
         {"c"},
         ""},
    };
    for (const Case &c : cases) {
        const Tree tree;
        tree.writeList(filled(c.list, tree));
        std::ostringstream out, err;
        engine::SystemFolderIo io;
        if (!c.before.empty())
            engine::runCommandLine(filled(c.before, tree), out, err, io);
        const int status = engine::runCommandLine(filled(c.line, tree), out, err, io);
        EXPECT_EQ(status, c.status) << c.what << "\n" << err.str();
        EXPECT_NE(out.str().find(filled(c.out, tree)), std::string::npos) << c.what << "\n"
                                                                          << out.str();
        EXPECT_NE(err.str().find(filled(c.err, tree)), std::string::npos) << c.what << "\n"
                                                                          << err.str();
        for (const std::string &name : c.dressed)
            EXPECT_TRUE(tree.dressed(name)) << c.what << ": " << name;
        for (const std::string &name : c.bare)
            EXPECT_FALSE(tree.dressed(name)) << c.what << ": " << name;
    }
}

// A pipe cannot be read twice: the restart of a dressing replays what was read from a copy.
TEST(FolderSwitches, APipedListIsReplayedAfterARewind)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const std::string bytes = "one\r\n\ntwo\n";
    ASSERT_EQ(write(fds[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(fds[1]);
    std::FILE *file = fdopen(fds[0], "rb");
    engine::FolderListReader reader(file, true);
    std::vector<std::string> seen;
    engine::FolderEntry entry;
    for (int pass = 0; pass < 2; ++pass) {
        while (reader.next(entry))
            seen.push_back(entry.folder);
        EXPECT_TRUE(reader.rewind());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"one", "two", "one", "two"}));
    std::fclose(file);
}
