// A fuzz input read as a model, its settings and its include files:
//   //@ <flags>      an optional first line: 'n' turns Range Check off, 'u' and a number sets
//                    the update limit, 'b' and a number makes IsBreak answer 1 on that call
//   ...the model...
//   //== <path>      starts the include file <path> (relative to the model's folder, or
//                    absolute); its text follows up to the next such line
// Both marker lines are comments of the language, so a seed is itself a model that runs.
#pragma once

#include "MemoryReader.h"

#include <string>
#include <string_view>

struct TavoInput {
    static constexpr const char *kModelPath = "model.nuv";

    MemoryReader files; // kModelPath and the include files
    int updateLimit = 20;
    bool rangeCheck = true;
    int breakOnCall = 0; // 0: IsBreak never answers 1

    static TavoInput Parse(std::string_view input);
};
