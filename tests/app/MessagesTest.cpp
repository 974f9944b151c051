// The string table and the messages made from it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMainWindow>
#include <cstring>
#include <string>

#include "FakeFrame.h"
#include "ScriptedPrompts.h"
#include "res/StringTable.h"
#include "shell/MessageFormat.h"
#include "shell/MessageFromTable.h"

TEST(StringTable, EntriesAreExactAndComplete)
{
    EXPECT_STREQ(LoadStringEntry(100), "NUV");
    EXPECT_STREQ(LoadStringEntry(132), " has changed. Would You like to save the changes?");
    EXPECT_STREQ(LoadStringEntry(157), "The running model will be terminated. Are you sure you want to exit NUV ?");
    EXPECT_STREQ(LoadStringEntry(185), "Error writting configuration file. Current configuration is not saved");
    EXPECT_STREQ(LoadStringEntry(191), "  . . . Execution time was %d hours %d minutes %d seconds\n");
    EXPECT_STREQ(LoadStringEntry(61215), "Activate this window");
    ASSERT_NE(LoadStringEntry(156), nullptr) << "entry 156 exists";
    EXPECT_STREQ(LoadStringEntry(156), "");
    EXPECT_EQ(LoadStringEntry(101), nullptr);
    EXPECT_EQ(LoadStringEntry(183), nullptr);
    const int catalogue[] = {100, 102, 103, 104, 105, 107, 110, 111, 112, 118, 121, 126, 127, 131, 132, 133, 134,
                             137, 139, 140, 141, 142, 144, 146, 147, 154, 156, 157, 158, 159, 160, 161, 162, 163,
                             164, 165, 166, 167, 168, 169, 170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 180,
                             181, 182, 185, 186, 187, 188, 189, 190, 191, 192, 193};
    for (int id : catalogue) {
        ASSERT_NE(LoadStringEntry(id), nullptr) << id;
        EXPECT_LE(std::strlen(LoadStringEntry(id)), 255u) << id;
    }
}

TEST(MessageFormat, FormatsAndBoundsTheBuffer)
{
    EXPECT_EQ(FormatBounded("File %s loaded", {"/m/a.nuv"}), "File /m/a.nuv loaded");
    EXPECT_EQ(FormatBounded("String '%s' was found %s times", {"x", "3"}), "String 'x' was found 3 times");
    EXPECT_EQ(FormatBounded("%d hours %d minutes %d seconds", {1, 2, 3}), "1 hours 2 minutes 3 seconds");
    EXPECT_EQ(FormatBounded("100%% sure", {}), "100% sure") << "an entry without values still passes the formatter";
    EXPECT_EQ(FormatBounded("Not enough memory.", {}), "Not enough memory.");
    EXPECT_EQ(FormatBounded("a %s b", {}), "a  b") << "a missing value formats as nothing, never reads garbage";

    const std::string longName(400, 'x');
    const std::string cut = FormatBounded("Cannot open the file %s", {longName.c_str()});
    EXPECT_EQ(cut.size(), kMessageBufferSize - 1);
    EXPECT_EQ(cut.rfind("Cannot open the file xxx", 0), 0u);

    // A long path loses its middle, never its file name.
    const std::string path = "/home/modeller/" + std::string(300, 'd') + "/café-model.nuv";
    const std::string shortened = FormatBounded("Cannot write the file %s", {path.c_str()});
    EXPECT_EQ(shortened.size(), kMessageBufferSize - 1);
    EXPECT_EQ(shortened.rfind("Cannot write the file /home/modeller/ddd", 0), 0u) << shortened;
    EXPECT_NE(shortened.find("d.../café-model.nuv"), std::string::npos) << shortened;
    const std::string name = "/café-model.nuv";
    EXPECT_EQ(shortened.substr(shortened.size() - name.size()), name);

    // 250 ASCII bytes then two-byte characters: the cut never splits one.
    std::string text(249, 'a');
    for (int i = 0; i < 10; ++i)
        text += "\xC3\xA9";
    const std::string bounded = FormatBounded("%s", {text.c_str()});
    EXPECT_LE(bounded.size(), kMessageBufferSize - 1);
    EXPECT_TRUE(QString::fromUtf8(bounded.c_str()).toUtf8() == QByteArray(bounded.c_str())) << "valid UTF-8";
    EXPECT_EQ(bounded.size(), 249u + 2u) << "one whole e-acute fits, the next would be split";
}

TEST(MessageFromTable, CaptionOwnerStyleAndText)
{
    FakeFrame frame;
    ScriptedPrompts prompts;
    prompts.ExpectMessageBox(IDNO);
    EXPECT_EQ(MessageFromTable(IDS_TERMINATE, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, {"/m/demo.nuv"}), IDNO);
    ASSERT_EQ(prompts.Records().size(), 1u);
    const auto& box = prompts.Last();
    EXPECT_EQ(box.text, "Terminate processing of /m/demo.nuv?");
    EXPECT_EQ(box.caption, "NUV");
    EXPECT_EQ(box.style, 292) << "No is the default button of the terminate question";
    EXPECT_EQ(box.owner, &frame) << "the main window owns every box";

    prompts.ExpectMessageBox(IDOK);
    MessageFromTable(IDS_NO_CARET, MB_ICONEXCLAMATION);
    EXPECT_EQ(prompts.Last().text, "") << "entry 156 shows an empty box";
    EXPECT_EQ(prompts.Last().style, 48);
}

TEST(MessageFromTable, StatusResultsAndBeep)
{
    FakeFrame frame;
    ScriptedPrompts prompts;
    StatusFromTable(IDS_ALREADY_LOADED, {"/m/a.nuv"}, true);
    EXPECT_EQ(frame.messageText, "File /m/a.nuv already loaded");
    ASSERT_EQ(prompts.Beeps().size(), 1u);
    EXPECT_EQ(prompts.Beeps()[0], static_cast<UINT>(MB_ICONASTERISK));
    StatusFromTable(IDS_FILE_SAVED, {"/m/b.nuv"});
    EXPECT_EQ(frame.messageText, "File /m/b.nuv saved");
    EXPECT_EQ(prompts.Beeps().size(), 1u) << "a saved file does not beep";
    EXPECT_TRUE(prompts.Records().empty()) << "status results are not message boxes";
}
