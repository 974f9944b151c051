#pragma once
// What an editor window draws beside and over its text: the syntax colours, the
// line-number gutter and the caret's shading, sharing one record of the lines'
// lexer states.
#include <memory>

#include "editor/CBlockStates.h"
#include "editor/CCaretShading.h"
#include "editor/CSyntaxColours.h"

class CEditControl;
class CLineNumberGutter;
struct EditorLook;

class CCodeView {
public:
    explicit CCodeView(CEditControl& edit);
    ~CCodeView();
    CCodeView(const CCodeView&) = delete;
    CCodeView& operator=(const CCodeView&) = delete;

    void Apply(const EditorLook& look);
    // After a font change: the gutter's width and font follow the text's.
    void FontChanged();

    CSyntaxColours& Colours() { return m_colours; }
    CLineNumberGutter& Gutter() { return *m_gutter; }
    CCaretShading& Shading() { return *m_shading; }

private:
    CEditControl& m_edit;
    CBlockStates* m_states;  // owned by the document
    CSyntaxColours m_colours;
    CLineNumberGutter* m_gutter;  // owned by the edit widget
    CCaretShading* m_shading;    // owned by the edit widget
};
