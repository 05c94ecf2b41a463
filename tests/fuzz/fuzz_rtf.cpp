// Fuzzes the RTF reader. The input is read as RTF, and also taken as text (UTF-8) that RtfEscape
// must carry through the reader unchanged: escaped text opens, closes and formats nothing, so it
// reads back as one paragraph of the same characters (line feeds as line breaks, other control
// characters dropped), whatever braces and backslashes it holds.
#include "FuzzSupport.h"

#include "RtfReader.h"

#include <QByteArray>
#include <QString>
#include <QTextDocument>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startQt();
    return 0;
}

// Characters a QTextDocument keeps for itself rather than as text; the escape leaves them alone.
static bool documentSeparator(QChar c)
{
    return c == QChar::ParagraphSeparator || c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1;
}

static void checkEscapeReadsBack(const QString &text)
{
    QString expected;
    for (const QChar c : text) {
        if (documentSeparator(c))
            return;
        if (c == QLatin1Char('\n'))
            expected += QChar::LineSeparator;
        else if (c == QLatin1Char('\t') || (c.unicode() >= 0x20 && c.unicode() != 0x7F))
            expected += c;
    }
    const QString escaped = RtfEscape(text);
    for (const QChar c : escaped)
        FUZZ_CHECK(c.unicode() < 0x80);
    QTextDocument doc;
    QString warning;
    const QByteArray rtf = QByteArrayLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1 ") + escaped.toLatin1() + '}';
    FUZZ_CHECK(RtfReader::read(rtf, &doc, &warning));
    FUZZ_CHECK(doc.blockCount() == 1);
    FUZZ_CHECK(doc.toRawText() == expected);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument doc;
    QString warning;
    const bool wellFormed = RtfReader::read(bytes, &doc, &warning);
    FUZZ_CHECK(wellFormed || !warning.isEmpty());
    checkEscapeReadsBack(QString::fromUtf8(bytes));
    return 0;
}
