#pragma once
// A deliberately simple model of what the output holds after a sequence of
// chunks, written from the rules of the control characters rather than from
// the assembler's code: strings instead of buffers, no memory limits.
#include <string>
#include <vector>

#include "output/IOutputSink.h"

class COutputStore;

struct ReferenceOutput {
    std::vector<std::string> lines;
    bool atLineStart = true;
    int bells = 0;
    // The most characters a line has held, at any point a piece was stored.
    std::size_t longest = 0;

    void Add(const std::string& chunk);
};

// A sink that stores into a COutputStore, counts bells, and can refuse the
// n-th store operation (1-based; 0: never).
class StoreSink : public IOutputSink {
public:
    explicit StoreSink(COutputStore& store) : m_store(store) {}
    BOOL AddOutputText(const char* text, std::size_t length) override;
    BOOL AddOutputEmptyLine() override;
    BOOL AppendToLastLine(const char* text) override;
    int OutputLineCount() const override;
    void Bell() override { ++bells; }

    int bells = 0;
    int failAt = 0;

private:
    bool Refuse() { return failAt > 0 && ++m_operations == failAt; }
    COutputStore& m_store;
    int m_operations = 0;
};

// The store's lines as strings.
std::vector<std::string> LinesOf(const COutputStore& store);

// Whether `bytes` read as UTF-8 (Qt's own decoder decides), and their length in
// characters: UTF-8 characters if so, else one per byte.
bool ReadsAsUtf8(const std::string& bytes);
std::size_t CharactersOf(const std::string& bytes);
