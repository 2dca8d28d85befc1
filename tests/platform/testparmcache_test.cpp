#include "platform/testparmcache_posix.h"
#include "tempfolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using platform::TestparmCache;
using testing_support::TempFolder;
using testing_support::writeTextFile;

// testparm runs again only after the configuration or a file it includes changed, and never
// keeps an output whose includes it cannot follow.
TEST(TestparmCache, RunsTestparmAgainOnlyWhenAConfigurationFileChanged)
{
    TempFolder folder;
    const std::string main = folder / "smb.conf", included = folder / "shares.conf";
    // Files written a moment ago are not trusted yet: each is made an hour old, at a time of its
    // own.
    int writes = 0;
    const auto rewrite = [&](const std::string &file, const std::string &text) {
        writeTextFile(file, text);
        const timespec old[2] = {{time(nullptr) - 3600 + ++writes, 0},
                                 {time(nullptr) - 3600 + writes, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), old, 0), 0);
    };
    rewrite(main, "[global]\ninclude = " + included + "\n");
    rewrite(included, "[a]\npath = /srv/a\n");
    std::string output = "[global]\n\tinclude = " + included + "\n[a]\n\tpath = /srv/a\n";
    int runs = 0;
    const auto testparm = [&]() -> std::optional<std::string> {
        ++runs;
        return output;
    };
    TestparmCache cache(folder / "cache/ravo2/testparm", main);
    const struct {
        std::function<void()> change;
        int runs;
    } steps[] = {
        {[] {}, 1},
        {[] {}, 1},
        {[&] { rewrite(included, "[a]\npath = /srv/b\n"); }, 2},
        {[] {}, 2},
        {[&] { rewrite(main, "[global]\ninclude = " + included + "\n"); }, 3},
        {[&] {
             rewrite(main, "[global]\ninclude = /etc/samba/%U.conf\n");
             output = "[global]\n\tinclude = /etc/samba/%U.conf\n";
         },
         4},
        {[] {}, 5},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].change();
        EXPECT_EQ(cache.get(testparm), output) << "step " << i;
        EXPECT_EQ(runs, steps[i].runs) << "step " << i;
    }
}
