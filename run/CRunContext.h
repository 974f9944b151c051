#pragma once
// The environment's host of a run: the services reach the output window and
// the run's pump through it. One context is current from just before the
// interpreter starts until the run has ended.
#include "run/IRunHost.h"

class CNuvOutput;
class CRunPump;

class CRunContext : public IRunHost {
public:
    CRunContext(CNuvOutput* output, CRunPump* pump);  // becomes the current context and run host
    ~CRunContext() override;                          // the previous ones are current again
    CRunContext(const CRunContext&) = delete;
    CRunContext& operator=(const CRunContext&) = delete;

    // The context of the run in progress, or nullptr outside a run.
    static CRunContext* Current();

    CNuvOutput* Output() const { return m_output; }
    CRunPump* Pump() const { return m_pump; }

    // The chunk to the output window (AddOutput).
    int OutputResult(const char* text) override;
    // The pump's answer (CRunPump::IsBreak); 0 without a pump.
    int IsBreak() override;
    // Into an editor window, or into a file when the output goes to a file.
    int ReceivePreprocText(const char* text) override;

private:
    CNuvOutput* m_output;
    CRunPump* m_pump;
    CRunContext* m_previous;
    IRunHost* m_previousHost;
};
