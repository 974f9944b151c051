#include "app/CHelpViewer.h"

#include "platform/DataFiles.h"

#include <QAction>
#include <QFileInfo>
#include <QPointer>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QAction* NavigationAction(QWidget* owner, QToolBar* bar, QStyle::StandardPixmap icon, const QString& text,
                          const QList<QKeySequence>& keys)
{
    auto* action = new QAction(owner->style()->standardIcon(icon), text, owner);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setToolTip(QString("%1 (%2)").arg(QString(text).remove('&'), keys.first().toString(QKeySequence::NativeText)));
    owner->addAction(action);
    bar->addAction(action);
    return action;
}

}  // namespace

CHelpViewer::CHelpViewer(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this))
{
    setWindowTitle("NUV Help");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = NavigationAction(this, bar, QStyle::SP_ArrowBack, "&Back", QKeySequence::keyBindings(QKeySequence::Back));
    m_forward = NavigationAction(this, bar, QStyle::SP_ArrowForward, "&Forward",
                                 QKeySequence::keyBindings(QKeySequence::Forward));
    m_contents = NavigationAction(this, bar, QStyle::SP_DirHomeIcon, "&Contents", {QKeySequence(Qt::ALT | Qt::Key_Home)});
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QAction::triggered, this, &CHelpViewer::GoToContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser);
    const QString path = HelpFilePath();
    // Shown from its place, not as a copy of its text, so that the links
    // within it make a history to go back in.
    if (QFileInfo(path).isFile() && QFileInfo(path).isReadable()) {
        m_file = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        GoToContents();
    } else {
        m_browser->setPlainText("The help file " + path + " could not be opened.");
        m_contents->setEnabled(false);
    }
    resize(720, 560);
}

QString CHelpViewer::HelpFilePath()
{
    return DataFilePath("nuv_help.hlp");
}

QString CHelpViewer::ShownText() const
{
    return m_browser->toPlainText();
}

QUrl CHelpViewer::Source() const
{
    return m_browser->source();
}

void CHelpViewer::FollowLink(const QString& link)
{
    m_browser->setSource(m_browser->source().resolved(QUrl(link)));
}

void CHelpViewer::GoToContents()
{
    if (m_file.isEmpty())
        return;
    QUrl contents = m_file;
    contents.setFragment("contents");
    if (m_browser->source() != contents)
        m_browser->setSource(contents, QTextDocument::HtmlResource);
}

void CHelpViewer::ShowContents(QWidget* parent)
{
    static QPointer<CHelpViewer> viewer;
    if (!viewer)
        viewer = new CHelpViewer(parent);
    viewer->GoToContents();
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}
