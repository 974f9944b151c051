// Text rules: which encoding and line end a file gets, and that its bytes come
// back unchanged through the edit control when the text is not changed.
#include <gtest/gtest.h>

#include "platform/EditControl.h"
#include "platform/TextCodec.h"

namespace {

using Encoding = TextCodec::Encoding;
using LineEnd = TextCodec::LineEnd;

struct RoundTrip {
    const char* name;
    QByteArray bytes;
    Encoding encoding;
    LineEnd lineEnd;
    QString shown;        // the text the control gives back (CR LF breaks)
    QByteArray written;   // what an unchanged text encodes to
};

// Decodes into a real control, as the editor does, and encodes what it holds.
QByteArray ThroughControl(TextCodec& codec, const QByteArray& bytes, QString* shown)
{
    CEditControl edit;
    edit.SetText(codec.Decode(bytes.constData(), bytes.size()));
    codec.SetLoadedText(edit.GetText());
    *shown = edit.GetText();
    return codec.Encode(edit.GetText());
}

TEST(TextCodec, UnchangedTextsComeBackByteForByte)
{
    const QByteArray mixed("a\r\nb\nc\rd\n\re");
    const std::vector<RoundTrip> cases = {
        {"utf-8 with CR LF", "x = 1;\r\nnom = \"\xC3\xA9t\xC3\xA9\";\r\n", Encoding::Utf8, LineEnd::CrLf,
         QString::fromUtf8("x = 1;\r\nnom = \"\xC3\xA9t\xC3\xA9\";\r\n"), "x = 1;\r\nnom = \"\xC3\xA9t\xC3\xA9\";\r\n"},
        {"LF", "a\nb\n", Encoding::Utf8, LineEnd::Lf, "a\r\nb\r\n", "a\nb\n"},
        {"latin-1", "caf\xE9\xA0!\n", Encoding::Latin1, LineEnd::Lf, QString::fromLatin1("caf\xE9\xA0!\r\n"),
         "caf\xE9\xA0!\n"},
        {"overlong utf-8 is not utf-8", "\xC0\x80z", Encoding::Latin1, LineEnd::CrLf, QString::fromLatin1("\xC0\x80z"),
         "\xC0\x80z"},
        {"surrogate half is not utf-8", "\xED\xA0\x80", Encoding::Latin1, LineEnd::CrLf,
         QString::fromLatin1("\xED\xA0\x80"), "\xED\xA0\x80"},
        {"utf-8 cut off at the end is not utf-8", "x\n\xE2\x82", Encoding::Latin1, LineEnd::Lf,
         QString::fromLatin1("x\r\n\xE2\x82"), "x\n\xE2\x82"},
        {"mixed line ends", mixed, Encoding::Utf8, LineEnd::CrLf, "a\r\nb\r\nc\r\nd\r\n\r\ne", mixed},
        {"lone CR", "a\rb\r", Encoding::Utf8, LineEnd::Cr, "a\r\nb\r\n", "a\rb\r"},
        {"byte-order mark", "\xEF\xBB\xBFhi\r\n", Encoding::Utf8, LineEnd::CrLf, "hi\r\n", "\xEF\xBB\xBFhi\r\n"},
        {"line separator stays in its line", "a\xE2\x80\xA8" "b", Encoding::Utf8, LineEnd::CrLf,
         QString::fromUtf8("a\xE2\x80\xA8" "b"), "a\xE2\x80\xA8" "b"},
        {"text ends at the first zero byte", QByteArray("ab\0cd", 5), Encoding::Utf8, LineEnd::CrLf, "ab", "ab"},
        {"empty", "", Encoding::Utf8, LineEnd::CrLf, "", ""},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        TextCodec codec;
        QString shown;
        EXPECT_EQ(ThroughControl(codec, c.bytes, &shown), c.written);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(codec.encoding(), c.encoding);
        EXPECT_EQ(codec.lineEnd(), c.lineEnd);
    }
}

TEST(TextCodec, ChangedTextsUseTheFilesEncodingAndFirstLineEnd)
{
    struct Edit {
        const char* name;
        QByteArray bytes;
        QString edited;  // as the control would give it
        QByteArray written;
    };
    const std::vector<Edit> cases = {
        {"LF file keeps LF", "a\nb\n", "a\r\nb\r\nc", "a\nb\nc"},
        {"CR LF file keeps CR LF", "a\r\nb", "a\r\nb\r\nc", "a\r\nb\r\nc"},
        {"mixed file takes its first break", "a\nb\r\nc", "a\r\nb\r\nc!", "a\nb\nc!"},
        {"lone CR file keeps CR", "a\rb", "a\r\nb!", "a\rb!"},
        {"latin-1 stays latin-1", "caf\xE9\n", QString::fromLatin1("caf\xE9s\r\n"), "caf\xE9s\n"},
        {"bytes of a cut-off utf-8 sequence survive an edit", "x\n\xC3", QString::fromLatin1("x\r\n\xC3!"),
         "x\n\xC3!"},
        {"latin-1 whose bytes would read as utf-8 becomes utf-8", "\x90\x90\n", QString::fromLatin1("\xE9\x90\x90\r\n"),
         "\xC3\xA9\xC2\x90\xC2\x90\n"},
        {"latin-1 gaining a euro sign becomes utf-8", "caf\xE9\n", QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC\r\n"),
         "caf\xC3\xA9 \xE2\x82\xAC\n"},
        {"byte-order mark kept", "\xEF\xBB\xBFhi", "hi!", "\xEF\xBB\xBFhi!"},
    };
    for (const Edit& c : cases) {
        SCOPED_TRACE(c.name);
        TextCodec codec;
        QString shown;
        ThroughControl(codec, c.bytes, &shown);
        EXPECT_EQ(codec.Encode(c.edited), c.written);
    }
}

TEST(TextCodec, NewTextIsUtf8WithCrLfAndSavedBytesBecomeTheLoadedOnes)
{
    TextCodec codec;
    EXPECT_EQ(codec.Encode(QString::fromUtf8("a\r\n\xC3\xA9")), QByteArray("a\r\n\xC3\xA9"));

    codec.Decode("caf\xE9", 4);
    const QString euro = QString::fromUtf8("\xE2\x82\xAC");
    const QByteArray written = codec.Encode(euro);
    codec.Saved(written, euro);
    EXPECT_EQ(codec.encoding(), Encoding::Utf8);
    EXPECT_EQ(codec.Encode(euro), written);
    EXPECT_EQ(codec.Encode(euro + "x"), written + "x");
}

}  // namespace
