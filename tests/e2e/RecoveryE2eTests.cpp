// Nothing typed is lost when the program does not end normally: a crash in
// the interpreter library, or a termination signal, leaves recovery copies
// that the next start gives back, byte for byte.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <csignal>

#include "FrameFixture.h"
#include "app/CMainFrame.h"
#include "config/CConfigFile.h"
#include "editor/CNuvEdit.h"

namespace {

// Waits until the process `pid` has taken the signals sent to it: pending
// signals are delivered lowest number first, so a second one sent at once
// could overtake the first.
void WaitUntilTaken(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    for (int tries = 0; tries < 1000 && status.open(QIODevice::ReadOnly); ++tries) {
        const QByteArray text = status.readAll();
        status.close();
        const qsizetype at = text.indexOf("ShdPnd:");
        if (at < 0 || text.mid(at + 7, text.indexOf('\n', at) - at - 7).trimmed().toULongLong(nullptr, 16) == 0)
            return;
        QThread::msleep(2);
    }
}

// How a session of the child program ends.
struct Ending {
    const char* what;
    const char* library;       // run the last model with it; "" for none
    bool exitFirst;            // leave first
    const char* waitFor;       // the line the child says before the signals; nullptr for none
    std::vector<int> sent;      // the signals sent then
    int patienceMs;            // how long a first signal waits for the event loop
    bool killed;               // ended by a signal's default action, not by an exit
    int code;                  // the exit code, or the signal that ended it; 0: any
    bool workspace;            // Save Settings on Exit was on: the windows come back from _nuv_.cfg
};

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

    QString ConfigPath() const { return dir.path() + "/_nuv_.cfg"; }

    // Starts the child session on two models to type into and a third to run.
    void StartChild(QProcess* child, const Ending& ending)
    {
        models = {WriteModel("a.nuv", "print 1;\n"), WriteModel("b.nuv", "print 2;\n"),
                  WriteModel("run.nuv", "print 3;\n")};
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("NUV_TEST_LIBRARY", ending.library);
        environment.insert("NUV_TEST_PATIENCE_MS", QString::number(ending.patienceMs));
        if (ending.exitFirst)
            environment.insert("NUV_TEST_EXIT", "1");
        child->setProcessEnvironment(environment);
        child->setWorkingDirectory(dir.path());
        QStringList arguments;
        for (const std::string& model : models)
            arguments << QString::fromStdString(model);
        child->start(RECOVERY_CHILD, arguments);
        ASSERT_TRUE(child->waitForStarted());
    }
    // The next `count` lines the child prints.
    static std::vector<QByteArray> Lines(QProcess* child, std::size_t count)
    {
        std::vector<QByteArray> lines;
        while (lines.size() < count && (child->canReadLine() || child->waitForReadyRead(20000))) {
            while (lines.size() < count && child->canReadLine())
                lines.push_back(child->readLine().trimmed());
        }
        return lines;
    }
    // The next start offers both models back; Yes reopens them exactly, in the
    // windows the workspace brought back when there is one.
    void ExpectBothRecovered(const std::vector<QByteArray>& expected, bool workspace)
    {
        ASSERT_EQ(expected.size(), 2u);
        prompts.ExpectMessageBox(IDYES);
        Start();
        ASSERT_EQ(prompts.Records().size(), 1u);
        EXPECT_EQ(prompts.Last().text, "NUV did not end properly last time. The unsaved changes of 2 model(s) can be "
                                       "recovered: a.nuv, b.nuv.\n\nYes reopens them, No deletes them, Cancel keeps "
                                       "them for the next start.");
        EXPECT_EQ(prompts.Last().style, MB_YESNOCANCEL | MB_ICONQUESTION);
        EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), workspace ? 3 : 2);
        for (std::size_t i = 0; i < 2; ++i) {
            auto* editor = qobject_cast<CNuvEdit*>(Frame().FindEditorWindow(models[i].c_str()));
            ASSERT_NE(editor, nullptr) << models[i];
            EXPECT_TRUE(editor->m_bModified);
            EXPECT_FALSE(editor->m_bUntitled);
            EXPECT_EQ(editor->SaveBytes(), QByteArray::fromHex(expected[i])) << models[i];
            ASSERT_TRUE(editor->Save());
            EXPECT_EQ(ReadFile(models[i]).toUtf8(), QByteArray::fromHex(expected[i]) + QByteArray(1, '\0'))
                << "a save writes it home";
        }
        // Taken once: the start after a normal end asks nothing.
        prompts.Clear();
        Start();
        EXPECT_TRUE(prompts.Records().empty());
    }
    // The frame records an exit wrote (section 4).
    int FrameRecords() const
    {
        CConfigFile reader(QFile::encodeName(dir.path()).constData(), "_nuv_.cfg", CConfigFile::kRead);
        int count = 0;
        if (reader.m_status == CFG_OK && reader.FindSection(4)) {
            while (reader.ReadRecord())
                ++count;
        }
        return count;
    }

    std::vector<std::string> models;
};

// However the session ends (the interpreter crashes; SIGTERM comes while
// nothing happens, or while the exit asks about a model; the interpreter hangs
// without ever polling and SIGTERM comes once, or SIGTERM and then SIGHUP),
// the next start gives every unsaved model back. Where the event loop takes
// the signal, the workspace is written as an exit writes it, without asking.
TEST_F(RecoveryE2e, NoEndLosesAModel)
{
    const std::vector<Ending> endings = {
        {"crash", CRASHING_LIBRARY, false, nullptr, {}, 3000, true, 0, false},
        {"SIGTERM", "", false, nullptr, {SIGTERM}, 3000, false, 128 + SIGTERM, true},
        {"SIGTERM at the exit's question", "", true, "asking", {SIGTERM}, 3000, false, 128 + SIGTERM, true},
        {"SIGTERM to a hung run", HANGING_LIBRARY, false, "hanging", {SIGTERM}, 100, true, SIGTERM, false},
        {"SIGTERM, SIGHUP to a hung run", HANGING_LIBRARY, false, "hanging", {SIGTERM, SIGHUP}, 600000, true, SIGHUP,
         false},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.what);
        QFile::remove(ConfigPath());
        if (ending.workspace) {
            // A workspace at the start turns Save Settings on Exit on.
            CConfigFile empty(QFile::encodeName(dir.path()).constData(), "_nuv_.cfg", CConfigFile::kWrite);
            ASSERT_EQ(empty.m_status, CFG_OK);
        }
        QProcess child;
        StartChild(&child, ending);
        const std::vector<QByteArray> expected = Lines(&child, 2);
        if (ending.waitFor) {
            ASSERT_EQ(Lines(&child, 1), std::vector<QByteArray>{ending.waitFor});
        }
        for (const int signal : ending.sent) {
            ::kill(static_cast<pid_t>(child.processId()), signal);
            WaitUntilTaken(child.processId());
        }
        ASSERT_TRUE(child.waitForFinished(30000));
        EXPECT_EQ(child.exitStatus(), ending.killed ? QProcess::CrashExit : QProcess::NormalExit);
        if (ending.code != 0) {
            EXPECT_EQ(child.exitCode(), ending.code);
        }
        if (ending.sent.empty()) {
            EXPECT_TRUE(child.readAllStandardError().contains("NUV: the interpreter library crashed and NUV ends now."));
        }
        EXPECT_EQ(QFile::exists(ConfigPath()), ending.workspace);
        if (ending.workspace) {
            EXPECT_EQ(FrameRecords(), 1);
        }
        ExpectBothRecovered(expected, ending.workspace);
        app.reset();
    }
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
