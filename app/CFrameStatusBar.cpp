#include "app/CFrameStatusBar.h"

#include <QLabel>

#include "res/CommandIds.h"
#include "res/StringTable.h"

CFrameStatusBar::CFrameStatusBar(QWidget* parent) : QStatusBar(parent)
{
    m_message = new QLabel(QString::fromUtf8(LoadStringEntry(IDS_READY)), this);
    m_message->setMinimumWidth(1);
    m_message->setTextInteractionFlags(Qt::NoTextInteraction);
    addWidget(m_message, 1);
    for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_LINE, ID_INDICATOR_COLUMN, ID_INDICATOR_CLOCK}) {
        auto* pane = new QLabel(this);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        const QString sizing = QString::fromUtf8(LoadStringEntry(id));
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(sizing) + 2 * pane->frameWidth() + 6);
        addPermanentWidget(pane);
        m_panes[id] = pane;
        m_enabled[id] = true;
    }
}

void CFrameStatusBar::SetMessageText(const QString& text)
{
    if (m_message->text() != text)
        m_message->setText(text);
}

QString CFrameStatusBar::MessageText() const
{
    return m_message->text();
}

void CFrameStatusBar::SetPaneText(int id, const QString& text)
{
    const auto it = m_panes.find(id);
    if (it == m_panes.end())
        return;
    m_texts[id] = text;
    const QString shown = m_enabled[id] ? text : QString();
    if (it->second->text() != shown)
        it->second->setText(shown);
}

QString CFrameStatusBar::PaneText(int id) const
{
    const auto it = m_panes.find(id);
    return it != m_panes.end() ? it->second->text() : QString();
}

void CFrameStatusBar::EnablePane(int id, bool enabled)
{
    if (!m_panes.count(id) || m_enabled[id] == enabled)
        return;
    m_enabled[id] = enabled;
    SetPaneText(id, m_texts[id]);
}
