// nuv-run: runs one NUV model without a window, as Run does in the environment.
#include <cstdio>

#include "batch/BatchMessages.h"
#include "batch/CBatchOptions.h"
#include "batch/CBatchRun.h"
#include "platform/BreakSignals.h"

namespace {
constexpr unsigned kGraceSeconds = 3;
}

int main(int argc, char** argv)
{
    const CBatchOptions options = CBatchOptions::Parse(argc, argv);
    switch (options.m_action) {
    case CBatchOptions::Action::Help: std::fputs(CBatchOptions::HelpText().c_str(), stdout); return kExitFinished;
    case CBatchOptions::Action::Version: std::fputs(CBatchOptions::VersionText().c_str(), stdout); return kExitFinished;
    case CBatchOptions::Action::Usage:
        ReportLine(options.m_error);
        std::fputs(CBatchOptions::HelpText().c_str(), stderr);
        return kExitUsage;
    case CBatchOptions::Action::Run: break;
    }
    BreakSignals::Install(kGraceSeconds);
    return CBatchRun(options).Run();
}
