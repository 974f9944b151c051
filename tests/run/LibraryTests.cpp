// The interpreter library that cannot be used: nothing of the run happens.
#include <QMenu>
#include <dlfcn.h>

#include "RunFixture.h"
#include "output/CNuvOutput.h"
#include "run/CInterpreterLibrary.h"

namespace {
// True while the library at `path` is loaded in this process.
bool IsLoaded(const char* path)
{
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

struct Case {
    const char* library;
    const char* message;
};
}  // namespace

class LibraryTest : public RunFixture {};

TEST_F(LibraryTest, AnUnusableLibraryStopsTheRunWithItsMessage)
{
    const std::string model = WriteModel("m.nuv", "print \"hello\\n\";\n");
    const Case cases[] = {
        {"/nonexistent/libtavo.so", "Cannot load the library TAVO.DLL!"},
        {NOENTRY_LIBRARY, "Cannot use the library TAVO.DLL!"},
        {BUSY_LIBRARY,
         "The library 'tavo.dll' is being used by another instance of the NUV. Please terminate the running model in "
         "that instance before running a model in this instance of the NUV!"},
    };
    frame.setWindowTitle("NUV");
    for (const Case& c : cases) {
        CInterpreterLibrary::SetFileName(c.library);
        prompts.ExpectMessageBox(IDOK);
        EXPECT_FALSE(Run(model)) << c.library;
        EXPECT_EQ(prompts.Last().text.toStdString(), c.message);
        EXPECT_EQ(prompts.Last().style, MB_ICONSTOP);
        EXPECT_FALSE(output->m_bRunning);
        EXPECT_STREQ(output->m_szModelPath, "");
        EXPECT_TRUE(output->m_bHidden);
        EXPECT_EQ(frame.RunMenu()->actions().size(), 6);
        EXPECT_EQ(frame.windowTitle(), "NUV");
        EXPECT_FALSE(IsLoaded(c.library));
    }
}

TEST_F(LibraryTest, LibraryIsLoadedOnlyWhileTheModelRuns)
{
    const std::string model = WriteModel("m.nuv", "sleep 50;\nprint \"x\\n\";\n");
    bool loadedDuring = false;
    During(10, [&] { loadedDuring = IsLoaded(TAVO_LIBRARY); });
    ASSERT_TRUE(Run(model));
    EXPECT_TRUE(loadedDuring);
    EXPECT_FALSE(IsLoaded(TAVO_LIBRARY));
}

TEST_F(LibraryTest, AMissingListingEntryIsReportedAfterThePreprocessOnlyRun)
{
    CInterpreterLibrary::SetFileName(NOLISTING_LIBRARY);
    settings.m_bPreprocessOnly = TRUE;
    prompts.ExpectMessageBox(IDOK);
    EXPECT_TRUE(Run(WriteModel("m.nuv", "print 1;\n")));
    EXPECT_TRUE(prompts.Last().text.contains("GivePreprocText"));
    EXPECT_EQ(prompts.Last().style, MB_ICONEXCLAMATION);
    EXPECT_EQ(OutputLines(), std::vector<std::string>{"test interpreter ran"});
    EXPECT_FALSE(output->m_bRunning);
    EXPECT_FALSE(IsLoaded(NOLISTING_LIBRARY));
}
