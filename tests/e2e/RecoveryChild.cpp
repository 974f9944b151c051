// A modeller's session that does not end normally, run as a process of its
// own by the recovery tests: it opens the models named on its command line,
// types into all but the last and prints what each of those would save. With
// an interpreter library in NUV_TEST_LIBRARY (one that crashes or hangs) it
// then runs the last model; without one it waits for a signal.
// NUV_TEST_PATIENCE_MS sets how long a termination signal waits for the
// event loop. With NUV_TEST_EXIT set it leaves instead, and says "asking" once
// the exit's first question is on screen.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <cstdio>

#include "app/CMainFrame.h"
#include "app/CNuvApp.h"
#include "editor/CNuvEdit.h"
#include "platform/CTerminationSignals.h"
#include "res/CommandIds.h"
#include "run/CInterpreterLibrary.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName("nuv");
    QApplication::setOrganizationName("nuv");
    CInterpreterLibrary::SetFileName(qgetenv("NUV_TEST_LIBRARY").toStdString());
    if (qEnvironmentVariableIsSet("NUV_TEST_PATIENCE_MS"))
        CTerminationSignals::SetPatienceForTests(qEnvironmentVariableIntValue("NUV_TEST_PATIENCE_MS"));
    CNuvApp app;
    const std::vector<std::string> models(argv + 1, argv + argc);
    if (!app.InitInstance(models))
        return 1;
    CMainFrame& frame = *app.Frame();
    const QList<QMdiSubWindow*> windows = frame.MdiArea()->subWindowList(QMdiArea::CreationOrder);
    for (int i = 0; i + 1 < windows.size(); ++i) {
        auto* editor = qobject_cast<CNuvEdit*>(windows[i]);
        editor->Edit().SetSel(0, 0);
        editor->Edit().ReplaceSel(QString::fromUtf8("typed café € 😀 in window %1\n").arg(i + 1));
        std::printf("%s\n", editor->SaveBytes().toHex().constData());
    }
    std::fflush(stdout);
    if (qEnvironmentVariableIsSet("NUV_TEST_EXIT")) {
        QTimer asking;
        QObject::connect(&asking, &QTimer::timeout, [&asking] {
            if (QApplication::activeModalWidget()) {
                std::printf("asking\n");
                std::fflush(stdout);
                asking.stop();
            }
        });
        asking.start(10);
        frame.PostCommand(ID_APP_EXIT);
        return QApplication::exec();
    }
    if (qEnvironmentVariableIsEmpty("NUV_TEST_LIBRARY"))
        return QApplication::exec();
    frame.MdiArea()->setActiveSubWindow(windows.last());
    frame.OnCommand(ID_RUN_ACTIVE);
    return 0;  // not reached: the run crashes or hangs
}
