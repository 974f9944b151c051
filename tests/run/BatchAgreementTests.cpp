// nuv-run against the environment: the same models run through the output
// window and through the headless runner give the same bytes, and the
// runner's settings default to the environment's profile.
#include <QFile>

#include "ChildProcess.h"
#include "RunFixture.h"
#include "output/CNuvOutput.h"
#include "platform/Profile.h"

namespace {

QByteArray Bytes(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace

class BatchAgreementTest : public RunFixture {
protected:
    // What the output window's Save As writes after running `model`.
    QByteArray SavedAfterRun(const std::string& model, const char* savedName)
    {
        EXPECT_TRUE(Run(model));
        prompts.ExpectFile(QString::fromStdString(PathOf(savedName)));
        EXPECT_TRUE(output->SaveAs());
        return Bytes(PathOf(savedName));
    }
};

// Control characters, bytes that are not UTF-8, a 5 MB line, an unfinished
// last line, errors and the execution-time line: nuv-run writes, to a file
// and to a pipe alike, what Save As writes.
TEST_F(BatchAgreementTest, NuvRunWritesWhatTheOutputWindowSavesAfterTheSameRun)
{
    const struct {
        const char* name;
        const char* text;
        BOOL timer;
    } cases[] = {
        {"controls.nuv",
         "print \"ab\\bc\\td\\r\\n\"; print \"50%\"; print \"\\r60%\\n\"; print \"x\\vy\\n\";\n"
         "print \"\\a\\f\\x1b[1m bold\\b\\b\\b\\bBOLD\\n\"; print \"\\n\\n\\tgap\\n\"; print \"open line\";\n",
         FALSE},
        {"bytes.nuv",
         "print \"caf\\xe9 \\xff\\xfe\\x80\\tX\\n\"; print \"\\xc3\\xa9\\xf0\\x9f\\x98\\x80\\tY\\b\\bZ\\n\";\n"
         "print \"\\xe2\\x82\\tW\\n\";\n",
         FALSE},
        // A line of 5 MB, in pieces of 100 bytes.
        {"long.nuv",
         "for (i = 0; i < 55000; i++) {\n"
         "    print \"0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567\t9\";\n"
         "}\nprint \"\\nend\\n\";\n",
         FALSE},
        {"errors.nuv", "print \"partial\";\nprint 1 / 0;\n", TRUE},
        {"timed.nuv", "print \"tick\\n\";\nprint \"tock\";\n", TRUE},
        {"empty.nuv", "", TRUE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string model = WriteModel(c.name, c.text);
        settings.m_bTimer = c.timer;
        const QByteArray saved = SavedAfterRun(model, "saved.out");
        const std::vector<std::string> timer = {"--timer", c.timer ? "on" : "off", "--range-check", "on"};

        std::vector<std::string> toFile = {NUV_RUN, "-o", PathOf("batch.out")};
        toFile.insert(toFile.end(), timer.begin(), timer.end());
        toFile.push_back(model);
        const ChildResult fileRun = RunChild(toFile);
        EXPECT_EQ(fileRun.err, "");
        EXPECT_EQ(Bytes(PathOf("batch.out")), saved);

        std::vector<std::string> toPipe = {NUV_RUN};
        toPipe.insert(toPipe.end(), timer.begin(), timer.end());
        toPipe.push_back(model);
        const ChildResult pipeRun = RunChild(toPipe);
        EXPECT_EQ(QByteArray::fromStdString(pipeRun.out), saved);
        EXPECT_EQ(pipeRun.ExitCode(), fileRun.ExitCode());
    }
}

// The listing of -p is the environment's listing file, byte for byte.
TEST_F(BatchAgreementTest, TheListingIsTheEnvironmentsListingFile)
{
    WriteModel("part.inc", "shared = 1;\r\n");
    const std::string model = WriteModel("listed.nuv", "#include \"part.inc\"\nprint shared, \"\\n\";\n");
    settings.m_bPreprocessOnly = TRUE;
    output->SetOption(CNuvOutput::kOptionSendToFile, TRUE);
    ASSERT_TRUE(Run(model));
    const QByteArray listing = ReadFile("listed.prp");
    ASSERT_TRUE(listing.startsWith("// Preprocessor listing\r\n\r\n\r\n"));

    const ChildResult result = RunChild({NUV_RUN, "-p", "-o", PathOf("batch.prp"), model});
    EXPECT_EQ(result.ExitCode(), 0);
    EXPECT_EQ(Bytes(PathOf("batch.prp")), listing);
}

// Without options the runner takes Timer and RangeCheck from the profile the
// environment writes, and never writes it itself; options win over it.
TEST_F(BatchAgreementTest, SettingsComeFromTheEnvironmentsProfile)
{
    const std::string model = WriteModel("wrap.nuv", "array a[2];\na[2] = 7;\nprint a[0], \"\\n\";\n");
    Profile::WriteInt("Options", "Timer", 1);
    Profile::WriteInt("Options", "RangeCheck", 0);
    Profile::Flush();
    const QString profile = QString::fromUtf8(qgetenv("XDG_CONFIG_HOME")) + "/nuv/nuv.ini";
    const QByteArray before = Bytes(profile.toStdString());
    ASSERT_TRUE(before.contains("Timer"));

    const ChildResult fromProfile = RunChild({NUV_RUN, model});
    EXPECT_EQ(fromProfile.ExitCode(), 0) << "range check off: a[2] is a[0]";
    EXPECT_EQ(fromProfile.out, "7\r\n  . . . Execution time was 0 hours 0 minutes 0 seconds\r\n");

    const ChildResult fromOptions = RunChild({NUV_RUN, "--timer", "off", "--range-check", "on", model});
    EXPECT_EQ(fromOptions.ExitCode(), 1);
    EXPECT_EQ(fromOptions.out.find("Execution time"), std::string::npos);

    EXPECT_EQ(Bytes(profile.toStdString()), before);
    Profile::RemoveKey("Options", "Timer");
    Profile::RemoveKey("Options", "RangeCheck");
    Profile::Flush();
}
