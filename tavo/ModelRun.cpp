#include "ModelRun.h"

#include "Parser.h"
#include "Preprocessor.h"

#include <new>

namespace tavo {

uint32_t ModelRun::Run(const std::string &modelPath)
{
    listing_.clear();
    try {
        return Pipeline(modelPath);
    } catch (const std::bad_alloc &) {
        listing_.clear();
        services_.output("libtavo: not enough memory to run the model.\n");
        return TAVO_OUTCOME_FATAL;
    }
}

uint32_t ModelRun::ReportError(const SourceFiles &files, const Error &error) const
{
    return services_.output(FormatErrorLine(files, error).c_str()) ? TAVO_OUTCOME_ERRORS : TAVO_OUTCOME_FATAL;
}

uint32_t ModelRun::Pipeline(const std::string &modelPath)
{
    Preprocessed pre = Preprocess(modelPath, reader_, options_.settings.budget.sourceBytes);
    if (pre.fatal) {
        services_.output((*pre.fatal + "\n").c_str());
        return TAVO_OUTCOME_FATAL;
    }
    if (options_.preprocessOnly) {
        listing_ = ListingText(pre);
        return pre.error ? ReportError(pre.files, *pre.error) : uint32_t{TAVO_OUTCOME_FINISHED};
    }
    if (pre.error)
        return ReportError(pre.files, *pre.error);

    Parsed parsed = Parse(pre, options_.settings.budget.programParts);
    if (parsed.error)
        return ReportError(pre.files, *parsed.error);
    pre.text = {}; // the source text is no longer needed while the model runs
    Interpreter interpreter(parsed.program, pre.files, services_, options_.settings);
    return interpreter.Run();
}

} // namespace tavo
