// Nothing typed is lost when the program does not end normally: a crash in
// the interpreter library, or a termination signal, leaves recovery copies
// that the next start gives back, byte for byte.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <csignal>

#include "FrameFixture.h"
#include "app/CMainFrame.h"
#include "editor/CNuvEdit.h"

namespace {

class RecoveryE2e : public FrameFixture {
protected:
    // The copies live in the program's own folder, named after the program.
    void SetUp() override
    {
        QCoreApplication::setApplicationName("nuv");
        QCoreApplication::setOrganizationName("nuv");
    }
    void TearDown() override
    {
        QCoreApplication::setApplicationName(QString());
        QCoreApplication::setOrganizationName(QString());
    }

    // Starts the child session on two models to type into and a third to run.
    void StartChild(QProcess* child, const QString& library)
    {
        models = {WriteModel("a.nuv", "print 1;\n"), WriteModel("b.nuv", "print 2;\n"),
                  WriteModel("run.nuv", "print 3;\n")};
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("NUV_TEST_LIBRARY", library);
        child->setProcessEnvironment(environment);
        child->setWorkingDirectory(dir.path());
        QStringList arguments;
        for (const std::string& model : models)
            arguments << QString::fromStdString(model);
        child->start(RECOVERY_CHILD, arguments);
        ASSERT_TRUE(child->waitForStarted());
    }
    // What the child printed: the bytes each typed-into window would save.
    static std::vector<QByteArray> SavedBytes(QProcess* child)
    {
        std::vector<QByteArray> bytes;
        while (bytes.size() < 2 && child->waitForReadyRead(20000)) {
            while (child->canReadLine())
                bytes.push_back(QByteArray::fromHex(child->readLine().trimmed()));
        }
        return bytes;
    }
    // The next start offers both models back; Yes reopens them exactly.
    void ExpectBothRecovered(const std::vector<QByteArray>& expected)
    {
        ASSERT_EQ(expected.size(), 2u);
        prompts.ExpectMessageBox(IDYES);
        Start();
        ASSERT_EQ(prompts.Records().size(), 1u);
        EXPECT_EQ(prompts.Last().text, "NUV did not end properly last time. The unsaved changes of 2 model(s) can be "
                                       "recovered: a.nuv, b.nuv.\n\nYes reopens them, No deletes them, Cancel keeps "
                                       "them for the next start.");
        EXPECT_EQ(prompts.Last().style, MB_YESNOCANCEL | MB_ICONQUESTION);
        for (std::size_t i = 0; i < 2; ++i) {
            auto* editor = qobject_cast<CNuvEdit*>(Frame().FindEditorWindow(models[i].c_str()));
            ASSERT_NE(editor, nullptr) << models[i];
            EXPECT_TRUE(editor->m_bModified);
            EXPECT_FALSE(editor->m_bUntitled);
            EXPECT_EQ(editor->SaveBytes(), expected[i]) << models[i];
            ASSERT_TRUE(editor->Save());
            EXPECT_EQ(ReadFile(models[i]).toUtf8(), expected[i] + QByteArray(1, '\0')) << "a save writes it home";
        }
        // Taken once: the start after a normal end asks nothing.
        prompts.Clear();
        Start();
        EXPECT_TRUE(prompts.Records().empty());
    }

    std::vector<std::string> models;
};

TEST_F(RecoveryE2e, ACrashInTheInterpreterLosesNoModel)
{
    QProcess child;
    StartChild(&child, CRASHING_LIBRARY);
    const std::vector<QByteArray> expected = SavedBytes(&child);
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    EXPECT_TRUE(child.readAllStandardError().contains("NUV: the interpreter library crashed and NUV ends now."));
    ExpectBothRecovered(expected);
}

TEST_F(RecoveryE2e, ATerminationSignalKeepsTheModelsForTheNextStart)
{
    QProcess child;
    StartChild(&child, "");
    const std::vector<QByteArray> expected = SavedBytes(&child);
    ::kill(static_cast<pid_t>(child.processId()), SIGTERM);
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 128 + SIGTERM);
    ExpectBothRecovered(expected);
}

// A recovery folder that cannot be made (a file in its place) is named once
// at the start, with the reason; the program runs on.
TEST_F(RecoveryE2e, AFolderThatCannotBeMadeIsReportedOnce)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    ASSERT_TRUE(QDir().mkpath(data));
    QFile blocker(data + "/recovery");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    prompts.ExpectMessageBox(IDOK);
    Start();
    ASSERT_EQ(prompts.Records().size(), 1u);
    EXPECT_EQ(prompts.Last().text, "Unsaved changes are not protected against a crash in this session: the recovery "
                                   "folder " + data + "/recovery cannot be used (Not a directory).");
    EXPECT_EQ(prompts.Last().style, MB_ICONEXCLAMATION);
    app.reset();
    QFile::remove(data + "/recovery");
}

}  // namespace
