#pragma once
// What the print tests share: an abort side that cancels when told to, and the
// recorded pages as text.
#include <string>
#include <vector>

#include "RecordingPrintDevice.h"
#include "ScriptedPrompts.h"
#include "print/IPrintAbort.h"
#include "print/PrintLayout.h"

// The abort side without a dialog: Continue answers "cancelled" from its
// `cancelAt`-th call on (0: never). It notes how many prompts had been shown
// when the job gave the main window back.
class ScriptedAbort : public IPrintAbort {
public:
    explicit ScriptedAbort(const ScriptedPrompts& prompts) : m_prompts(prompts) {}

    void Begin() override { ++begins; }
    bool Continue() override { return cancelAt == 0 || ++continues < cancelAt; }
    void End() override
    {
        ++ends;
        promptsAtEnd = static_cast<int>(m_prompts.Records().size());
    }

    int cancelAt = 0;
    int begins = 0;
    int continues = 0;
    int ends = 0;
    int promptsAtEnd = -1;

private:
    const ScriptedPrompts& m_prompts;
};

// Every page the device started, as its drawn texts "row:text" in the order
// drawn. Checks on the way that every text stands on a row and that a text not
// at the left edge (title, page number) is centred.
std::vector<std::vector<std::string>> RecordedPages(const RecordingPrintDevice& device, const PrintLayout& layout);
