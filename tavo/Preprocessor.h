// The preprocessor: reads the model and expands #include directives into one text, remembering
// the file and line each line came from.
#pragma once

#include "RunBudget.h"
#include "Source.h"
#include "SourceReader.h"

#include <optional>
#include <string>
#include <vector>

namespace tavo {

// From text offset `offset` on, the lines come from `first` on, numbered consecutively. Lines
// are kept as one text with places by runs, not each in a string of its own: a model of empty
// lines would otherwise take twenty times its size.
struct LineRun {
    std::size_t offset = 0;
    Loc first;
};

struct Preprocessed {
    SourceFiles files;
    // Every line without its line end, each followed by '\n' (a line holds no '\n' itself).
    std::string text;
    std::vector<LineRun> runs; // by increasing offset; the first at offset 0 when there is text
    // Set when the model itself cannot be read: the run cannot take place at all.
    std::optional<std::string> fatal;
    // Set for a faulty directive or include; the text then holds the lines up to that point.
    std::optional<Error> error;
};

// Limits that keep a hostile or mistaken model from exhausting the machine. The listing of the
// whole model may hold at most maxBytes.
inline constexpr int kMaxIncludeDepth = 32;

Preprocessed Preprocess(const std::string &modelPath, const SourceReader &reader,
                        std::size_t maxBytes = kMaxPreprocessedBytes);

// The listing handed to the environment: every line followed by CR LF, the environment's
// listing format. An include appears as the marker lines
//   // #include "name" begins   ...the included lines...   // #include "name" ends
std::string ListingText(const Preprocessed &model);

} // namespace tavo
