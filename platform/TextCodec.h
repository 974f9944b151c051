#pragma once
// How a model file's bytes become the editor's text and back.
//
// A file shows as UTF-8 when its bytes are valid UTF-8 (a leading byte-order
// mark is remembered, not shown), else as Latin-1. The text handed to the edit
// control has every line break (CR LF, LF, lone CR) as CR LF, which is what the
// control's position arithmetic counts. The first line break of the file decides
// the line end written back; a new text is UTF-8 with CR LF.
//
// Round trips are exact. When a file's bytes are not what encoding its text
// gives (mixed or lone-CR line ends, bytes the control would normalise), the
// codec keeps them with the text the control showed for them (or only its
// length when that is the decoded text, decoding again to compare), and while
// the text is still that text it gives back those very bytes. A file whose text
// encodes as its bytes anyway, almost any file, is kept in no second copy. Only
// a changed text is encoded, with the file's encoding and its one line end.
#include <QByteArray>
#include <QString>

class TextCodec {
public:
    enum class Encoding { Utf8, Latin1 };
    enum class LineEnd { CrLf, Lf, Cr };

    // A new text: UTF-8, CR LF, nothing loaded.
    void Reset();

    // Decodes `bytes` up to the first zero byte or `length`, decides the
    // encoding and line end and keeps the bytes. Returns the text with CR LF breaks.
    QString Decode(const char* bytes, qsizetype length);

    // The text as the control holds it right after it took the decoded text: the
    // text for which Encode gives back the decoded bytes.
    void SetLoadedText(const QString& shown);
    // Right after Decode, instead of SetLoadedText: the control holds exactly the
    // text Decode gave.
    void ShownAsDecoded();

    // The bytes for `text` (CR LF breaks, as the control gives it). A Latin-1 text
    // that gained a character Latin-1 cannot hold is encoded as UTF-8 rather than
    // losing that character, and so is one whose Latin-1 bytes would form UTF-8,
    // which the next load would show as another text.
    QByteArray Encode(const QString& text) const;

    // After a successful write of `bytes` for `text`: they are what the file now holds.
    void Saved(const QByteArray& bytes, const QString& text);

    Encoding encoding() const { return m_encoding; }
    LineEnd lineEnd() const { return m_lineEnd; }
    bool hasByteOrderMark() const { return m_byteOrderMark; }

    // Every break (CR LF, LF, CR, U+2029) of `text` as CR LF.
    static QString NormaliseBreaks(const QString& text);
    // The encoding the text would be written in (Latin-1 only when it can hold it
    // and its bytes read back as Latin-1).
    Encoding EncodingFor(const QString& text) const;

private:
    void KeepLoadedText(const QString& text, qsizetype length, bool decoded);
    void ForgetLoaded();
    bool IsLoadedText(const QString& text) const;
    // The encoding of `text` with the file's encoding and line end.
    QByteArray Fresh(const QString& text) const;

    Encoding m_encoding = Encoding::Utf8;
    LineEnd m_lineEnd = LineEnd::CrLf;
    bool m_byteOrderMark = false;
    bool m_hasLoaded = false;
    QByteArray m_loadedBytes;  // while m_hasLoaded
    QString m_loadedText;      // empty while m_loadedTextIsDecoded
    qsizetype m_loadedLength = 0;
    bool m_loadedTextIsDecoded = false;
};
