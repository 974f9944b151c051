// The preprocessor: reads the model and expands #include directives into a flat list of lines,
// each remembering the file and line it came from.
#pragma once

#include "Source.h"

#include <optional>
#include <string>
#include <vector>

namespace tavo {

struct SourceLine {
    std::string text; // without its line end
    Loc loc;
};

struct Preprocessed {
    SourceFiles files;
    std::vector<SourceLine> lines;
    // Set when the model itself cannot be read: the run cannot take place at all.
    std::optional<std::string> fatal;
    // Set for a faulty directive or include; lines then hold the text up to that point.
    std::optional<Error> error;
};

// Limits that keep a hostile or mistaken model from exhausting the machine.
inline constexpr int kMaxIncludeDepth = 32;
inline constexpr std::size_t kMaxPreprocessedBytes = 64u * 1024 * 1024;

Preprocessed Preprocess(const std::string &modelPath);

// The listing handed to the environment: every line followed by CR LF, the environment's
// listing format. An include appears as the marker lines
//   // #include "name" begins   ...the included lines...   // #include "name" ends
std::string ListingText(const std::vector<SourceLine> &lines);

} // namespace tavo
