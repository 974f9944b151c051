// The command line as a person types it: what each form asks for, and what
// the real program does with --help, --version and a wrong option, with no
// display to connect to.
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "app/CProgramArguments.h"
#include "res/Version.h"

namespace {

using Action = CProgramArguments::Action;
using Strings = std::vector<std::string>;

CProgramArguments Parse(const Strings& arguments)
{
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    return CProgramArguments::Parse(static_cast<int>(argv.size()), argv.data());
}

TEST(ProgramArguments, WhatEachCommandLineAsksFor)
{
    struct Case {
        const char* name;
        Strings argv;
        Action action;
        Strings models;
        Strings toolkit;  // after the program's own name
        std::string error;
    };
    const std::vector<Case> cases = {
        {"nothing", {"nuv"}, Action::Start, {}, {}, ""},
        {"one argument one name, bytes kept", {"nuv", "my model.nuv", "caf\xE9", ""}, Action::Start,
         {"my model.nuv", "caf\xE9", ""}, {}, ""},
        {"help wins over what follows", {"nuv", "a.nuv", "--help", "-x"}, Action::Help, {"a.nuv"}, {}, ""},
        {"short help", {"nuv", "-h"}, Action::Help, {}, {}, ""},
        {"version", {"nuv", "--version"}, Action::Version, {}, {}, ""},
        {"an unknown option before help", {"nuv", "-x.nuv", "--help"}, Action::Error, {}, {},
         "nuv: unknown option '-x.nuv'; see 'nuv --help'"},
        {"a lone dash", {"nuv", "-"}, Action::Error, {}, {}, "nuv: unknown option '-'; see 'nuv --help'"},
        {"after -- everything is a model", {"nuv", "--", "-x.nuv", "--help", "--"}, Action::Start,
         {"-x.nuv", "--help", "--"}, {}, ""},
        {"a name with its folder", {"nuv", "./-x.nuv"}, Action::Start, {"./-x.nuv"}, {}, ""},
        {"toolkit options go to the toolkit only",
         {"nuv", "a.nuv", "-style", "fusion", "--platform=offscreen", "-reverse", "b"}, Action::Start,
         {"a.nuv", "b"}, {"-style", "fusion", "-platform", "offscreen", "-reverse"}, ""},
        {"a toolkit option without its value", {"nuv", "a.nuv", "-display"}, Action::Error, {"a.nuv"}, {},
         "nuv: option '-display' needs a value; see 'nuv --help'"},
        {"a flag given a value", {"nuv", "-reverse=1"}, Action::Error, {}, {},
         "nuv: unknown option '-reverse=1'; see 'nuv --help'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CProgramArguments parsed = Parse(c.argv);
        EXPECT_EQ(parsed.action, c.action);
        EXPECT_EQ(parsed.error, c.error);
        EXPECT_EQ(parsed.models, c.models);
        if (c.action == Action::Start) {
            Strings toolkit = {"nuv"};
            toolkit.insert(toolkit.end(), c.toolkit.begin(), c.toolkit.end());
            EXPECT_EQ(parsed.toolkitArguments, toolkit);
        }
    }
    EXPECT_TRUE(Parse({"nuv", "-display", ":5"}).NamesDisplay());
    EXPECT_FALSE(Parse({"nuv", "--", "-display"}).NamesDisplay());
}

// The real program, started as a person starts it but with no display at
// all: these answers come before the toolkit would look for one.
TEST(ProgramArguments, HelpVersionAndWrongOptionsNeedNoDisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* outputHas;  // nullptr: no output at all
        QString errors;
        bool fullOutput = false;  // standard output on a full device
    };
    const Case cases[] = {
        {{"--help"}, 0, "_nuv_.cfg", ""},
        {{"-h", "x.nuv"}, 0, "Usage: nuv [OPTION]... [MODEL]...", ""},
        {{"--version"}, 0, "nuv " NUV_VERSION "\n", ""},
        {{"model.nuv", "--bogus"}, 2, nullptr, "nuv: unknown option '--bogus'; see 'nuv --help'\n"},
        {{"model.nuv"}, 2, nullptr, ""},  // no display: said so, nothing opened
        {{"--help"}, 1, nullptr, "nuv: cannot write to standard output\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QProcess nuv;
        nuv.setProcessEnvironment(environment);
        if (c.fullOutput)
            nuv.setStandardOutputFile("/dev/full");
        nuv.start(NUV_EXECUTABLE, c.arguments);
        ASSERT_TRUE(nuv.waitForFinished(20000));
        EXPECT_EQ(nuv.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(nuv.exitCode(), c.exitCode);
        const QString output = QString::fromUtf8(nuv.readAllStandardOutput());
        const QString errors = QString::fromUtf8(nuv.readAllStandardError());
        if (c.outputHas)
            EXPECT_TRUE(output.contains(QString::fromUtf8(c.outputHas))) << output.toStdString();
        else
            EXPECT_TRUE(output.isEmpty()) << output.toStdString();
        if (c.exitCode == 2 && c.errors.isEmpty())
            EXPECT_TRUE(errors.startsWith("nuv: no graphical display found")) << errors.toStdString();
        else
            EXPECT_EQ(errors, c.errors);
    }
}

}  // namespace
