// The names a run makes: the listing window's name, the running title.
#include <gtest/gtest.h>
#include <string>

#include "run/ListingName.h"
#include "run/RunTitle.h"

TEST(ListingName, CutsTheExtensionOfTheLastComponentOnly)
{
    const std::string fits(255, 'm');      // 255 + ".prp" + zero: exactly 260
    const std::string tooLong(256, 'm');
    const struct {
        std::string model;
        std::string listing;  // empty: refused
    } cases[] = {
        {"/work/a.b.nuv", "/work/a.b.prp"},
        {"/my.dir/model", "/my.dir/model.prp"},
        {"model.", "model.prp"},
        {"model", "model.prp"},
        {fits, fits + ".prp"},
        {fits + ".nuv", fits + ".prp"},
        {tooLong, ""},
        {tooLong + ".nuv", ""},
    };
    for (const auto& c : cases) {
        char name[MAX_PATH] = "stale";
        EXPECT_EQ(MakeListingName(c.model.c_str(), name), c.listing.empty() ? FALSE : TRUE) << c.model.size();
        EXPECT_EQ(std::string(name), c.listing);
    }
}

TEST(RunningTitle, NamesTheFileAndFitsTheTitleArea)
{
    EXPECT_EQ(RunningTitle("/home/u/models/demo.nuv"), "NUV - < Running demo.nuv >");
    EXPECT_EQ(RunningTitle("demo.nuv"), "NUV - < Running demo.nuv >");

    const std::string longName = "/d/" + std::string(60, 'x') + ".nuv";
    const QByteArray cut = RunningTitle(longName.c_str()).toUtf8();
    EXPECT_EQ(cut.size(), kRunTitleSize - 1);
    EXPECT_TRUE(cut.startsWith("NUV - < Running xxx"));
    EXPECT_TRUE(cut.endsWith("... >"));

    // Two-byte letters: the cut falls between characters, never inside one.
    std::string wide = "/d/";
    for (int i = 0; i < 30; ++i)
        wide += "\xc3\xa9";
    const QString title = RunningTitle(wide.c_str());
    EXPECT_LE(title.toUtf8().size(), kRunTitleSize - 1);
    EXPECT_FALSE(title.contains(QChar::ReplacementCharacter));
    EXPECT_TRUE(title.endsWith("... >"));
}
