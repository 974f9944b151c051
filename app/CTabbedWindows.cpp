#include "app/CTabbedWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>

#include "platform/Profile.h"
#include "shell/CNuvChild.h"

namespace {

const QString kSection = QStringLiteral("Options");
const QString kKey = QStringLiteral("TabbedWindows");

}  // namespace

CTabbedWindows::CTabbedWindows(QMdiArea* area, std::function<CNuvChild*()> output)
    : QObject(area), m_area(area), m_output(std::move(output))
{
}

bool CTabbedWindows::IsOn() const
{
    return m_area->viewMode() == QMdiArea::TabbedView;
}

void CTabbedWindows::SetOn(bool on)
{
    if (on == IsOn())
        return;
    const QList<QMdiSubWindow*> windows = m_area->subWindowList(QMdiArea::StackingOrder);
    if (on) {
        for (QMdiSubWindow* window : windows) {
            if (auto* child = qobject_cast<CNuvChild*>(window))
                child->KeepOverlapPlace();
        }
        m_area->setViewMode(QMdiArea::TabbedView);
        m_area->setDocumentMode(true);
        m_area->setTabsClosable(true);
        m_area->setTabsMovable(true);
        Refresh();
        return;
    }
    QMdiSubWindow* active = m_area->currentSubWindow();
    m_area->setViewMode(QMdiArea::SubWindowView);
    // Bottom to top, the active window last, so that it ends on top; as with
    // any window activated while another is maximised, it then takes the
    // maximised state.
    for (QMdiSubWindow* window : windows) {
        auto* child = qobject_cast<CNuvChild*>(window);
        if (child && window != active)
            child->RestoreOverlapPlace();
    }
    if (auto* child = qobject_cast<CNuvChild*>(active)) {
        child->RestoreOverlapPlace();
        m_area->setActiveSubWindow(child);
    }
    if (CNuvChild* output = m_output ? m_output() : nullptr)
        output->RestoreOverlapPlace();  // hidden: only forgets its kept place
}

void CTabbedWindows::Refresh()
{
    if (!IsOn())
        return;
    auto* tabs = m_area->findChild<QTabBar*>();
    if (!tabs)
        return;
    // The area keeps its tabs in the order of its windows' list.
    const QList<QMdiSubWindow*> windows = m_area->subWindowList(QMdiArea::CreationOrder);
    for (int i = 0; i < tabs->count() && i < windows.size(); ++i) {
        const QString title = windows[i]->windowTitle();
        const QString text = TabText(title);
        if (tabs->tabText(i) != text)
            tabs->setTabText(i, text);
        if (tabs->tabToolTip(i) != title)
            tabs->setTabToolTip(i, title);
    }
}

bool CTabbedWindows::FromProfile()
{
    return Profile::GetInt(kSection, kKey, 0) != 0;
}

void CTabbedWindows::ToProfile(bool on)
{
    Profile::WriteInt(kSection, kKey, on ? 1 : 0);
    Profile::Flush();
}

QString CTabbedWindows::TabText(const QString& title)
{
    const qsizetype first = title.indexOf(QLatin1Char('/'));
    if (first < 0)
        return title;
    return title.left(first) + title.mid(title.lastIndexOf(QLatin1Char('/')) + 1);
}
