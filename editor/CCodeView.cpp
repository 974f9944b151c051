#include "editor/CCodeView.h"

#include <QPlainTextEdit>

#include "editor/CLineNumberGutter.h"
#include "editor/EditorLook.h"
#include "editor/KeywordList.h"
#include "platform/EditControl.h"

CCodeView::CCodeView(CEditControl& edit)
    : m_edit(edit),
      m_states(new CBlockStates(edit.Widget()->document())),
      m_colours(edit, *m_states, KeywordList::Installed()),
      m_gutter(new CLineNumberGutter(edit)),
      m_shading(new CCaretShading(edit, *m_states))
{
    edit.SetBeforePaint([this](const QRect& painting) { m_colours.ColourVisibleLines(painting); });
}

CCodeView::~CCodeView()
{
    m_edit.SetBeforePaint(nullptr);
}

void CCodeView::Apply(const EditorLook& look)
{
    m_colours.SetOn(look.colours);
    m_gutter->SetOn(look.lineNumbers);
}

void CCodeView::FontChanged()
{
    m_gutter->Refresh();
}
