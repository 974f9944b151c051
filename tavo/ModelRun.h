// One run of a model from its path to its outcome: preprocessing, parsing and running, with
// every fault reported as an error line through the services.
#pragma once

#include "Interpreter.h"
#include "SourceReader.h"

#include <cstdint>
#include <string>

namespace tavo {

struct ModelRunOptions {
    RunSettings settings;
    bool preprocessOnly = false; // only preprocess; the listing goes to ModelRun::Listing
};

class ModelRun {
public:
    // `services` must offer output and isBreak; the caller holds the run lock.
    ModelRun(const Services &services, const ModelRunOptions &options, const SourceReader &reader)
        : services_(services), options_(options), reader_(reader)
    {
    }

    // Runs the model at `modelPath` and returns the outcome kind (TAVO_OUTCOME_*). Running out
    // of memory ends the run with kind 4 and a short explanation.
    uint32_t Run(const std::string &modelPath);

    // The listing of a preprocess-only run (up to the fault when preprocessing failed).
    std::string &Listing() { return listing_; }

private:
    uint32_t Pipeline(const std::string &modelPath);
    uint32_t ReportError(const SourceFiles &files, const Error &error) const;

    Services services_;
    ModelRunOptions options_;
    const SourceReader &reader_;
    std::string listing_;
};

} // namespace tavo
