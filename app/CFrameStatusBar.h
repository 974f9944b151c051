#pragma once
// The six-pane status bar: the message pane (menu prompts, "Ready", short
// results), CAPS, NUM, caret line, caret column and the run clock, each pane
// sized by its sizing text.
#include <QStatusBar>
#include <map>

class QLabel;

class CFrameStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CFrameStatusBar(QWidget* parent);
    void SetMessageText(const QString& text);
    QString MessageText() const;
    // Indicator panes by id (59137, 59138, 59142, 59143, 59144).
    void SetPaneText(int id, const QString& text);
    QString PaneText(int id) const;
    // A disabled pane shows empty.
    void EnablePane(int id, bool enabled);
    int PaneCount() const { return 1 + static_cast<int>(m_panes.size()); }

private:
    QLabel* m_message;
    std::map<int, QLabel*> m_panes;
    std::map<int, QString> m_texts;
    std::map<int, bool> m_enabled;
};
