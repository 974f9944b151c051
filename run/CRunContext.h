#pragma once
// The services the interpreter calls are plain C functions; they reach the
// program through the context of the run in progress. One context is current
// from just before the interpreter starts until the run has ended.
class CNuvOutput;
class CRunPump;

class CRunContext {
public:
    CRunContext(CNuvOutput* output, CRunPump* pump);  // becomes the current context
    ~CRunContext();                                   // no context is current
    CRunContext(const CRunContext&) = delete;
    CRunContext& operator=(const CRunContext&) = delete;

    // The context of the run in progress, or nullptr outside a run.
    static CRunContext* Current();

    CNuvOutput* Output() const { return m_output; }
    CRunPump* Pump() const { return m_pump; }

private:
    CNuvOutput* m_output;
    CRunPump* m_pump;
    CRunContext* m_previous;
};
