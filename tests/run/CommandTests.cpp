// The Run menu commands around RunModel.
#include <QMdiArea>

#include "RunFixture.h"
#include "editor/CNuvEdit.h"
#include "output/CNuvOutput.h"
#include "res/CommandIds.h"

class CommandTest : public RunFixture {
protected:
    CNuvEdit* OpenEditor(const std::string& path)
    {
        CNuvEdit* editor = CNuvEdit::CreateForFile(kPlaceDefault, path.c_str());
        EXPECT_NE(editor, nullptr);
        editor->Focus();
        frame.SetActiveChild(editor);
        return editor;
    }
};

TEST_F(CommandTest, RunActiveSavesAModifiedEditorFirst)
{
    const std::string model = WriteModel("active.nuv", "print \"old\\n\";\n");
    CNuvEdit* editor = OpenEditor(model);
    editor->Edit().SetText("print \"new\\n\";\n");
    editor->m_bModified = TRUE;
    controller.OnRunActive();
    EXPECT_FALSE(editor->m_bModified);
    EXPECT_EQ(OutputLines(), std::vector<std::string>{"new"});
    EXPECT_STREQ(output->m_szModelPath, model.c_str());
}

TEST_F(CommandTest, RunActiveOnAnUntitledEditorRunsUntitledWhenSaveAsIsCancelled)
{
    CNuvEdit* editor = CNuvEdit::Create(kPlaceDefault);
    ASSERT_NE(editor, nullptr);
    frame.SetActiveChild(editor);
    editor->Edit().SetText("print 1;\n");
    editor->m_bModified = TRUE;
    prompts.ExpectFileCancel();
    controller.OnRunActive();
    EXPECT_STREQ(output->m_szModelPath, editor->m_szFileName);
    EXPECT_FALSE(OutputLines().empty());  // the library's own word on a file it cannot read
    EXPECT_EQ(output->m_nRunStatus, 4);
}

TEST_F(CommandTest, PickModelRunsTheChosenFileAsItIsOnDisk)
{
    const std::string model = WriteModel("picked.nuv", "print \"disk\\n\";\n");
    CNuvEdit* editor = OpenEditor(model);
    editor->Edit().SetText("print \"unsaved\\n\";\n");
    editor->m_bModified = TRUE;
    frame.findEditor = [this](const char* path) { return FindEditorIn(frame.MdiArea(), path); };

    prompts.ExpectFileCancel();
    controller.OnPickModel();
    EXPECT_STREQ(output->m_szModelPath, "");

    prompts.ExpectFile(QString::fromStdString(model));
    controller.OnPickModel();
    EXPECT_EQ(OutputLines(), std::vector<std::string>{"disk"});
    EXPECT_TRUE(editor->m_bModified);
    EXPECT_EQ(prompts.Records().front().text, "NUV - Run Model");
}

TEST_F(CommandTest, RunLastSavesAModifiedEditorOfThatFile)
{
    const std::string model = WriteModel("last.nuv", "print \"first\\n\";\n");
    controller.OnRunLast();  // nothing run yet: nothing happens
    EXPECT_STREQ(output->m_szModelPath, "");
    ASSERT_TRUE(Run(model));
    EXPECT_EQ(OutputLines(), std::vector<std::string>{"first"});

    frame.findEditor = [this](const char* path) { return FindEditorIn(frame.MdiArea(), path); };
    CNuvEdit* editor = OpenEditor(model);
    editor->Edit().SetText("print \"second\\n\";\n");
    editor->m_bModified = TRUE;
    controller.OnRunLast();
    EXPECT_FALSE(editor->m_bModified);
    EXPECT_EQ(OutputLines(), std::vector<std::string>{"second"});
}

TEST_F(CommandTest, NothingStartsWhileAModelRuns)
{
    const std::string model = WriteModel("busy.nuv", "sleep 60;\nprint \"once\\n\";\n");
    CNuvEdit* editor = OpenEditor(model);
    During(20, [&] {
        frame.SetActiveChild(editor);
        controller.OnRunActive();
        controller.OnPickModel();
        controller.OnRunLast();
        controller.OnEnvironment();
        EXPECT_FALSE(controller.RunModel(model.c_str()));
        controller.OnTerminate();  // handed back to the pump
    });
    ASSERT_TRUE(Run(model));
    EXPECT_EQ(OutputLines(), std::vector<std::string>{"once"});
    EXPECT_EQ(frame.postedCommands, std::vector<int>{ID_RUN_TERMINATE});
    controller.OnTerminate();  // no run: dropped
    EXPECT_EQ(frame.postedCommands.size(), 1u);
    EXPECT_TRUE(prompts.Records().empty());
}

TEST_F(CommandTest, RunDebuggerOnlyExplains)
{
    prompts.ExpectMessageBox(IDOK);
    EXPECT_TRUE(controller.OnCommand(ID_RUN_DEBUGGER));
    EXPECT_EQ(prompts.Last().text.toStdString(),
              "Sorry, this option is unavailable in this version of the NUV. It will be available in future versions "
              "of the system");
    EXPECT_EQ(prompts.Last().style, MB_ICONINFORMATION);
    EXPECT_FALSE(controller.OnCommand(ID_FILE_NEW));
    EXPECT_STREQ(output->m_szModelPath, "");
}
