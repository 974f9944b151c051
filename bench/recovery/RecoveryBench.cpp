// What recovery copies cost the user-interface thread in the largest model
// the editor loads: a keystroke while recovery is on (goal: well under 1 ms),
// and the copy itself when its timer runs out (encoding the text and handing
// it to the writer thread; the disk write happens on that thread).
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <string>

#include "FakeFrame.h"
#include "editor/CNuvEdit.h"
#include "editor/CRecoveryStore.h"
#include "editor/ModelFile.h"

namespace {

std::string g_model;
std::string g_recovery;

QByteArray ModelText()
{
    QByteArray text;
    for (int i = 0; text.size() < 65533; ++i)
        text += "    x" + QByteArray::number(i) + " = (a + b) * c[" + QByteArray::number(i % 17) + "];  // step\r\n";
    text.truncate(65533);
    return text;
}

// One typed character in the middle of the model, as the key arrives.
void BM_KeystrokeWithRecovery(benchmark::State& state)
{
    FakeFrame frame;
    CRecoveryStore store;
    store.Open(g_recovery);
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
    store.Open(g_recovery);
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
    g_recovery = (dir.path() + "/recovery").toStdString();
    const QByteArray text = ModelText();
    if (!SaveModelFile(g_model.c_str(), text.constData(), static_cast<std::size_t>(text.size()), false).ok)
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
