// Fuzzes the stand-in interpreter: preprocessor, lexer, parser and interpreter, on a model and
// include files held in memory (TavoInput), with a budget that ends endless or enormous models
// quickly. Besides not crashing, a run keeps the library's promises:
//  - its outcome is 1 (with an error line), 2 or 3; never 4, since the files are all readable;
//  - an error ends the output with one line "<path>(<line>): <kind> error: <message>" naming
//    a file of the run and a line that file has;
//  - a preprocess-only run prints nothing unless it fails, and then exactly what the full run
//    prints;
//  - the listing of a model that preprocesses cleanly runs like the model itself: the same
//    outcome and the same output, error lines apart.
#include "FuzzCheck.h"
#include "TavoInput.h"

#include "ModelRun.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

// Small enough that no input runs for long; large enough for every path of the language.
tavo::RunBudget FuzzBudget()
{
    tavo::RunBudget budget;
    budget.sourceBytes = 256 * 1024;
    budget.programParts = 20000;
    budget.arrayElements = 65536;
    budget.work = 50000;
    budget.sleeps = false;
    return budget;
}

// What the environment's side of one run saw.
struct Capture {
    std::string output;
    int isBreakCalls = 0;
    int breakOnCall = 0;
};
Capture *g_capture = nullptr; // the run in progress (the services are C functions)

int Output(const char *text)
{
    FuzzRequire(text != nullptr, "OutputResult gets a text");
    g_capture->output += text;
    return 1;
}
int IsBreak() { return ++g_capture->isBreakCalls == g_capture->breakOnCall ? 1 : 0; }
int DllCount() { return 2; }
const char *DllName(int index) { return index == 0 ? "first.so" : index == 1 ? "zweite-\xC3\xA4.so" : nullptr; }

struct Result {
    uint32_t outcome = 0;
    std::string output;
    std::string listing;
};

Result Run(const TavoInput &input, const MemoryReader &files, const std::string &path, bool preprocessOnly)
{
    Capture capture;
    capture.breakOnCall = input.breakOnCall;
    g_capture = &capture;
    tavo::ModelRunOptions options;
    options.settings.updateLimit = input.updateLimit;
    options.settings.rangeCheck = input.rangeCheck;
    options.settings.budget = FuzzBudget();
    options.preprocessOnly = preprocessOnly;
    const tavo::Services services{&Output, &IsBreak, &DllCount, &DllName};
    tavo::ModelRun run(services, options, files);
    Result result;
    result.outcome = run.Run(path);
    result.output = std::move(capture.output);
    result.listing = std::move(run.Listing());
    g_capture = nullptr;
    return result;
}

// Lines as the preprocessor counts them: the text ends at its first zero byte, and a last line
// without a line end is a line.
std::size_t LineCount(const std::string &text)
{
    const std::string_view used(text.data(), std::min(text.find('\0'), text.size()));
    const auto ends = static_cast<std::size_t>(std::count(used.begin(), used.end(), '\n'));
    return ends + (!used.empty() && used.back() != '\n' ? 1 : 0);
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// Where the last line of `output` starts.
std::size_t LastLineStart(const std::string &output)
{
    const std::size_t end = output.rfind('\n', output.size() - 2);
    return end == std::string::npos ? 0 : end + 1;
}

void CheckErrorLine(const std::string &output, const MemoryReader &files)
{
    FuzzRequire(!output.empty() && output.back() == '\n', "an error line ends the output");
    const std::string line = output.substr(LastLineStart(output), std::string::npos);
    // The path may hold "(" itself: the first "(<digits>): " after a known path counts.
    for (std::size_t open = line.find('('); open != std::string::npos; open = line.find('(', open + 1)) {
        std::size_t close = open + 1;
        while (close < line.size() && close - open <= 10 && line[close] >= '0' && line[close] <= '9')
            ++close;
        const std::string *text = files.Find(line.substr(0, open));
        if (close == open + 1 || line.compare(close, 3, "): ") != 0 || !text)
            continue;
        const std::size_t number = std::stoul(line.substr(open + 1, close - open - 1));
        FuzzRequire(number >= 1 && number <= std::max<std::size_t>(LineCount(*text), 1),
                    "the error line names a line of its file");
        const std::string_view message = std::string_view(line).substr(close + 3);
        FuzzRequire(StartsWith(message, "syntax error: ") || StartsWith(message, "preprocessor error: ") ||
                        StartsWith(message, "run-time error: "),
                    "the error line says what kind of error it is");
        return;
    }
    FuzzRequire(false, "an error is reported as <path>(<line>): <message>");
}

void CheckOutcome(const Result &result, const MemoryReader &files)
{
    FuzzRequire(result.outcome == TAVO_OUTCOME_ERRORS || result.outcome == TAVO_OUTCOME_STOPPED ||
                    result.outcome == TAVO_OUTCOME_FINISHED,
                "a run of readable files ends with kind 1, 2 or 3");
    if (result.outcome == TAVO_OUTCOME_ERRORS)
        CheckErrorLine(result.output, files);
}

// The output without its error line, for comparing runs of files with different names.
std::string WithoutErrorLine(const Result &result)
{
    if (result.outcome != TAVO_OUTCOME_ERRORS)
        return result.output;
    return result.output.substr(0, LastLineStart(result.output));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const TavoInput input = TavoInput::Parse(std::string_view(reinterpret_cast<const char *>(data), size));
    const std::string model = TavoInput::kModelPath;

    const Result listed = Run(input, input.files, model, true);
    CheckOutcome(listed, input.files);
    FuzzRequire(listed.outcome != TAVO_OUTCOME_STOPPED, "preprocessing does not poll");
    FuzzRequire(listed.listing.find('\0') == std::string::npos, "the listing holds no zero byte");

    const Result ran = Run(input, input.files, model, false);
    CheckOutcome(ran, input.files);
    if (listed.outcome == TAVO_OUTCOME_ERRORS) {
        FuzzRequire(ran.output == listed.output, "a preprocessing fault is reported alike in both runs");
        return 0;
    }
    FuzzRequire(listed.output.empty(), "a preprocess-only run prints nothing");

    MemoryReader listingFiles;
    const std::string listingPath = "listing.prp";
    listingFiles.Add(listingPath, listed.listing);
    const Result again = Run(input, listingFiles, listingPath, false);
    CheckOutcome(again, listingFiles);
    FuzzRequire(again.outcome == ran.outcome, "the listing ends like the model");
    FuzzRequire(WithoutErrorLine(again) == WithoutErrorLine(ran), "the listing prints what the model prints");
    return 0;
}
