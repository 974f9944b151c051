// nuv-run as a person or a scheduler starts it: the real executable, the real
// interpreter library (or a broken one put beside a copy of the executable),
// its exit statuses, its messages, its output files and how it meets signals,
// full disks and a busy library.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "ChildProcess.h"
#include "TinyFileSystem.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteAll(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The temporary files an output file is written through, left in `folder`.
int Temporaries(const std::string& folder)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename().string().rfind(".nuv-run", 0) == 0;
    return count;
}

// The process has loaded the interpreter library: its signal handlers are in place.
bool LibraryLoaded(pid_t pid)
{
    for (int i = 0; i < 1000; ++i) {
        if (ReadAll("/proc/" + std::to_string(pid) + "/maps").find("libtavo.so") != std::string::npos)
            return true;
        ::usleep(10 * 1000);
    }
    return false;
}

class NuvRun : public ::testing::Test {
protected:
    NuvRun()
    {
        char pattern[] = "/tmp/nuv-run-test-XXXXXX";
        m_dir = ::mkdtemp(pattern);
        fs::create_directory(m_dir + "/runtime");
        fs::create_directory(m_dir + "/config");
    }
    ~NuvRun() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return m_dir + "/" + name; }
    std::string Model(const std::string& name, const std::string& text) const
    {
        WriteAll(Path(name), text);
        return Path(name);
    }
    // Each test its own runtime folder (the library's run lock) and an empty profile.
    std::vector<std::string> Environment() const
    {
        return {"XDG_RUNTIME_DIR=" + m_dir + "/runtime", "XDG_CONFIG_HOME=" + m_dir + "/config"};
    }
    // nuv-run beside the real library (""), beside a broken one (a variant's
    // name), or alone ("none").
    std::string Executable(const std::string& variant = "") const
    {
        if (variant.empty())
            return NUV_RUN;
        const std::string folder = Path("exe-" + variant);
        fs::create_directory(folder);
        fs::copy_file(NUV_RUN, folder + "/nuv-run", fs::copy_options::overwrite_existing);
        if (variant != "none")
            fs::copy_file(std::string(VARIANT_DIR) + "/libbatch_lib_" + variant + ".so", folder + "/libtavo.so",
                          fs::copy_options::overwrite_existing);
        return folder + "/nuv-run";
    }
    ChildResult Run(std::vector<std::string> arguments, const std::string& variant = "",
                    const std::string& stdoutFile = {}) const
    {
        arguments.insert(arguments.begin(), Executable(variant));
        return RunChild(arguments, Environment(), stdoutFile);
    }

    std::string m_dir;
};

// Every way a run can end has its own status; a run that could not start or
// finish says why in exactly one line on standard error, naming the file, and
// leaves nothing under the output's name.
TEST_F(NuvRun, EachOutcomeAndEachFailureHasItsOwnExitStatus)
{
    const std::string hello = Model("hello.nuv", "print \"Hello\\n\";\n");
    const std::string empty = Model("empty.nuv", "");
    const std::string errors = Model("errors.nuv", "print \"before\\n\";\nprint 1 / 0;\n");
    ::mkfifo(Path("fifo.nuv").c_str(), 0600);
    fs::create_directory(Path("folder.nuv"));
    std::string deep = m_dir;
    while (deep.size() + 101 <= 3850)
        deep += "/" + std::string(100, 'd');
    fs::create_directories(deep);
    const std::string longPath = deep + "/" + std::string(4000 - deep.size() - 1, 'm');
    WriteAll(longPath, "print \"deep\\n\";\n");
    ASSERT_EQ(longPath.size(), 4000u);
    const std::string out = Path("out.txt");

    const struct {
        const char* what;
        std::vector<std::string> arguments;
        std::string variant;
        int status;
        std::string stdoutText;   // exactly, when the run writes to standard output
        std::string errorNames;   // the one line on standard error names this ("": no line)
    } cases[] = {
        {"finished", {hello}, "", 0, "Hello\r\n", ""},
        {"an empty model runs", {empty}, "", 0, "", ""},
        {"a 4000-byte model path", {longPath}, "", 0, "deep\r\n", ""},
        {"errors", {errors}, "", 1, "before\r\n" + errors + "(2): run-time error: division by zero\r\n", ""},
        {"stopped", {hello}, "outcome2", 2, "test interpreter ran\r\n", ""},
        {"not run", {hello}, "outcome4", 3, "test interpreter ran\r\n", ""},
        {"another outcome", {hello}, "outcome65543", 4, "test interpreter ran\r\n", ""},
        {"unknown option", {"--frobnicate", hello}, "", 64, "", "--frobnicate"},
        {"no model", {}, "", 64, "", "no model"},
        {"--append without --output", {"-a", hello}, "", 64, "", "--append"},
        {"missing model", {Path("missing.nuv")}, "", 66, "", Path("missing.nuv")},
        {"a directory", {Path("folder.nuv")}, "", 66, "", Path("folder.nuv")},
        {"a FIFO", {Path("fifo.nuv")}, "", 66, "", Path("fifo.nuv")},
        {"no library", {"-o", out, hello}, "none", 69, "", "libtavo.so"},
        {"an entry point missing", {"-o", out, hello}, "noentry", 70, "", "libtavo.so"},
        {"busy", {"-o", out, hello}, "busy", 75, "", "libtavo.so"},
        {"output folder missing", {"-o", Path("no/such/out.txt"), hello}, "", 73, "", Path("no/such/out.txt")},
        {"output is a folder", {"-o", Path("folder.nuv"), hello}, "", 73, "", Path("folder.nuv")},
        {"output folder read-only", {"-o", "/proc/nuv-run.out", hello}, "", 73, "", "/proc/nuv-run.out"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ChildResult result = Run(c.arguments, c.variant);
        ASSERT_FALSE(result.timedOut);
        EXPECT_EQ(result.ExitCode(), c.status);
        if (c.status < 64) {
            EXPECT_EQ(result.out, c.stdoutText);
        }
        if (c.errorNames.empty()) {
            EXPECT_EQ(result.err, "");
        } else if (c.status == 64) {
            EXPECT_NE(result.err.find(c.errorNames), std::string::npos) << result.err;
            EXPECT_NE(result.err.find("Usage: nuv-run"), std::string::npos) << result.err;
        } else {
            ASSERT_EQ(result.ErrLines().size(), 1u) << result.err;
            EXPECT_NE(result.err.find(c.errorNames), std::string::npos) << result.err;
        }
        EXPECT_FALSE(fs::exists(out)) << "nothing is left under the output's name";
    }
}

// The statuses a person reads in --help are the ones the runs above give.
TEST_F(NuvRun, HelpAndVersionGoToStandardOutput)
{
    const ChildResult help = Run({"--help"});
    EXPECT_EQ(help.ExitCode(), 0);
    EXPECT_EQ(help.err, "");
    for (const char* status : {"\n     0  ", "\n     1  ", "\n     2  ", "\n     3  ", "\n     4  ", "\n    64  ",
                               "\n    66  ", "\n    69  ", "\n    70  ", "\n    73  ", "\n    75  "})
        EXPECT_NE(help.out.find(status), std::string::npos) << status;
    const ChildResult version = Run({"-V"});
    EXPECT_EQ(version.ExitCode(), 0);
    EXPECT_NE(version.out.find("v. 3.1"), std::string::npos) << version.out;
}

// Nothing of Qt's GUI (nor of Qt at all) is loaded, and no display is needed.
TEST_F(NuvRun, RunsWithoutADisplayAndWithoutTheGuiLibraries)
{
    const std::string model = Model("slow.nuv", "print \"up\\n\";\nsleep 2000;\n");
    std::vector<std::string> environment = Environment();
    environment.insert(environment.end(), {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
    ChildProcess child({NUV_RUN, model}, environment);
    ASSERT_TRUE(child.Start());
    ASSERT_TRUE(child.WaitForOutput("up\r\n", 10000)) << "the line reached the pipe before the model paused";
    const std::string maps = ReadAll("/proc/" + std::to_string(child.Pid()) + "/maps");
    EXPECT_NE(maps.find("libtavo.so"), std::string::npos) << "the maps are those of the running model";
    EXPECT_EQ(maps.find("libQt6"), std::string::npos) << maps;
    child.Signal(SIGTERM);
    const ChildResult result = child.Finish(10000);
    EXPECT_EQ(result.ExitCode(), 2);
    EXPECT_EQ(result.out, "up\r\n");
}

// The first SIGINT or SIGTERM stops the model by its normal path, keeping the
// output; a second one, or a model that never asks IsBreak, ends the process
// with the signal, leaving nothing under the output's name.
TEST_F(NuvRun, SignalsStopTheRunKeepingItsOutput)
{
    const std::string model = Model("loop.nuv", "print \"first\\n\";\nwhile (1) { sleep 10; }\n");
    const struct {
        const char* what;
        std::string variant;
        int signalCount;
        int status;      // -1: ended by the signal
        bool fileKept;
    } cases[] = {
        {"SIGTERM stops the model", "", 1, 2, true},
        {"a second signal ends the process", "hang", 2, -1, false},
        {"a model that never asks IsBreak is ended after the grace time", "hang", 1, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string out = Path("signalled.out");
        fs::remove(out);
        ChildProcess child({Executable(c.variant), "-o", out, model}, Environment());
        ASSERT_TRUE(child.Start());
        ASSERT_TRUE(LibraryLoaded(child.Pid()));
        ::usleep(100 * 1000);
        for (int i = 0; i < c.signalCount; ++i) {
            child.Signal(SIGTERM);
            ::usleep(100 * 1000);
        }
        const ChildResult result = child.Finish(10000);
        ASSERT_FALSE(result.timedOut);
        if (c.status >= 0) {
            EXPECT_EQ(result.ExitCode(), c.status);
        } else {
            EXPECT_EQ(result.Signal(), SIGTERM);
        }
        EXPECT_EQ(fs::exists(out), c.fileKept);
        if (c.fileKept) {
            EXPECT_EQ(ReadAll(out), "first\r\n");
        }
        EXPECT_EQ(Temporaries(m_dir), 0);
    }
}

// A library that crashes takes the process with it; the file under the
// output's name keeps what it held, also when the run was to append to it.
TEST_F(NuvRun, ACrashingLibraryLeavesTheOutputFileAsItWas)
{
    const std::string model = Model("any.nuv", "print 1;\n");
    const std::string out = Path("kept.out");
    for (const bool append : {false, true}) {
        WriteAll(out, "earlier output\r\n");
        std::vector<std::string> arguments = {"-o", out, model};
        if (append)
            arguments.insert(arguments.begin(), "-a");
        const ChildResult result = Run(arguments, "crash");
        EXPECT_EQ(result.Signal(), SIGSEGV) << result.err;
        EXPECT_EQ(ReadAll(out), "earlier output\r\n");
    }
    EXPECT_EQ(Temporaries(m_dir), 0);
}

// -o replaces the file, or with -a follows its old contents; a symbolic link
// is written through, and the file keeps its permission bits.
TEST_F(NuvRun, AnOutputFileIsReplacedOrAppendedToThroughLinksKeepingItsMode)
{
    const std::string model = Model("two.nuv", "print \"one\\ntwo\";\n");
    const std::string target = Path("target.out");
    const std::string link = Path("link.out");
    fs::create_symlink(target, link);
    const struct {
        bool append;
        const char* before;  // nullptr: no file yet
        const char* after;
    } cases[] = {
        {false, nullptr, "one\r\ntwo\r\n"},
        {false, "old\r\n", "one\r\ntwo\r\n"},
        {true, "old\r\n", "old\r\none\r\ntwo\r\n"},
        {true, nullptr, "one\r\ntwo\r\n"},
    };
    for (const auto& c : cases) {
        fs::remove(target);
        if (c.before) {
            WriteAll(target, c.before);
            ::chmod(target.c_str(), 0640);
        }
        std::vector<std::string> arguments = {"-o", link, model};
        if (c.append)
            arguments.insert(arguments.begin(), "--append");
        const ChildResult result = Run(arguments);
        EXPECT_EQ(result.ExitCode(), 0) << result.err;
        EXPECT_EQ(ReadAll(target), c.after);
        EXPECT_TRUE(fs::is_symlink(link));
        struct stat st {};
        ::stat(target.c_str(), &st);
        if (c.before) {
            EXPECT_EQ(st.st_mode & 0777, 0640u);
        }
    }
}

// A full disk stops the model through IsBreak (the model below never ends by
// itself), says which file could not be written, and leaves no file under
// the output's name; standard output on a full device likewise.
TEST_F(NuvRun, AFullDiskEndsTheRunAndLeavesNoFile)
{
    const std::string model = Model("endless.nuv", "while (1) { print \"a line of output that never ends\\n\"; }\n");
    const ChildResult toDevice = Run({model}, "", "/dev/full");
    EXPECT_EQ(toDevice.ExitCode(), 73);
    ASSERT_EQ(toDevice.ErrLines().size(), 1u) << toDevice.err;
    EXPECT_NE(toDevice.err.find("standard output"), std::string::npos);

    TinyFileSystem disk(64 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "no privilege to mount a small file system";
    const std::string out = disk.Path("full.out");
    const ChildResult toFile = Run({"-o", out, model});
    EXPECT_EQ(toFile.ExitCode(), 73);
    ASSERT_EQ(toFile.ErrLines().size(), 1u) << toFile.err;
    EXPECT_NE(toFile.err.find(out), std::string::npos);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(Temporaries(disk.Path("")), 0);
}

// While another program runs a model in the library, a run is refused; with
// --wait it queues and runs once the library is free.
TEST_F(NuvRun, WaitQueuesBehindABusyLibrary)
{
    const std::string slow = Model("slow.nuv", "print \"slow\\n\";\nsleep 1500;\n");
    const std::string quick = Model("quick.nuv", "print \"quick\\n\";\n");
    ChildProcess first({NUV_RUN, slow}, Environment());
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(first.WaitForOutput("slow", 10000));

    const ChildResult refused = Run({quick});
    EXPECT_EQ(refused.ExitCode(), 75);
    ASSERT_EQ(refused.ErrLines().size(), 1u);
    EXPECT_NE(refused.err.find("is being used by another instance"), std::string::npos) << refused.err;

    const ChildResult waited = Run({"--wait", quick});
    EXPECT_EQ(waited.ExitCode(), 0) << waited.err;
    EXPECT_EQ(waited.out, "quick\r\n");
    const ChildResult firstResult = first.Finish(10000);
    EXPECT_EQ(firstResult.ExitCode(), 0) << "the waiting run came after the first had ended";
}

}  // namespace
