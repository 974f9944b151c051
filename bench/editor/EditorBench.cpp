// The editor's costs on the largest model it loads (65533 bytes): loading it
// into a window, the caret-pane update that runs at every idle pass, the
// suggested find text, the brace table, a Find Next that finds nothing, a
// Replace All of 65,000 one-character occurrences, and recovery copies.
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <string>

#include "FakeFrame.h"
#include "editor/CMatchBrace.h"
#include "editor/CNuvEdit.h"
#include "editor/CRecoveryStore.h"
#include "editor/ModelFile.h"

namespace {

std::string g_model;  // path of the 65533-byte model

// Lines of model text, each ended by CR LF, up to exactly 65533 bytes.
QByteArray ModelText()
{
    QByteArray text;
    for (int i = 0; text.size() < 65533; ++i)
        text += "    x" + QByteArray::number(i) + " = (a + b) * c[" + QByteArray::number(i % 17) + "];  // step\r\n";
    text.truncate(65533);
    return text;
}

void BM_LoadLargestModel(benchmark::State& state)
{
    FakeFrame frame;
    CNuvEdit* window = CNuvEdit::Create(kPlaceDefault);
    for (auto _ : state)
        benchmark::DoNotOptimize(window->LoadFile(g_model.c_str()));
    window->Destroy();
}
BENCHMARK(BM_LoadLargestModel)->Unit(benchmark::kMillisecond);

// The caret at the text's middle and at its end, where a line scan would cost most.
void BM_UpdatePositionPanes(benchmark::State& state)
{
    FakeFrame frame;
    CNuvEdit* window = CNuvEdit::CreateForFile(kPlaceDefault, g_model.c_str());
    const int pos = static_cast<int>(state.range(0)) * window->Edit().GetTextLength() / 100;
    window->Edit().SetSel(pos, pos);
    for (auto _ : state)
        window->UpdatePositionPanes();
    window->Destroy();
}
BENCHMARK(BM_UpdatePositionPanes)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_GetFindText(benchmark::State& state)
{
    FakeFrame frame;
    CNuvEdit* window = CNuvEdit::CreateForFile(kPlaceDefault, g_model.c_str());
    const int line = window->Edit().GetLineCount() / 2;
    const int pos = window->Edit().LineIndex(line) + 6;
    window->Edit().SetSel(pos, pos);
    for (auto _ : state)
        benchmark::DoNotOptimize(window->GetFindText());
    window->Destroy();
}
BENCHMARK(BM_GetFindText)->Unit(benchmark::kMicrosecond);

// One scan of the whole model in the uncommented mode (comments and strings
// skipped), copy of the text included.
void BM_BraceTable(benchmark::State& state)
{
    FakeFrame frame;
    CNuvEdit* window = CNuvEdit::CreateForFile(kPlaceDefault, g_model.c_str());
    for (auto _ : state)
        benchmark::DoNotOptimize(theMatchBrace.BuildTable(window, u'(', TRUE));
    state.counters["pairs"] = static_cast<double>(theMatchBrace.PairCount());
    window->Destroy();
}
BENCHMARK(BM_BraceTable)->Unit(benchmark::kMillisecond);

// From the start of the model to its end without a match: nothing changes, so
// every iteration searches the whole text again.
void BM_FindNextNoMatch(benchmark::State& state)
{
    FakeFrame frame;
    CNuvEdit* window = CNuvEdit::CreateForFile(kPlaceDefault, g_model.c_str());
    window->Edit().SetSel(0, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(window->FindText("zzzz", TRUE, FALSE));
    window->Destroy();
}
BENCHMARK(BM_FindNextNoMatch)->Unit(benchmark::kMillisecond);

// 65,000 characters, every one an occurrence: the copy-per-replacement loop
// would copy the text 65,000 times.
void BM_ReplaceAll65000(benchmark::State& state)
{
    FakeFrame frame;
    CNuvEdit* window = CNuvEdit::Create(kPlaceDefault);
    const QByteArray text(65000, 'a');
    for (auto _ : state) {
        state.PauseTiming();
        window->SetText(text.constData(), "/bench/a.nuv");
        window->Edit().SetSel(0, 0);
        state.ResumeTiming();
        window->ReplaceAll("a", "b", TRUE, TRUE);
    }
    if (window->Edit().GetText() != QString(65000, u'b'))
        state.SkipWithError("Replace All did not replace every occurrence");
    window->Destroy();
}
BENCHMARK(BM_ReplaceAll65000)->Unit(benchmark::kMillisecond);

// Recovery copies in the largest model: a keystroke while recovery is on
// (goal: well under 1 ms), and the copy itself when its timer runs out
// (encoding the text and handing it to the writer thread, which writes it).
std::string RecoveryBase()
{
    return std::string(g_model) + ".recovery";
}

// One typed character in the middle of the model, as the key arrives.
void BM_KeystrokeWithRecovery(benchmark::State& state)
{
    FakeFrame frame;
    CRecoveryStore store;
    store.Open(RecoveryBase());
    SetRecoveryStore(state.range(0) ? &store : nullptr);
    CNuvEdit* window = CNuvEdit::CreateForFile(kPlaceDefault, g_model.c_str());
    const int middle = window->Edit().GetTextLength() / 2;
    window->Edit().SetSel(middle, middle);
    QWidget* text = window->Edit().Widget();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
        QApplication::sendEvent(text, &press);
    }
    window->Destroy();
    SetRecoveryStore(nullptr);
    store.RemoveAll();
}
BENCHMARK(BM_KeystrokeWithRecovery)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RecoveryCopyOfTheLargestModel(benchmark::State& state)
{
    FakeFrame frame;
    CRecoveryStore store;
    store.Open(RecoveryBase());
    SetRecoveryStore(&store);
    CNuvEdit* window = CNuvEdit::CreateForFile(kPlaceDefault, g_model.c_str());
    window->Edit().ReplaceSel("x");
    for (auto _ : state)
        window->WriteRecoveryCopyNow();
    store.Flush();
    window->Destroy();
    SetRecoveryStore(nullptr);
    store.RemoveAll();
}
BENCHMARK(BM_RecoveryCopyOfTheLargestModel)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_model = (dir.path() + "/model.nuv").toStdString();
    const QByteArray text = ModelText();
    if (!SaveModelFile(g_model.c_str(), text.constData(), static_cast<std::size_t>(text.size()), false).ok)
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
