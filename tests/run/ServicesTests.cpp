// The services as the library finds and calls them.
#include <gtest/gtest.h>

#include "run/DllList.h"
#include "run/Services.h"

TEST(Services, AreFoundByTheirExactNames)
{
    EXPECT_NE(LookupService("OutputResult"), nullptr);
    EXPECT_NE(LookupService("IsBreak"), nullptr);
    EXPECT_NE(LookupService("GetNumberOfDLLs"), nullptr);
    EXPECT_NE(LookupService("GetDLLName"), nullptr);
    EXPECT_NE(LookupService("IsBreak"), LookupService("OutputResult"));
    for (const char* name : {"isbreak", "ISBREAK", "IsBreak ", "", "ReceivePreprocText"})
        EXPECT_EQ(LookupService(name), nullptr) << name;
    EXPECT_EQ(LookupService(nullptr), nullptr);
}

TEST(Services, DllNamesComeOneAtATimeInListOrder)
{
    theDllList = {"a.dll", std::string(259, 'n')};
    auto getName = reinterpret_cast<NuvGetDLLName>(LookupService("GetDLLName"));
    auto count = reinterpret_cast<NuvGetNumberOfDLLs>(LookupService("GetNumberOfDLLs"));
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(getName(-1), nullptr);
    EXPECT_EQ(getName(2), nullptr);
    const char* first = getName(0);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, "a.dll");
    const char* second = getName(1);
    EXPECT_EQ(second, first);  // one static buffer, overwritten
    EXPECT_EQ(std::string(second), theDllList[1]);
    theDllList.clear();
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(getName(0), nullptr);
}

TEST(Services, DoNothingOutsideARun)
{
    EXPECT_EQ(OutputResult("text\n"), 0);
    EXPECT_EQ(IsBreak(), 0);
    EXPECT_EQ(ReceivePreprocText("listing"), 0);
}
