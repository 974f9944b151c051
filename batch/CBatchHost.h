#pragma once
// nuv-run's host of a run: the interpreter's output goes through the same
// assembler as the output window's (carriage return, backspace, tabs, vertical
// tab) into a CStreamSink, and so reaches the writer in the bytes the output
// window's Save As would write. IsBreak answers 1 once SIGINT or SIGTERM came
// or the output could not be written; it also hands waiting standard output
// to its reader. A preprocess-only run's listing is written in the listing
// file's form; what such a run prints (error lines) goes to standard error.
// The host is the current run host for its lifetime.
#include "batch/CStreamSink.h"
#include "output/COutputAssembler.h"
#include "run/IRunHost.h"

class COutputWriter;

class CBatchHost : public IRunHost {
public:
    CBatchHost(COutputWriter& writer, bool preprocessOnly);
    ~CBatchHost() override;
    CBatchHost(const CBatchHost&) = delete;
    CBatchHost& operator=(const CBatchHost&) = delete;

    int OutputResult(const char* text) override;
    int IsBreak() override;
    int ReceivePreprocText(const char* text) override;

    // Ends the last line and writes out what is buffered; false when any
    // write failed.
    bool Finish();

private:
    COutputWriter& m_writer;
    CStreamSink m_sink;
    COutputAssembler m_assembler;
    BOOL m_bAtLineStart = TRUE;
    bool m_bPreprocessOnly;
    IRunHost* m_previousHost;
};
