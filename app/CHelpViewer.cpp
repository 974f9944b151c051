#include "app/CHelpViewer.h"

#include "platform/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpViewer::CHelpViewer(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this))
{
    setWindowTitle("NUV Help");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    const QString path = HelpFilePath();
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        m_browser->setSearchPaths({QFileInfo(path).absolutePath()});
        m_browser->setHtml(QString::fromUtf8(file.readAll()));
    } else {
        m_browser->setPlainText("The help file " + path + " could not be opened.");
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

void CHelpViewer::ShowContents(QWidget* parent)
{
    static QPointer<CHelpViewer> viewer;
    if (!viewer)
        viewer = new CHelpViewer(parent);
    viewer->m_browser->scrollToAnchor("contents");
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}
