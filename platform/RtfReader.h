// Reads RTF into a QTextDocument, as Qt reads no RTF of its own. The rich-text box of the
// instructions window shows its document through it; it covers what such documents use:
// groups, the font and colour tables, font, size, bold, italic, underline and colour,
// paragraphs with their alignment, the named special characters, code page 1252 and Unicode.
// Everything else is skipped. Malformed input gives the best reading and a warning, never a crash.
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

class RtfReader
{
public:
    // Groups nested deeper than this are read as if their braces were not there.
    static constexpr int MaxDepth = 256;

    // Replaces the whole content of doc with the document rtf describes. Every text fragment
    // carries its full character format (font family as named in the font table, left to
    // QFont's substitution; point size; weight; italic; underline; colour, or none for the
    // automatic colour), and each paragraph mark the format in effect at it, so an empty
    // paragraph is one blank line of that size. Raw bytes and \'hh are code page 1252.
    // Returns true for well-formed RTF. Otherwise returns false, sets *warning (when given)
    // to what was wrong, and doc holds what could be read: text without the "{\rtf" header
    // is still read, unclosed groups end with the input, a surplus closing brace is ignored,
    // and anything after the document's closing brace is dropped. Returns false at once for
    // a null doc.
    static bool read(const QByteArray &rtf, QTextDocument *doc, QString *warning = nullptr);
};

// Returns text as RTF that reads back as the same characters and opens, closes or formats
// nothing: backslash and braces are escaped, tab becomes \tab and line feed \line (a line
// break inside the paragraph), other control characters are dropped, characters beyond
// ASCII become \'hh where code page 1252 has them and \uN? elsewhere (one fallback
// character, so it belongs where \uc1, the default, is in effect). The result is plain
// ASCII, so converting the assembled document with toLatin1() loses nothing.
QString RtfEscape(const QString &text);
