// A sink that stores into a COutputStore, as the output window does, and keeps its own copy of
// every line it handed over successfully: the store must hold exactly that copy.
#pragma once

#include "output/COutputStore.h"
#include "output/IOutputSink.h"

#include <string>
#include <vector>

class ShadowSink final : public IOutputSink {
public:
    explicit ShadowSink(COutputStore &store) : m_store(store) {}

    BOOL AddOutputText(const char *text, std::size_t length) override;
    BOOL AddOutputEmptyLine() override;
    BOOL AppendToLastLine(const char *text) override;
    int OutputLineCount() const override { return m_store.m_nCount; }
    void Bell() override { ++bells; }

    std::vector<std::string> lines; // what the store was given and accepted
    int bells = 0;

private:
    COutputStore &m_store;
};
