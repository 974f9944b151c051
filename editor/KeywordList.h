#pragma once
// The words the syntax colours draw as keywords: the interpreter's own, read
// from the plain-text file nuv_keywords.txt (one word a line) where the help
// file is found, so a site whose interpreter has other words replaces one file.
// A missing, unreadable, empty or binary file gives an empty list, never an
// error; lines that are no word are skipped, and only the first kMaxBytes of
// a huge file are read.
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <vector>

class KeywordList {
public:
    static constexpr qsizetype kMaxBytes = 64 * 1024;
    static constexpr qsizetype kMaxWordLength = 64;

    // The list of the file nuv_keywords.txt, read once.
    static const KeywordList& Installed();
    // The list of the file `path`; empty when it cannot be read.
    static KeywordList FromFile(const QString& path);
    // The words of `contents`, one a line (CR LF or LF), blanks around them ignored.
    static KeywordList FromText(QByteArrayView contents);

    bool Contains(QStringView word) const;
    bool IsEmpty() const { return m_words.empty(); }

private:
    std::vector<QString> m_words;  // sorted, without repeats
};
