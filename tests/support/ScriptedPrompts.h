#pragma once
// A scripted responder for the prompt seam: every prompt is recorded, and each
// is answered from the queue of expected answers. A prompt with no answer
// queued, or of another kind than the one queued, fails the test.
#include <QPageLayout>
#include <QString>
#include <deque>
#include <vector>

#include "platform/Prompts.h"

class ScriptedPrompts : public IPrompts {
public:
    enum class Kind { MessageBox, FileDialog, FontDialog, PrintSetup };

    struct Record {
        Kind kind;
        QString text;     // message text, or the file dialog's title
        QString caption;
        int style = 0;
        FileDialogRequest request;  // file dialogs
        QWidget* owner = nullptr;
    };

    ScriptedPrompts();  // installs itself
    ~ScriptedPrompts() override;  // uninstalls; fails the test if answers were left unused

    // Queue answers in the order the prompts are expected.
    void ExpectMessageBox(int answer);
    void ExpectFile(const QString& path);  // an accepted file dialog
    void ExpectFileCancel();
    void ExpectFont(const LOGFONTA& chosen);
    void ExpectFontCancel();
    // The set-up dialog, confirmed with `chosen` set on the printer.
    void ExpectPrintSetup(const QPageLayout& chosen);

    const std::vector<Record>& Records() const { return m_records; }
    const std::vector<UINT>& Beeps() const { return m_beeps; }
    const Record& Last() const;
    void Clear();

    int MessageBox(QWidget* owner, const QString& text, const QString& caption, int style) override;
    void Beep(UINT type) override;
    bool FileDialog(const FileDialogRequest& request, QString* path) override;
    bool FontDialog(QWidget* owner, LOGFONTA* font) override;
    bool PrintSetupDialog(QWidget* owner, QPrinter* printer) override;

private:
    struct Answer {
        Kind kind;
        int button = 0;
        bool accept = false;
        QString path;
        LOGFONTA font{};
        QPageLayout layout = {};
    };
    bool Take(Kind kind, Answer* answer, const QString& what);

    std::deque<Answer> m_answers;
    std::vector<Record> m_records;
    std::vector<UINT> m_beeps;
};
