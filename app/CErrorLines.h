#pragma once
// Which output lines are error lines (ParseErrorLine), for Next Error and
// Previous Error. Whether there is any decides their update rule at every idle
// pass, so the answer is kept and brought up to date with only the lines stored
// since the last pass: a million lines of output are read once, not per pass.
class COutputStore;

class CErrorLines {
public:
    // Reads what changed in `store` since the last call: the lines added, and the
    // last line read before (only the store's last line grows). A store emptied
    // since (its m_nClears moved on) is read afresh.
    void Sync(const COutputStore& store);
    // The store held at least one error line at the last Sync.
    bool Any() const { return m_nErrorLines > 0; }

    // The first error line after line `index` (-1: from the first line), or -1.
    static int Next(const COutputStore& store, int index);
    // The last error line before line `index`, or -1.
    static int Previous(const COutputStore& store, int index);
    static bool IsErrorLine(const COutputStore& store, int index);

private:
    unsigned m_nClears = 0;
    int m_nRead = 0;            // lines read
    int m_nErrorLines = 0;      // error lines among them
    bool m_bLastIsError = false;  // line m_nRead - 1 is one
};
