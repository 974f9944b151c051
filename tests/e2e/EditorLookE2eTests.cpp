// What a modeller sees in a new editor window without touching a setting:
// coloured comments, strings, numbers and keywords, line numbers, the caret's
// brace and its partner shaded as Uncommented Matching Brace pairs them; and
// View > Syntax Colours and Line Numbers switched off, kept over a restart.
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>
#include <memory>

#include "FrameFixture.h"
#include "app/CMainFrame.h"
#include "editor/BraceScan.h"
#include "editor/CLineNumberGutter.h"
#include "editor/CMatchBrace.h"
#include "editor/CNuvEdit.h"
#include "editor/EditorLook.h"
#include "platform/Profile.h"
#include "res/CommandIds.h"

namespace {

const char kModel[] =
    "// totals of the table\n"
    "/* a (comment */ x = 0x1F;\n"
    "print(\"sum (\", x, \")\");\n"
    "if (x > 2.5) { while (x < 10) { x = x + 1; } }\n"
    "a = [1, (2]; b = ')';\n";

class EditorLookE2e : public FrameFixture {
protected:
    ~EditorLookE2e() override
    {
        Profile::RemoveKey("Options", "SyntaxColours");
        Profile::RemoveKey("Options", "LineNumbers");
        CurrentEditorLook() = EditorLook();
    }

    // Paints the window's text, as showing it does.
    static void Paint(CNuvEdit* editor) { editor->Edit().Widget()->viewport()->grab(); }

    // The colour line `line` draws its character `offset` in; invalid for plain text.
    static QColor ColourAt(CNuvEdit* editor, int line, int offset)
    {
        const QTextBlock block = editor->Edit().Widget()->document()->findBlockByNumber(line);
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (offset >= range.start && offset < range.start + range.length)
                return range.format.foreground().color();
        }
        return {};
    }
    static QColor Kind(CNuvEdit* editor, TokenKind kind)
    {
        return CSyntaxColours::KindColour(kind, editor->Edit().Widget()->palette().color(QPalette::Base));
    }
};

}  // namespace

TEST_F(EditorLookE2e, ANewWindowShowsColoursNumbersAndBracePairs)
{
    Start({WriteModel("look.nuv", kModel)});
    CNuvEdit* editor = ActiveEditor();
    ASSERT_NE(editor, nullptr);
    Paint(editor);

    EXPECT_EQ(ColourAt(editor, 0, 3), Kind(editor, TokenKind::Comment));
    EXPECT_EQ(ColourAt(editor, 1, 5), Kind(editor, TokenKind::Comment)) << "the brace in the block comment";
    EXPECT_EQ(ColourAt(editor, 1, 22), Kind(editor, TokenKind::Number)) << "0x1F";
    EXPECT_EQ(ColourAt(editor, 2, 0), Kind(editor, TokenKind::Keyword)) << "print";
    EXPECT_EQ(ColourAt(editor, 2, 8), Kind(editor, TokenKind::String));
    EXPECT_EQ(ColourAt(editor, 3, 9), Kind(editor, TokenKind::Number)) << "2.5";
    EXPECT_FALSE(ColourAt(editor, 3, 4).isValid()) << "x is plain";
    const QSet<QRgb> hues = {Kind(editor, TokenKind::Comment).rgb(), Kind(editor, TokenKind::String).rgb(),
                             Kind(editor, TokenKind::Number).rgb(), Kind(editor, TokenKind::Keyword).rgb(),
                             editor->Edit().Widget()->palette().color(QPalette::Text).rgb()};
    EXPECT_EQ(hues.size(), 5) << "four hues of their own, none the text's";
    // On a light and on a dark theme alike, each reads against the background and none is grey.
    for (const QColor& base : {QColor(Qt::white), QColor(0x2a, 0x2a, 0x2e)}) {
        for (TokenKind kind : {TokenKind::Comment, TokenKind::String, TokenKind::Number, TokenKind::Keyword}) {
            const QColor colour = CSyntaxColours::KindColour(kind, base);
            EXPECT_GT(std::abs(colour.lightnessF() - base.lightnessF()), 0.25) << base.name().toStdString();
            EXPECT_GT(colour.hslSaturationF(), 0.5);
        }
    }

    CLineNumberGutter& gutter = editor->View().Gutter();
    EXPECT_TRUE(gutter.isVisibleTo(editor));
    EXPECT_GT(gutter.width(), 0);
    EXPECT_EQ(editor->Edit().GutterWidth(), gutter.width());

    // Every brace of the text: the caret beside it shades the partner that
    // Ctrl+U's table gives, and a brace that Ctrl+U skips is not shaded.
    const QString text = editor->Edit().GetText();  // with CR LF, as Ctrl+U scans it
    QPlainTextEdit* widget = editor->Edit().Widget();
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar open = BraceKind(text[at]);
        if (open.isNull())
            continue;
        const QChar close = open == u'(' ? u')' : open == u'[' ? u']' : u'}';
        const qsizetype room = CountOpenBraces(text, open);
        auto pairs = std::make_unique<BracePair[]>(room);
        auto stack = std::make_unique<int[]>(room);
        const qsizetype count = ScanBraces(text, open, close, true, pairs.get(), stack.get(), {});
        int partner = -2;  // -2: not a brace of the scan
        for (qsizetype i = 0; i < count; ++i) {
            if (pairs[i].open == at || pairs[i].close == at)
                partner = pairs[i].open == at ? pairs[i].close : pairs[i].open;
        }
        QTextCursor caret(widget->document());
        caret.setPosition(editor->Edit().ToDocument(static_cast<int>(at)));
        widget->setTextCursor(caret);
        const BraceLookup& shaded = editor->View().Shading().ShadedBraces();
        const int seen = shaded.outcome == BraceLookup::NoBrace    ? -2
                         : shaded.outcome == BraceLookup::Unmatched ? -1
                                                                    : editor->Edit().FromDocument(shaded.partner);
        EXPECT_EQ(seen, partner) << "brace at " << at;
        EXPECT_EQ(widget->extraSelections().size(), seen == -2 ? 1 : seen == -1 ? 2 : 3) << "brace at " << at;
    }
}

TEST_F(EditorLookE2e, BothChoicesSwitchEveryWindowAndSurviveARestart)
{
    const std::string model = WriteModel("look.nuv", kModel);
    Start({model});
    CNuvEdit* first = ActiveEditor();
    Frame().OnCommand(ID_FILE_NEW);
    CNuvEdit* second = ActiveEditor();
    ASSERT_NE(first, second);
    Frame().OnCommand(ID_VIEW_SYNTAX_COLOURS);
    Frame().OnCommand(ID_VIEW_LINE_NUMBERS);
    Frame().OnIdle();
    EXPECT_FALSE(Frame().CommandAction(ID_VIEW_SYNTAX_COLOURS)->isChecked());
    EXPECT_FALSE(Frame().CommandAction(ID_VIEW_LINE_NUMBERS)->isChecked());
    Paint(first);
    EXPECT_FALSE(ColourAt(first, 0, 3).isValid()) << "colours gone from the open window";
    for (CNuvEdit* editor : {first, second}) {
        EXPECT_FALSE(editor->View().Gutter().isVisibleTo(editor));
        EXPECT_EQ(editor->Edit().GutterWidth(), 0);
    }

    Start({model});
    CNuvEdit* again = ActiveEditor();
    ASSERT_NE(again, nullptr);
    Paint(again);
    EXPECT_FALSE(ColourAt(again, 0, 3).isValid());
    EXPECT_EQ(again->Edit().GutterWidth(), 0);
    Frame().OnCommand(ID_VIEW_SYNTAX_COLOURS);
    Paint(again);
    EXPECT_EQ(ColourAt(again, 0, 3), Kind(again, TokenKind::Comment));
}
