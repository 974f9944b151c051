#include "ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <QPrinter>

namespace {
const char* KindName(ScriptedPrompts::Kind kind)
{
    switch (kind) {
    case ScriptedPrompts::Kind::MessageBox: return "message box";
    case ScriptedPrompts::Kind::FileDialog: return "file dialog";
    case ScriptedPrompts::Kind::FontDialog: return "font dialog";
    case ScriptedPrompts::Kind::PrintSetup: return "print setup";
    }
    return "?";
}
}  // namespace

ScriptedPrompts::ScriptedPrompts()
{
    SetPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts()
{
    SetPrompts(nullptr);
    EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " scripted answer(s) left unused, the first for a "
                                   << KindName(m_answers.front().kind);
}

void ScriptedPrompts::ExpectMessageBox(int answer)
{
    m_answers.push_back({Kind::MessageBox, answer, true, {}, {}});
}

void ScriptedPrompts::ExpectFile(const QString& path)
{
    m_answers.push_back({Kind::FileDialog, 0, true, path, {}});
}

void ScriptedPrompts::ExpectFileCancel()
{
    m_answers.push_back({Kind::FileDialog, 0, false, {}, {}});
}

void ScriptedPrompts::ExpectFont(const LOGFONTA& chosen)
{
    m_answers.push_back({Kind::FontDialog, 0, true, {}, chosen});
}

void ScriptedPrompts::ExpectFontCancel()
{
    m_answers.push_back({Kind::FontDialog, 0, false, {}, {}});
}

void ScriptedPrompts::ExpectPrintSetup(const QPageLayout& chosen)
{
    m_answers.push_back({Kind::PrintSetup, 0, true, {}, {}, chosen});
}


const ScriptedPrompts::Record& ScriptedPrompts::Last() const
{
    static const Record none{};
    return m_records.empty() ? none : m_records.back();
}

void ScriptedPrompts::Clear()
{
    m_records.clear();
    m_beeps.clear();
}

bool ScriptedPrompts::Take(Kind kind, Answer* answer, const QString& what)
{
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected " << KindName(kind) << ": " << what.toStdString();
        return false;
    }
    if (m_answers.front().kind != kind) {
        ADD_FAILURE() << "expected a " << KindName(m_answers.front().kind) << ", got a " << KindName(kind) << ": "
                      << what.toStdString();
        return false;
    }
    *answer = m_answers.front();
    m_answers.pop_front();
    return true;
}

int ScriptedPrompts::MessageBox(QWidget* owner, const QString& text, const QString& caption, int style)
{
    m_records.push_back({Kind::MessageBox, text, caption, style, {}, owner});
    Answer answer;
    if (!Take(Kind::MessageBox, &answer, text))
        return (style & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    return answer.button;
}

void ScriptedPrompts::Beep(UINT type)
{
    m_beeps.push_back(type);
}

bool ScriptedPrompts::FileDialog(const FileDialogRequest& request, QString* path)
{
    m_records.push_back({Kind::FileDialog, request.title, {}, 0, request, request.owner});
    Answer answer;
    if (!Take(Kind::FileDialog, &answer, request.title) || !answer.accept)
        return false;
    *path = answer.path;
    return true;
}

bool ScriptedPrompts::FontDialog(QWidget* owner, LOGFONTA* font)
{
    m_records.push_back({Kind::FontDialog, {}, {}, 0, {}, owner});
    Answer answer;
    if (!Take(Kind::FontDialog, &answer, "font") || !answer.accept)
        return false;
    *font = answer.font;
    return true;
}

bool ScriptedPrompts::PrintSetupDialog(QWidget* owner, QPrinter* printer)
{
    m_records.push_back({Kind::PrintSetup, {}, {}, 0, {}, owner});
    Answer answer;
    if (!Take(Kind::PrintSetup, &answer, "print setup") || !answer.accept)
        return false;
    printer->setPageLayout(answer.layout);
    return true;
}
