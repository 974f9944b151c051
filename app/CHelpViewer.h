#pragma once
// The program's own help viewer: shows the HTML help file nuv_help.hlp that is
// installed beside the executable.
#include <QDialog>

class QTextBrowser;

class CHelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit CHelpViewer(QWidget* parent);
    // Opens (or raises) the one viewer on the contents page.
    static void ShowContents(QWidget* parent);
    static QString HelpFilePath();
    QString ShownText() const;

private:
    QTextBrowser* m_browser;
};
