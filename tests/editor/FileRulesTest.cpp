// Name rules without windows: backup names, command-line names, the recent list.
#include <gtest/gtest.h>

#include "editor/CCommandLine.h"
#include "editor/CRecentFileList.h"
#include "editor/FileNames.h"
#include "platform/FileNameText.h"
#include "platform/Profile.h"

#include <QFile>
#include <QSettings>

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

// A name reads as UTF-8 when it is, else every byte is one Latin-1 character;
// nothing is dropped or replaced, whatever the locale.
TEST(FileNames, NamesReadAsUtf8ElseLatin1)
{
    const std::vector<std::pair<std::string, QString>> cases = {
        {"/m/caf\xC3\xA9.nuv", QString::fromUtf8("/m/caf\u00E9.nuv")},
        {"/m/caf\xE9.nuv", QString::fromUtf8("/m/caf\u00E9.nuv")},
        {"\xF0\x9F\x98\x80", QString::fromUtf8("\U0001F600")},
        {"\xEF\xBB\xBF" "bom", QChar(0xFEFF) + QString("bom")},  // a mark at the start is part of the name
        {"cut \xC3", QString::fromUtf8("cut \u00C3")},                   // a sequence cut off at the end
        {"\xED\xA0\x80", QString::fromUtf8("\u00ED\u00A0\u0080")},     // a surrogate is no UTF-8
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(FileNameText(bytes), text) << bytes;
}

// One argument is one name, byte for byte: blanks, control characters and
// bytes that are not UTF-8 belong to it.
TEST(CommandLine, Names)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::vector<std::string> paths;
    };
    const std::vector<Case> cases = {
        {"one word, case kept", {"DEMO"}, {"/cur/DEMO.nuv"}},
        {"a blank belongs to the name", {"my model.nuv", " lead"}, {"/cur/my model.nuv", "/cur/ lead.nuv"}},
        {"control characters too", {"ab\x01" "cd"}, {"/cur/ab\x01" "cd.nuv"}},
        {"bytes that are not UTF-8", {"caf\xE9"}, {"/cur/caf\xE9.nuv"}},
        {"empty arguments name nothing", {"", "a", ""}, {"/cur/a.nuv"}},
        {"with a path", {"/work/DEMO"}, {"/work/DEMO.nuv"}},
        {"a folder before a dash", {"./-x.nuv"}, {"/cur/-x.nuv"}},
        {"relative paths tidied", {"../up.nuv", "sub//./x.nuv"}, {"/up.nuv", "/cur/sub/x.nuv"}},
        {"dot in a directory name", {"a.b/model"}, {"/cur/a.b/model"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CCommandLine::Names(c.arguments, "/cur"), c.paths) << c.name;
    EXPECT_EQ(CCommandLine::Names({"m"}, "/"), std::vector<std::string>{"/m.nuv"});
    // The current directory unknown: relative names stay relative.
    EXPECT_EQ(CCommandLine::Names({"m", "/a/b"}, ""), (std::vector<std::string>{"m.nuv", "/a/b.nuv"}));
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

// Names whose bytes are not UTF-8 come back byte for byte; UTF-8 names stay
// plain text in the profile, as before.
TEST(RecentFileList, ProfileKeepsEntriesUpToTheFirstEmptyOne)
{
    for (int i = 1; i <= 4; ++i)
        Profile::RemoveKey("Recent File List", QString("File%1").arg(i));
    CRecentFileList list = ListOf({"/m/a.nuv", "/m/b c.nuv", "/m/caf\xE9.nuv", ""});
    list.Write();
    EXPECT_EQ(Profile::GetString("Recent File List", "File1"), "/m/a.nuv");
    EXPECT_EQ(Profile::GetString("Recent File List", "File2"), "/m/b c.nuv");
    EXPECT_EQ(Profile::GetString("Recent File List", "File4"), "");
    Profile::Flush();
    QFile stored(QSettings(QSettings::IniFormat, QSettings::UserScope, "nuv", "nuv").fileName());
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray ini = stored.readAll();
    EXPECT_TRUE(ini.contains("File2=/m/b c.nuv")) << ini.constData();
    EXPECT_TRUE(ini.contains("File3=@ByteArray(/m/caf\\xe9.nuv)")) << ini.constData();

    CRecentFileList read;
    read.Read();
    EXPECT_EQ(read.entries(), list.entries());
    EXPECT_EQ(read.Entry(7), "");
}

}  // namespace
