#pragma once
// The program's own help viewer: shows the HTML help file nuv_help.hlp that is
// installed beside the executable, with Back, Forward and Contents as buttons
// and as the usual keys (Alt+Left, Alt+Right, Alt+Home).
#include <QDialog>
#include <QUrl>

class QAction;
class QTextBrowser;

class CHelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit CHelpViewer(QWidget* parent);
    // Opens (or raises) the one viewer on the contents page.
    static void ShowContents(QWidget* parent);
    static QString HelpFilePath();
    QString ShownText() const;
    // The place shown: the help file with the anchor of the section, if any.
    QUrl Source() const;
    // Follows a link of the help, as a click on it does.
    void FollowLink(const QString& link);
    QAction* BackAction() const { return m_back; }
    QAction* ForwardAction() const { return m_forward; }
    QAction* ContentsAction() const { return m_contents; }

private:
    void GoToContents();

    QTextBrowser* m_browser;
    QUrl m_file;  // empty when the help file could not be read
    QAction* m_back;
    QAction* m_forward;
    QAction* m_contents;
};
