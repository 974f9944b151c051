// The frame's accelerators must win over the text control's own key bindings
// (Ctrl+A is Save As, Ctrl+D Delete, Ctrl+K Run last, Ctrl+W New). The frame does
// it with an application-wide filter that refuses the control's claim on those
// keys (ShortcutOverride); the editor window must not hold them in a way such a
// filter cannot undo, e.g. with shortcuts of its own.
#include <QAction>
#include <QKeyEvent>
#include <QTest>

#include "EditorTestSupport.h"

namespace {

class RefuseOverride : public QObject {
public:
    explicit RefuseOverride(QList<QKeySequence> keys) : m_keys(std::move(keys)) { qApp->installEventFilter(this); }
    ~RefuseOverride() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        if (!m_keys.contains(key))
            return false;
        event->ignore();
        return true;
    }

private:
    QList<QKeySequence> m_keys;
};

using AcceleratorTest = EditorWidgetTest;

TEST_F(AcceleratorTest, FrameAcceleratorsReachTheFrameWhileTheTextHasTheFocus)
{
    const QList<QKeySequence> keys = {QKeySequence("Ctrl+A"), QKeySequence("Ctrl+D"), QKeySequence("Ctrl+K"),
                                      QKeySequence("Ctrl+W"), QKeySequence("Ctrl+Z"), QKeySequence("Ctrl+V")};
    RefuseOverride filter(keys);
    QList<QKeySequence> fired;
    for (const QKeySequence& key : keys) {
        auto* action = new QAction(frame.get());
        action->setShortcut(key);
        frame->addAction(action);
        QObject::connect(action, &QAction::triggered, [&fired, key] { fired.push_back(key); });
    }
    CNuvEdit* window = Loaded("k.nuv", "hello world");
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    window->Focus();
    for (const QKeySequence& key : keys) {
        window->Edit().SetSel(3, 3);
        QTest::keyClick(window->Edit().Widget(), key[0].key(), key[0].keyboardModifiers());
        int start = 0;
        int end = 0;
        window->Edit().GetSel(&start, &end);
        EXPECT_EQ(std::make_pair(start, end), std::make_pair(3, 3)) << key.toString().toStdString();
        EXPECT_EQ(window->Edit().GetText(), "hello world") << key.toString().toStdString();
    }
    EXPECT_EQ(fired, keys);

    // Ctrl+F4 stays the child's own close, with its question.
    window->Edit().ReplaceSel("x");
    prompts->ExpectMessageBox(IDCANCEL);
    QTest::keyClick(window->Edit().Widget(), Qt::Key_F4, Qt::ControlModifier);
    EXPECT_TRUE(prompts->Last().text.endsWith("Would You like to save the changes?"));
}

}  // namespace
