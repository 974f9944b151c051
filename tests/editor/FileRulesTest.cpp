// Name rules without windows: backup names, command-line names, the recent list.
#include <gtest/gtest.h>

#include "editor/CCommandLine.h"
#include "editor/CRecentFileList.h"
#include "editor/FileNames.h"
#include "platform/Profile.h"

namespace {

TEST(FileNames, BackupNames)
{
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"/m/demo.nuv", "/m/demo.nu$"}, {"a.c", "a.$"},
        {"name.", "name$"},             {"/work/model", "/work/model.nu$"},
        {"model", "model.nu$"},         {"/a.b/model", "/a.b/model.nu$"},
        {"/m/demo.nu$", "/m/demo.nu$"},  // a backup's own backup name is itself
        {"/m/.profile", "/m/.profil$"},
    };
    for (auto [name, backup] : cases)
        EXPECT_EQ(BackupName(name), backup) << name;
}

TEST(FileNames, OpenFileNamesCompareExactly)
{
    EXPECT_TRUE(SameFileName("/m/a.nuv", "/m/a.nuv"));
    EXPECT_FALSE(SameFileName("/m/A.nuv", "/m/a.nuv"));  // two files on this file system
    EXPECT_FALSE(SameFileName("/m/a.nuv", "/m/a.nuv2"));
    EXPECT_FALSE(SameFileName(nullptr, "/m/a.nuv"));
}

TEST(CommandLine, Names)
{
    struct Case {
        const char* name;
        const char* line;
        std::vector<std::string> paths;
    };
    const std::vector<Case> cases = {
        {"one word", "demo", {"/cur/demo.nuv"}},
        {"case is kept", "DEMO", {"/cur/DEMO.nuv"}},
        {"several blanks", "a   b\tc", {"/cur/a.nuv", "/cur/b.nuv", "/cur/c.nuv"}},
        {"blanks at the end open nothing more", "a    \t\r\n", {"/cur/a.nuv"}},
        {"only blanks", "   ", {}},
        {"empty", "", {}},
        {"with a path", "/work/DEMO", {"/work/DEMO.nuv"}},
        {"relative path", "sub/x.nuv", {"sub/x.nuv"}},
        {"dot in a directory name", "a.b/model", {"a.b/model"}},
        {"extension kept", "m.txt", {"/cur/m.txt"}},
        {"control character ends the name", "ab\x01" "cd", {"/cur/ab.nuv", "/cur/cd.nuv"}},
        {"control character alone", "\x02", {}},
        {"utf-8 letters belong to the name", "mod\xC3\xA8le", {"/cur/mod\xC3\xA8le.nuv"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CCommandLine::Names(c.line, "/cur"), c.paths) << c.name;
    EXPECT_EQ(CCommandLine::Names("m", "/"), std::vector<std::string>{"/m.nuv"});
}

using Entries = std::array<std::string, 4>;

CRecentFileList ListOf(const Entries& entries)
{
    CRecentFileList list;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (!it->empty())
            list.Add(it->c_str());
    return list;
}

TEST(RecentFileList, AddAndMoveToTop)
{
    struct Case {
        const char* name;
        Entries before;
        const char* added;  // nullptr: MoveToTop(index)
        int index;
        Entries after;
    };
    const std::vector<Case> cases = {
        {"first entry", {}, "a", 0, {"a", "", "", ""}},
        {"new name pushes down", {"a", "b", "", ""}, "c", 0, {"c", "a", "b", ""}},
        {"full list drops the oldest", {"a", "b", "c", "d"}, "e", 0, {"e", "a", "b", "c"}},
        {"second entry moves up", {"a", "b", "c", "d"}, "b", 0, {"b", "a", "c", "d"}},
        {"top entry stays", {"a", "b", "c", "d"}, "a", 0, {"a", "b", "c", "d"}},
        {"fourth entry moves up", {"a", "b", "c", "d"}, "d", 0, {"d", "a", "b", "c"}},
        {"names differing in case are two files", {"a", "b", "", ""}, "A", 0, {"A", "a", "b", ""}},
        {"third moves to the top", {"a", "b", "c", "d"}, nullptr, 2, {"c", "a", "b", "d"}},
        {"top stays", {"a", "b", "c", "d"}, nullptr, 0, {"a", "b", "c", "d"}},
        {"out of range changes nothing", {"a", "b", "c", "d"}, nullptr, 4, {"a", "b", "c", "d"}},
    };
    for (const Case& c : cases) {
        CRecentFileList list = ListOf(c.before);
        ASSERT_EQ(list.entries(), c.before) << c.name;
        if (c.added)
            list.Add(c.added);
        else
            list.MoveToTop(c.index);
        EXPECT_EQ(list.entries(), c.after) << c.name;
    }
}

TEST(RecentFileList, ProfileKeepsEntriesUpToTheFirstEmptyOne)
{
    for (int i = 1; i <= 4; ++i)
        Profile::RemoveKey("Recent File List", QString("File%1").arg(i));
    CRecentFileList list = ListOf({"/m/a.nuv", "/m/b c.nuv", "", ""});
    list.Write();
    EXPECT_EQ(Profile::GetString("Recent File List", "File1"), "/m/a.nuv");
    EXPECT_EQ(Profile::GetString("Recent File List", "File2"), "/m/b c.nuv");
    EXPECT_EQ(Profile::GetString("Recent File List", "File3"), "");

    CRecentFileList read;
    read.Read();
    EXPECT_EQ(read.entries(), list.entries());
    EXPECT_EQ(read.Entry(7), "");
}

}  // namespace
