// The editor's costs on models of 64 KiB, 1 MiB and 16 MiB (the argument is the
// size in KiB; opening also at the limit, 64 MiB), each in a shown window: opening one, a keystroke, a Find Next
// that finds nothing, a Replace All of every 'a', Uncommented Matching Brace
// from the first brace to its partner at the end, and the part of a recovery
// copy that runs on the window's thread; then the resident memory of a 16 MiB
// model, and how long the bad files take to open or be refused.
//
// Run BM_ResidentMemory alone (--benchmark_filter=ResidentMemory) for the
// figure of a fresh program: what earlier benchmarks freed would be reused.
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fstream>
#include <map>
#include <string>

#include "FakeFrame.h"
#include "ScriptedPrompts.h"
#include "editor/CMatchBrace.h"
#include "editor/CNuvEdit.h"
#include "editor/CRecoveryStore.h"
#include "editor/ModelFile.h"
#include "res/CommandIds.h"

namespace {

QTemporaryDir* g_dir = nullptr;
std::map<long, std::string> g_models;  // path by size in KiB

std::string PathIn(const QString& name)
{
    return (g_dir->path() + "/" + name).toStdString();
}

// Model text of exactly `size` bytes: one brace around lines of statements with
// comments, strings, numbers and balanced braces (also inside the comments and
// strings, so that either brace command pairs the first brace with the last).
QByteArray ModelText(qsizetype size)
{
    QByteArray text = "model Large {\r\n";
    const QByteArray close = "}\r\n";
    for (int i = 0; text.size() < size - 200; ++i) {
        const QByteArray n = QByteArray::number(i);
        switch (i % 4) {
        case 0: text += "    // step " + n + ": a comment with a brace pair { } and a number 3.25e-2\r\n"; break;
        case 1: text += "    x" + n + " = (alpha + beta) * data[" + QByteArray::number(i % 17) + "] / 2.5;\r\n"; break;
        case 2: text += "    print \"value of x" + n + " {\", x" + n + ", \"}\\n\";  /* a (note) */\r\n"; break;
        default: text += "    if (x" + n + " > 10) { count = count + 1; } else { total = total - 1; }\r\n"; break;
        }
    }
    const qsizetype fill = size - text.size() - close.size() - 2;
    text += "// " + QByteArray(fill - 3, 'z') + "\r\n";
    text += close;
    return text;
}

bool WriteFile(const std::string& path, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

const char* Model(const benchmark::State& state)
{
    return g_models.at(static_cast<long>(state.range(0))).c_str();
}

// The frame the windows live in, shown, so that opening includes the first paint.
class ShownFrame {
public:
    ShownFrame()
    {
        m_frame.resize(1000, 700);
        m_frame.show();
        QApplication::processEvents();
    }
    CNuvEdit* Open(const char* path)
    {
        CNuvEdit* window = CNuvEdit::CreateForFile(WS_MAXIMIZE, path);
        if (window)
            window->Edit().Widget()->viewport()->repaint();
        return window;
    }

private:
    FakeFrame m_frame;
};

void Close(CNuvEdit* window)
{
    window->Destroy();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

// A recovery store in the temporary folder, in force while this lives.
class RecoveryOn {
public:
    RecoveryOn()
    {
        m_store.Open(PathIn("recovery"));
        SetRecoveryStore(&m_store);
    }
    ~RecoveryOn()
    {
        m_store.Flush();
        SetRecoveryStore(nullptr);
        m_store.RemoveAll();
    }
    RecoveryOn(const RecoveryOn&) = delete;
    RecoveryOn& operator=(const RecoveryOn&) = delete;
    void Flush() { m_store.Flush(); }

private:
    CRecoveryStore m_store;
};

void Sizes(benchmark::internal::Benchmark* bench)
{
    bench->ArgName("KiB")->Arg(64)->Arg(1024)->Arg(16384)->Unit(benchmark::kMillisecond);
}

// Registered first, so that in a full run it also meets a fresh program.
void BM_ResidentMemory(benchmark::State& state)
{
    ShownFrame frame;
    for (auto _ : state) {
        const long before = ResidentKiB();
        CNuvEdit* window = frame.Open(Model(state));
        QApplication::processEvents();
        const long after = ResidentKiB();
        state.counters["MiB"] = static_cast<double>(after - before) / 1024;
        state.counters["x size"] = static_cast<double>(after - before) / static_cast<double>(state.range(0));
        Close(window);
    }
}
BENCHMARK(BM_ResidentMemory)->ArgName("KiB")->Arg(16384)->Iterations(1)->Unit(benchmark::kMillisecond);

// Read, decode, show and paint what is visible, in a new window.
void BM_OpenModel(benchmark::State& state)
{
    ShownFrame frame;
    for (auto _ : state) {
        CNuvEdit* window = frame.Open(Model(state));
        state.PauseTiming();
        if (!window)
            state.SkipWithError("the model did not open");
        else
            Close(window);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenModel)->Apply(Sizes);
BENCHMARK(BM_OpenModel)->ArgName("KiB")->Arg(65536)->Iterations(2)->Unit(benchmark::kMillisecond);

// One key in the middle of the model with recovery on, and what the window's
// thread does for it before it waits again: the key's handling, the paint it
// asked for, and the caret panes of the idle pass. Keys alternate between a
// letter and Backspace, so the line stays as it was.
void BM_Keystroke(benchmark::State& state)
{
    ShownFrame frame;
    RecoveryOn recovery;
    CNuvEdit* window = frame.Open(Model(state));
    const int line = window->Edit().GetLineCount() / 2;
    const int pos = window->Edit().LineIndex(line) + 4;
    window->Edit().SetSel(pos, pos);
    window->Focus();
    QWidget* text = window->Edit().Widget();
    bool letter = true;
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, letter ? Qt::Key_X : Qt::Key_Backspace, Qt::NoModifier, letter ? "x" : "");
        QApplication::sendEvent(text, &press);
        QApplication::processEvents();
        window->UpdatePositionPanes();
        letter = !letter;
    }
    Close(window);
}
BENCHMARK(BM_Keystroke)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

// From the start of the model to its end without a match.
void BM_FindNextNoMatch(benchmark::State& state)
{
    ShownFrame frame;
    CNuvEdit* window = frame.Open(Model(state));
    window->Edit().SetSel(0, 0);
    for (auto _ : state) {
        if (window->FindText("zzzy", TRUE, FALSE))
            state.SkipWithError("a match where there is none");
    }
    Close(window);
}
BENCHMARK(BM_FindNextNoMatch)->Apply(Sizes);

// Every 'a' of the model replaced by 'b' from its start, which one Undo takes back.
void BM_ReplaceAll(benchmark::State& state)
{
    ShownFrame frame;
    CNuvEdit* window = frame.Open(Model(state));
    const QString original = window->Edit().GetText();
    const qsizetype count = original.count(u'a');
    for (auto _ : state) {
        state.PauseTiming();
        if (!window->LoadFile(Model(state)))
            state.SkipWithError("the model did not open");
        window->Edit().SetSel(0, 0);
        state.ResumeTiming();
        window->ReplaceAll("a", "b", TRUE, TRUE);
    }
    state.counters["replaced"] = static_cast<double>(count);
    if (window->Edit().GetText().contains(u'a'))
        state.SkipWithError("an 'a' was left");
    window->Edit().Undo();
    if (window->Edit().GetText() != original)
        state.SkipWithError("one Undo did not give the text back");
    Close(window);
}
BENCHMARK(BM_ReplaceAll)->Apply(Sizes);

// Ctrl+U on the model's first brace after an edit (a new table is scanned):
// the caret goes to its partner at the end.
void BM_UncommentedMatchingBrace(benchmark::State& state)
{
    ShownFrame frame;
    CNuvEdit* window = frame.Open(Model(state));
    const int first = static_cast<int>(window->Edit().GetLine(0).indexOf(u'{'));
    const int last = window->Edit().LineIndex(window->Edit().GetLineCount() - 2);
    for (auto _ : state) {
        window->m_bBraceTableStale = TRUE;
        window->Edit().SetSel(first, first);
        window->OnCommand(ID_SEARCH_UNCOMMENTED_BRACE);
    }
    if (window->Edit().GetCaret() != last)
        state.SkipWithError("the caret is not on the last brace");
    Close(window);
}
BENCHMARK(BM_UncommentedMatchingBrace)->Apply(Sizes);

// What a recovery copy costs the window's thread when its timer runs out. The
// writer's thread then encodes and writes it, outside the timing: copies come
// seconds apart, not one on another's heels.
void BM_RecoveryCopy(benchmark::State& state)
{
    ShownFrame frame;
    RecoveryOn recovery;
    CNuvEdit* window = frame.Open(Model(state));
    window->Edit().ReplaceSel("x");
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        window->WriteRecoveryCopyNow();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        recovery.Flush();
    }
    Close(window);
}
BENCHMARK(BM_RecoveryCopy)->Apply(Sizes)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The bad files, each opened or refused with message 102 in a new window:
// 0 random bytes (16 MiB), 1 a zero first, then the 16 MiB model, 2 64 MiB
// in one line, 3 a model of 64 MiB + 1 byte.
const char* const kBadFiles[] = {"random", "zero-first", "one-line", "too-large"};

void BM_OpenBadFile(benchmark::State& state)
{
    ShownFrame frame;
    ScriptedPrompts prompts;
    const char* name = kBadFiles[state.range(0)];
    const std::string path = PathIn(name);
    for (auto _ : state) {
        if (state.range(0) >= 2)
            prompts.ExpectMessageBox(IDOK);
        CNuvEdit* window = frame.Open(path.c_str());
        state.PauseTiming();
        if (window)
            Close(window);
        state.ResumeTiming();
    }
    state.SetLabel(name);
}
BENCHMARK(BM_OpenBadFile)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

bool MakeFiles()
{
    for (const long kib : {64L, 1024L, 16384L, 65536L}) {
        const std::string path = PathIn(QString("model-%1.nuv").arg(kib));
        if (!WriteFile(path, ModelText(kib * 1024)))
            return false;
        g_models[kib] = path;
    }
    QByteArray random(16 << 20, '\0');
    QRandomGenerator generator(7);
    generator.fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
    QByteArray zeroFirst = ModelText(16 << 20);
    zeroFirst[0] = '\0';
    return WriteFile(PathIn("random"), random) && WriteFile(PathIn("zero-first"), zeroFirst) &&
           WriteFile(PathIn("one-line"), QByteArray(static_cast<qsizetype>(kMaxModelFileSize), 'x')) &&
           WriteFile(PathIn("too-large"), ModelText(static_cast<qsizetype>(kMaxModelFileSize) + 1));
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    if (!MakeFiles())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
