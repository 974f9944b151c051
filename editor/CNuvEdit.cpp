#include "editor/CNuvEdit.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFontMetrics>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStringEncoder>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "editor/CRecoveryStore.h"
#include "editor/CGotoLineDlg.h"
#include "editor/CMatchBrace.h"
#include "editor/CSearchText.h"
#include "editor/EditorLook.h"
#include "editor/FileNames.h"
#include "editor/ModelFile.h"
#include "editor/TextSearch.h"
#include "platform/FileNameText.h"
#include "platform/FontConversion.h"
#include "platform/Placement.h"
#include "platform/Prompts.h"
#include "platform/SystemMemory.h"
#include "platform/TextLimits.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "res/Images.h"
#include "shell/ChildPlacement.h"
#include "shell/ChooseFileName.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"
#include "shell/PrintHandler.h"

namespace {

int g_allocationsLeft = -1;
// Tests: the copy of the text for printing fails.
bool g_failPrintCopy = false;

bool IsSpace(QChar c)
{
    return c.unicode() < 0x80 && std::isspace(c.unicode());
}

// `value` zero-padded to `width` digits; a longer number shows whole, never as
// another number. `buffer` holds 20 bytes, room for any int.
void FormatDigits(char* buffer, int value, int width)
{
    std::snprintf(buffer, 20, "%0*d", width, value);
}

// Characters a person counts in `text`: a pair of surrogates is one.
int CharacterCount(const QString& text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            ++count;
    }
    return count;
}

// The offset in `line` of the character `characters` characters in, so that a
// column that counts characters lands behind the right ones.
qsizetype OffsetOfCharacter(const QString& line, int characters)
{
    qsizetype offset = 0;
    while (characters > 0 && offset < line.size()) {
        const bool pair = offset + 1 < line.size() && line.at(offset).isHighSurrogate() && line.at(offset + 1).isLowSurrogate();
        offset += pair ? 2 : 1;
        --characters;
    }
    return offset + std::max(characters, 0);
}

// The window menu's Close carries the platform's Close keys, Ctrl+W among them, which
// would make the frame's Ctrl+W (New) ambiguous; only Ctrl+F4 closes a child.
void KeepFrameAccelerators(QMenu* systemMenu)
{
    if (!systemMenu)
        return;
    const QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    for (QAction* action : systemMenu->actions()) {
        if (action->shortcuts().isEmpty())
            continue;
        const bool closes = std::any_of(closeKeys.begin(), closeKeys.end(),
                                        [action](const QKeySequence& key) { return action->shortcuts().contains(key); });
        action->setShortcuts(closes ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_F4)} : QList<QKeySequence>{});
    }
}

bool IsPlacementKind(int kind)
{
    return kind == kPlaceDefault || kind == kPlaceFrameClient || kind == WS_MAXIMIZE || kind == WS_MINIMIZE;
}

}  // namespace

class CNuvEdit::Busy {
public:
    explicit Busy(CNuvEdit* window) : m_window(window) { ++m_window->m_nBusy; }
    ~Busy() { --m_window->m_nBusy; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    CNuvEdit* m_window;
};

CNuvEdit::CNuvEdit()
{
    m_className = g_editorClass;
    setWindowIcon(EditorIcon());
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Taken out of the area, the window is a hidden top-level one until deleted.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWidget(m_edit.Widget());
    KeepFrameAccelerators(systemMenu());
    m_edit.SetChangeHandler([this] { OnTextChanged(); });
    m_recoveryTimer.setSingleShot(true);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &CNuvEdit::WriteRecoveryCopy);
    IMainFrame* frame = TheFrame();
    ApplyFont(frame ? frame->EditorFont() : SystemFont());
    m_view.Apply(CurrentEditorLook());
    SetUntitled();
}

CNuvEdit::~CNuvEdit() = default;

void CNuvEdit::FailAllocationsAfterForTests(int count)
{
    g_allocationsLeft = count;
}

void CNuvEdit::FailPrintCopyForTests(bool fail)
{
    g_failPrintCopy = fail;
}

CNuvEdit* CNuvEdit::Allocate()
{
    if (g_allocationsLeft == 0)
        return nullptr;
    if (g_allocationsLeft > 0)
        --g_allocationsLeft;
    return new (std::nothrow) CNuvEdit();
}

CNuvEdit* CNuvEdit::Create(int kind)
{
    IMainFrame* frame = TheFrame();
    if (!IsPlacementKind(kind) || !frame || !frame->MdiArea())
        return nullptr;
    CNuvEdit* window = Allocate();
    if (!window)
        return nullptr;
    frame->MdiArea()->addSubWindow(window);
    window->PlaceNew(kind);
    return window;
}

void CNuvEdit::PlaceNew(int kind)
{
    if (kind == kPlaceFrameClient) {
        setGeometry(QRect(QPoint(0, 0), mdiArea()->viewport()->size()));
        show();
        return;
    }
    PlaceInCascade(this);
    if (kind == WS_MAXIMIZE)
        showMaximized();
    else if (kind == WS_MINIMIZE)
        showMinimized();
    else
        show();
}

CNuvEdit* CNuvEdit::CreateForFile(int kind, const char* path)
{
    CNuvEdit* window = Create(kind);
    if (!window)
        return nullptr;
    if (path)
        window->setWindowTitle(FileNameText(path));
    if (!window->LoadFile(path)) {
        window->Destroy();
        return nullptr;
    }
    return window;
}

CNuvEdit* CNuvEdit::CreateFromWorkspace(const WINDOWPLACEMENT& placement, const char* nameOrNull, bool* made)
{
    if (made)
        *made = false;
    IMainFrame* frame = TheFrame();
    if (!frame || !frame->MdiArea())
        return nullptr;
    CNuvEdit* window = Allocate();
    if (!window)
        return nullptr;
    if (made)
        *made = true;
    frame->MdiArea()->addSubWindow(window);
    if (PlaceFromPlacement(placement).normal.isEmpty())
        PlaceInCascade(window);
    SetWindowPlacement(window, placement);
    if (placement.showCmd == SW_SHOWMINIMIZED)
        window->showMinimized();
    else if (placement.showCmd == SW_SHOWMAXIMIZED)
        window->showMaximized();
    else
        window->showNormal();
    window->SetOverlapPlace(placement);
    if (nameOrNull && !window->LoadFile(nameOrNull)) {
        window->Destroy();
        return nullptr;
    }
    frame->MdiArea()->setActiveSubWindow(window);
    return window;
}

void CNuvEdit::SetUntitled()
{
    const char* untitled = LoadStringEntry(IDS_UNTITLED);
    CopyUtf8Bounded(m_szFileName, 15, QByteArray(untitled ? untitled : ""));
    setWindowTitle(FileNameText(m_szFileName));
}

void CNuvEdit::ApplyFont(const QFont& font)
{
    m_edit.SetFont(font);
    ApplyMargin();
    m_view.FontChanged();
    m_edit.SetTabStops(4 * QFontMetrics(font).averageCharWidth());
}

void CNuvEdit::ApplyMargin()
{
    m_edit.SetLeftMargin(QFontMetrics(m_edit.Widget()->font()).averageCharWidth());
}

void CNuvEdit::OnTextChanged()
{
    m_bModified = TRUE;
    m_bBraceTableStale = TRUE;
    // Not restarted by later keys: a crash loses at most the delay's worth of typing.
    if (TheRecoveryStore() && !m_recoveryTimer.isActive())
        m_recoveryTimer.start(kRecoveryDelayMs);
}

QByteArray CNuvEdit::SaveBytes() const
{
    return m_codec.Encode(m_edit.GetText());
}

void CNuvEdit::WriteRecoveryCopy()
{
    CRecoveryStore* store = TheRecoveryStore();
    if (!store)
        return;
    if (!m_bModified) {
        DropRecoveryCopy();
        return;
    }
    // A number even without a folder: a recovered text's old copy goes with it.
    if (m_nRecoveryId == 0)
        m_nRecoveryId = store->NewId();
    if (!store->IsOpen())
        return;
    RecoveryRecord record;
    record.untitled = m_bUntitled != FALSE;
    record.fileName = m_bUntitled ? std::string() : std::string(m_szFileName);
    UpdateCaretPosition();
    record.line0 = m_nLine - 1;
    record.column1 = m_nColumn;
    record.timeMs = QDateTime::currentMSecsSinceEpoch();
    // This thread only copies the characters; the writer's thread gives them
    // their line breaks and encodes them as a save would.
    store->Keep(m_nRecoveryId, std::move(record), [codec = m_codec, raw = m_edit.GetRawText()] {
        const QByteArray bytes = codec.Encode(CEditControl::CrLfText(raw));
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    });
}

void CNuvEdit::WriteRecoveryCopyNow()
{
    m_recoveryTimer.stop();
    if (m_bModified || m_nRecoveryId != 0)
        WriteRecoveryCopy();
}

void CNuvEdit::DropRecoveryCopy()
{
    m_recoveryTimer.stop();
    if (m_nRecoveryId == 0)
        return;
    if (CRecoveryStore* store = TheRecoveryStore())
        store->Drop(m_nRecoveryId);
    m_nRecoveryId = 0;
}

void WriteAllRecoveryCopiesNow()
{
    IMainFrame* frame = TheFrame();
    CRecoveryStore* store = TheRecoveryStore();
    if (!frame || !frame->MdiArea() || !store)
        return;
    for (QMdiSubWindow* window : frame->MdiArea()->subWindowList()) {
        if (auto* editor = qobject_cast<CNuvEdit*>(window))
            editor->WriteRecoveryCopyNow();
    }
    store->Flush();
}

void CNuvEdit::Focus()
{
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    m_edit.Widget()->setFocus();
}

void CNuvEdit::focusInEvent(QFocusEvent* event)
{
    m_edit.Widget()->setFocus();
    CNuvChild::focusInEvent(event);
}

void CNuvEdit::Destroy()
{
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    DropRecoveryCopy();
    RemoveFromArea(this);
    hide();
    if (IMainFrame* frame = TheFrame(); frame && frame->ActiveChild() == this)
        frame->SetActiveChild(nullptr);
    // A handler of this window further up the stack still uses it.
    if (m_nBusy > 0)
        deleteLater();
    else
        delete this;
}

BOOL CNuvEdit::LoadFile(const char* path)
{
    Busy busy(this);
    if (!path || std::strlen(path) >= static_cast<std::size_t>(MAX_PATH)) {
        MessageFromTable(IDS_CANNOT_OPEN, MB_ICONHAND, {path ? path : ""});
        return FALSE;
    }
    FileBuffer contents;
    std::size_t length = 0;
    switch (ReadModelFile(path, &contents, &length)) {
    case LoadStatus::Ok: break;
    case LoadStatus::CannotOpen: MessageFromTable(IDS_CANNOT_OPEN, MB_ICONHAND, {path}); return FALSE;
    case LoadStatus::TooLarge: MessageFromTable(IDS_FILE_TOO_LARGE, MB_ICONHAND, {path}); return FALSE;
    case LoadStatus::NoMemory: MessageFromTable(IDS_NO_MEMORY_LOAD, MB_ICONHAND, {path}); return FALSE;
    case LoadStatus::CannotRead: MessageFromTable(IDS_CANNOT_READ, MB_ICONHAND, {path}); return FALSE;
    }
    const BOOL shown = SetText(contents.get(), path);
    // The file's bytes and the decoded copies are freed now; the system gets them back.
    contents.reset();
    ReturnFreedMemory();
    if (!shown) {
        MessageFromTable(IDS_FILE_TOO_LARGE, MB_ICONHAND, {path});
        return FALSE;
    }
    StatusFromTable(IDS_FILE_LOADED, {m_szFileName});
    return TRUE;
}

BOOL CNuvEdit::SetText(const char* text, const char* name)
{
    char newName[MAX_PATH];
    if (!text || !name || !CopyWhole(newName, sizeof newName, name))
        return FALSE;
    TextCodec codec;
    QString decoded;
    // The decoded copies are the largest allocations of a load; when one fails
    // the window is still as it was.
    try {
        decoded = codec.Decode(text, static_cast<qsizetype>(std::strlen(text)));
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    m_edit.SetText(decoded);
    // Almost always the control shows what was decoded, and the codec need not keep a copy of it.
    if (m_edit.HoldsText(decoded))
        codec.ShownAsDecoded();
    else
        codec.SetLoadedText(m_edit.GetText());
    m_codec = std::move(codec);
    ApplyMargin();
    m_edit.SetModify(false);
    std::memcpy(m_szFileName, newName, sizeof newName);
    setWindowTitle(FileNameText(m_szFileName));
    m_bUntitled = FALSE;
    m_bModified = FALSE;
    m_nBackups = 0;
    m_bBraceTableStale = TRUE;
    DropRecoveryCopy();
    return TRUE;
}

BOOL CNuvEdit::Save()
{
    Busy busy(this);
    m_edit.FmtLines(false);
    const QString text = m_edit.GetText();
    QByteArray bytes = m_codec.Encode(text);
    bytes.append('\0');  // a saved file is the text and its terminating zero
    const SaveResult result = SaveModelFile(m_szFileName, bytes.constData(), static_cast<std::size_t>(bytes.size()),
                                            m_nBackups == 0);
    if (result.backupMade)
        ++m_nBackups;
    if (!result.ok) {
        MessageFromTable(IDS_CANNOT_WRITE, MB_ICONHAND, {m_szFileName});
        return FALSE;
    }
    bytes.chop(1);
    m_codec.Saved(bytes, text);
    setWindowTitle(FileNameText(m_szFileName));
    m_bModified = FALSE;
    DropRecoveryCopy();
    StatusFromTable(IDS_FILE_SAVED, {m_szFileName});
    return TRUE;
}

BOOL CNuvEdit::SaveOrSaveAs()
{
    return m_bUntitled ? SaveAs() : Save();
}

BOOL CNuvEdit::SaveAs()
{
    Busy busy(this);
    char chosen[MAX_PATH];
    if (!ChooseFileName(chosen, this, FD_SAVE_AS))
        return FALSE;
    IMainFrame* frame = TheFrame();
    CNuvChild* other = frame ? frame->FindEditorWindow(chosen) : nullptr;
    if (other && other != this) {
        if (MessageFromTable(IDS_OVERWRITING_LOADED, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
            return FALSE;
        if (auto* editor = qobject_cast<CNuvEdit*>(other))
            editor->Destroy();
    }
    std::memcpy(m_szFileName, chosen, sizeof chosen);
    m_bUntitled = FALSE;
    if (frame)
        frame->AddToRecentFileList(m_szFileName);
    return Save();
}

int CNuvEdit::SaveChangesQuestion()
{
    if (!m_bModified)
        return IDNO;
    Busy busy(this);
    if (isMinimized())
        showNormal();
    const char* tail = LoadStringEntry(IDS_SAVE_CHANGES);
    const QString text = QStringLiteral("File ") + FileNameText(m_szFileName) + QString::fromUtf8(tail ? tail : "");
    return MessageBoxText(text, MB_YESNOCANCEL | MB_ICONQUESTION);
}

BOOL CNuvEdit::SaveChangesOrKeep()
{
    Busy busy(this);
    const int answer = SaveChangesQuestion();
    if (answer == IDCANCEL || m_bDestroyed)
        return FALSE;
    return answer == IDNO || SaveOrSaveAs();
}

void CNuvEdit::closeEvent(QCloseEvent* event)
{
    // The window is destroyed here or stays; Qt must neither hide nor delete it.
    event->ignore();
    if (m_bDestroyed || m_bAsking)
        return;  // a second close while this one's question or dialog is on screen
    Busy busy(this);
    m_bAsking = true;
    const BOOL goOn = SaveChangesOrKeep();
    m_bAsking = false;
    if (goOn)
        Destroy();
}

BOOL CNuvEdit::QueryEndSession()
{
    return SaveChangesOrKeep();
}

void CNuvEdit::SetCaret(int line0, int column1)
{
    // -1 would ask for the caret's own line.
    const int start = line0 >= 0 ? m_edit.LineIndex(line0) : -1;
    if (start == -1)
        return;
    // A column past the line's end goes on into the text after it, up to the text's end.
    const qsizetype offset = OffsetOfCharacter(m_edit.GetLine(line0), std::max(column1, 1) - 1);
    const int pos = static_cast<int>(std::min<qsizetype>(start + offset, m_edit.GetTextLength()));
    m_edit.SetSel(pos, pos);
    m_edit.ScrollCaret();
}

void CNuvEdit::SelectLine(unsigned long long lineNumber)
{
    int start = -1;
    if (lineNumber == 0)
        start = m_edit.LineIndex(-1);
    else if (lineNumber <= static_cast<unsigned long long>(m_edit.GetLineCount()))
        start = m_edit.LineIndex(static_cast<int>(lineNumber - 1));
    if (start < 0) {
        const int end = m_edit.GetTextLength();
        m_edit.SetSel(end, end);
    } else {
        m_edit.SetSel(start, start + m_edit.LineLength(start));
    }
    m_edit.ScrollCaret();
}

void CNuvEdit::MatchBrace(BOOL skipComments)
{
    Busy busy(this);
    PositionUpdate();
    const int p = m_nCaret;
    // The character just after the caret; none at the end of a line.
    const int line = m_edit.LineFromChar(p);
    const int column = p - m_edit.LineIndex(line);
    const QString text = m_edit.GetLine(line);
    const QChar kind = column >= 0 && column < text.size() ? BraceKind(text.at(column)) : QChar();
    if (kind.isNull()) {
        StatusFromTable(IDS_NOT_A_BRACE, {}, true);
        return;
    }
    if (!theMatchBrace.Answers(this, kind, skipComments)) {
        if (!theMatchBrace.BuildTable(this, kind, skipComments))
            return;
        m_bBraceTableStale = FALSE;
    }
    const int partner = theMatchBrace.FindMatch(p);
    if (partner < 0) {
        // After an issue box the beep has sounded already.
        StatusFromTable(IDS_NO_MATCH, {}, !theMatchBrace.m_bError);
        return;
    }
    m_edit.SetSel(partner, partner);
    m_edit.ScrollCaret();
    m_edit.ScrollCaret();
    StatusFromTable(IDS_BRACE_FOUND);
}

// The search starts at the selection's end (down) or just before its start
// (up), or with nothing selected at the caret of the last position update.
BOOL CNuvEdit::FindText(const char* text, BOOL down, BOOL matchCase)
{
    PositionUpdate();
    const QString what = QString::fromUtf8(text ? text : "");
    int start = 0;
    int end = 0;
    m_edit.GetSel(&start, &end);
    const int from = start < end ? (down ? end : std::max(start - 1, 0)) : m_nCaret;
    const CSearchText search(m_edit, what);
    const qsizetype found = FindInText(search.Text(), search.What(), search.FromControl(from), down, matchCase);
    if (found < 0)
        return FALSE;
    m_edit.SetSel(search.ToControl(found), search.ToControl(found + search.What().size()));
    m_edit.ScrollCaret();
    m_edit.ScrollCaret();
    PositionUpdate();
    return TRUE;
}

// One pass over the text gives what replacing match after match gives: every
// search would start after the text just put in, so a replacement that holds
// the find text is never replaced again. The rest of the text is searched from
// the selection's end; replacing the selection first moves that rest by the
// difference in length, which the control tells after the replacement.
void CNuvEdit::ReplaceAll(const char* findText, const char* replaceText, BOOL, BOOL matchCase)
{
    if (!findText || !replaceText || std::strcmp(findText, replaceText) == 0)
        return;
    Busy busy(this);
    PositionUpdate();
    const QString what = QString::fromUtf8(findText);
    const QString with = QString::fromUtf8(replaceText);
    int start = 0;
    int end = 0;
    m_edit.GetSel(&start, &end);
    // A selection the person made after the dialog opened may be anything; only
    // an occurrence of the find text is replaced and counted.
    const bool replaceSelection = start < end && std::strcmp(m_szFindText, findText) == 0 &&
                                  end - start == what.size() && MatchesAt(m_edit.GetSelectedText(), what, 0, matchCase);
    const CSearchText search(m_edit, what);
    const qsizetype restFrom = search.FromControl(start < end ? end : m_nCaret);
    const ReplaceAllResult rest = ReplaceAllInText(search.Text(), search.What(), with, restFrom, matchCase);
    const int count = rest.count + (replaceSelection ? 1 : 0);
    if (count == 0) {
        StatusFromTable(IDS_NOT_FOUND, {findText}, true);
        return;
    }
    m_edit.BeginUndoGroup();
    qsizetype shift = 0;
    if (replaceSelection) {
        m_edit.ReplaceSel(with);
        shift = search.FromControl(m_edit.GetCaret()) - restFrom;
    }
    if (rest.count > 0) {
        m_edit.SetSel(search.ToControl(rest.first + shift), search.ToControl(rest.end + shift));
        m_edit.ReplaceSel(rest.replacement);
    }
    m_edit.EndUndoGroup();
    m_edit.ScrollCaret();
    PositionUpdate();
    StatusFromTable(IDS_FOUND_TIMES, {findText, QByteArray::number(count).constData()});
}

void CNuvEdit::ReplaceSelection(const char* replaceText)
{
    m_edit.ReplaceSel(QString::fromUtf8(replaceText ? replaceText : ""));
}

BOOL CNuvEdit::SelectionIs(const char* text, BOOL matchCase)
{
    const QString what = QString::fromUtf8(text ? text : "");
    int start = 0;
    int end = 0;
    m_edit.GetSel(&start, &end);
    return end - start == what.size() && MatchesAt(m_edit.GetSelectedText(), what, 0, matchCase);
}

void CNuvEdit::PositionUpdate()
{
    int start = 0;
    int end = 0;
    m_edit.GetSel(&start, &end);
    if (start < end) {
        m_szLine[0] = '\0';
        m_szColumn[0] = '\0';
        return;
    }
    m_nLine = m_edit.LineFromChar(-1) + 1;
    FormatDigits(m_szLine, m_nLine, 6);
    m_nCaret = end;
    m_nColumn = ColumnOf(m_nLine - 1, m_nCaret);
    FormatDigits(m_szColumn, m_nColumn, 3);
}

// The 1-based column of `pos` on `line0`, in characters as a person counts them.
int CNuvEdit::ColumnOf(int line0, int pos) const
{
    return CharacterCount(m_edit.GetLine(line0).left(pos - m_edit.LineIndex(line0))) + 1;
}

void CNuvEdit::UpdateCaretPosition()
{
    const int caret = m_edit.GetCaret();
    const int line0 = m_edit.LineFromChar(caret);
    m_nLine = line0 + 1;
    m_nColumn = ColumnOf(line0, caret);
}

void CNuvEdit::UpdatePositionPanes()
{
    PositionUpdate();
    if (IMainFrame* frame = TheFrame()) {
        frame->SetPaneText(ID_INDICATOR_LINE, QString::fromLatin1(m_szLine));
        frame->SetPaneText(ID_INDICATOR_COLUMN, QString::fromLatin1(m_szColumn));
    }
}

const char* CNuvEdit::GetFindText()
{
    PositionUpdate();
    int start = 0;
    int end = 0;
    m_edit.GetSel(&start, &end);
    QString found;
    if (start < end) {
        found = m_edit.GetSelectedText();
    } else {
        // A word never spans a line break (CR and LF are white space), so the caret's line holds it.
        const int line = m_edit.LineFromChar(m_nCaret);
        const QString text = m_edit.GetLine(line);
        const int column = std::max(0, m_nCaret - m_edit.LineIndex(line));
        const bool lastLine = line == m_edit.GetLineCount() - 1;
        // Past the line's last character lies its CR LF (white space), or on the last line the text's end.
        const bool onSpace = column < text.size() ? IsSpace(text.at(column)) : !lastLine || column > text.size();
        if (!onSpace) {
            int first = column;
            while (first > 0 && !IsSpace(text.at(first - 1)))
                --first;
            int last = column;
            while (last < text.size() && !IsSpace(text.at(last)))
                ++last;
            found = text.mid(first, last - first);
        }
    }
    CopyUtf8Bounded(m_szFindText, sizeof m_szFindText, found.left(160).toUtf8());
    return m_szFindText;
}

// The print routine gets the text as UTF-8 whatever the file's encoding, so it
// prints the characters this window shows. Positions count CR LF as two
// characters in the control's text as they do in its selection.
void CNuvEdit::PrintText(BOOL selectionOnly)
{
    QString text = m_edit.GetText();
    if (selectionOnly) {
        int start = 0;
        int end = 0;
        m_edit.GetSel(&start, &end);
        text = text.mid(start, end - start);
    }
    QStringEncoder utf8(QStringConverter::Utf8);
    const auto size = static_cast<std::size_t>(utf8.requiredSpace(text.size())) + 1;
    char* copy = g_failPrintCopy ? nullptr : static_cast<char*>(std::calloc(size, 1));
    if (!copy) {
        MessageFromTable(IDS_NO_MEMORY, MB_ICONEXCLAMATION);
        return;
    }
    *utf8.appendToBuffer(copy, text) = '\0';
    PrintTextThroughHandler(copy, m_szFileName);
    std::free(copy);
}

bool CNuvEdit::OnCommand(int id)
{
    switch (id) {
    case ID_EDIT_UNDO: m_edit.Undo(); return true;
    case ID_EDIT_CUT: m_edit.Cut(); return true;
    case ID_EDIT_COPY: m_edit.Copy(); return true;
    case ID_EDIT_PASTE: m_edit.Paste(); return true;
    case ID_EDIT_CLEAR: m_edit.Clear(); return true;
    case ID_EDIT_SELECT_ALL:
        m_edit.SetSel(0, -1);
        m_edit.ScrollCaret();
        return true;
    case ID_SEARCH_BRACE: MatchBrace(FALSE); return true;
    case ID_SEARCH_UNCOMMENTED_BRACE: MatchBrace(TRUE); return true;
    case ID_SEARCH_GOTO_LINE: GotoLineCommand(); return true;
    case ID_FILE_LOAD: LoadCommand(); return true;
    case ID_FILE_SAVE: SaveOrSaveAs(); return true;
    default: return false;
    }
}

// Lines as the edit control counts them: a text that ends in a line break has
// an empty last line. Each step costs what the control's block lookup costs,
// whatever the size of the text.
void CNuvEdit::GotoLineCommand()
{
    Busy busy(this);
    IMainFrame* frame = TheFrame();
    CGotoLineDlg dialog(frame ? frame->Window() : this, m_edit.LineFromChar(m_edit.GetCaret()) + 1,
                        m_edit.GetLineCount());
    if (dialog.exec() != QDialog::Accepted || m_bDestroyed)
        return;
    // The text may have changed while the dialog was open (a run's output, say).
    const int line0 = std::clamp(dialog.Line(), 1, m_edit.GetLineCount()) - 1;
    const int start = m_edit.LineIndex(line0);
    m_edit.SetSel(start, start);
    m_edit.ScrollCaret();
}

void CNuvEdit::LoadCommand()
{
    Busy busy(this);
    if (!SaveChangesOrKeep())
        return;
    char chosen[MAX_PATH];
    if (m_bDestroyed || !ChooseFileName(chosen, nullptr, FD_LOAD) || m_bDestroyed)
        return;
    IMainFrame* frame = TheFrame();
    if (CNuvChild* loaded = frame ? frame->FindEditorWindow(chosen) : nullptr) {
        frame->MdiArea()->setActiveSubWindow(loaded);
        StatusFromTable(IDS_ALREADY_LOADED, {chosen}, true);
        return;
    }
    LoadFile(chosen);
}

CNuvChild* FindEditorIn(QMdiArea* area, const char* path)
{
    if (!area || !path)
        return nullptr;
    // Stacking order lists the topmost window last; the desktop's window order starts with it.
    const QList<QMdiSubWindow*> windows = area->subWindowList(QMdiArea::StackingOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        auto* editor = qobject_cast<CNuvEdit*>(*it);
        if (editor && editor->IsWindowClass(g_editorClass) && SameFileName(editor->FileName(), path))
            return editor;
    }
    return nullptr;
}
