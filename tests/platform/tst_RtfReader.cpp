#include "RtfReader.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The instructions window's document as the setup supporter assembles it, for the product:
// series name on, multi-port note and cards hint present.
QByteArray productDocument()
{
    const QString company = RtfEscape(QStringLiteral("Velmar"));
    const QString card = RtfEscape(QStringLiteral("QRT-216/224/232(X)"));
    QString rtf;
    rtf += QStringLiteral(R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}})"
                          R"({\colortbl\red64\green64\blue64;\red255\green255\blue64;\red64\green64\blue255;\red255\green64\blue64;})"
                          R"(\viewkind4\uc1\pard\f0\cf0)")
        + QStringLiteral("\r\n") + QStringLiteral(R"(\fs32 {\b )");
    rtf += company + QLatin1Char(' ') + card + QStringLiteral(" Series");
    rtf += QStringLiteral(R"( Settings Program}\fs24)");
    rtf += QStringLiteral("\r\n") + QStringLiteral(R"(\par\par This program will help you configure the option jumpers and settings associated with this product. You should have the product in-hand when first using this program.)");
    rtf += QStringLiteral("\r\n") + QStringLiteral(R"(\par\par {\cf1\fs24\b Yellow circles} provide information on configuring jumpers and switches.)");
    rtf += QStringLiteral("\r\n") + QStringLiteral(R"(\par\par {\cf2\fs24\b Blue circles} are informational only. They provide information on standard and optional features of the product family.)");
    rtf += QStringLiteral("\r\n") + QStringLiteral(R"(\par\par {\cf3\fs24\b Red circles} handle calibration and types of configuration that require actually controlling the hardware device. Run this settings program again once the card is installed. )");
    rtf += QStringLiteral(R"(Repeat the {\cf1 setup circles} (using the same settings) to configure this program, then perform the {\cf3 calibration circles}.)");
    rtf += QStringLiteral("\r\n") + QStringLiteral(R"(\par\par Mouse over the highlight circles to see configuration or information popups for {\cf1 setup}, {\cf2 features}, and {\cf3 calibration}. Click a highlight circle to make its popup remain on-screen. )");
    rtf += QStringLiteral("You can have all or as many of these popups onscreen at the same time as you desire.");
    rtf += QStringLiteral("\r\n") + QStringLiteral(R"(\par\par {\fs32\b Note:} Make sure to set the jumpers for each option group \emdash  the configuration options for each port are handled identically; )");
    rtf += QStringLiteral("this program only shows the setup once, but you need to perform this setup for each group of options on your device.");
    rtf += QStringLiteral("\r\n") + QStringLiteral(R"(\par\par To see a list of )") + card
        + QStringLiteral(" cards installed, click \"Display ") + card
        + QStringLiteral(" Cards Installed\" under the File menu.");
    rtf += QStringLiteral("}");
    return rtf.toLatin1();
}

QStringList blockTexts(const QTextDocument &doc)
{
    QStringList texts;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

// The format of the characters [from, from + length) of the given block; fails unless they
// all share one.
QTextCharFormat formatOfRange(const QTextDocument &doc, int blockNumber, int from, int length)
{
    const QTextBlock block = doc.findBlockByNumber(blockNumber);
    QTextCursor cursor(block);
    QTextCharFormat first;
    for (int i = 0; i < length; ++i) {
        cursor.setPosition(block.position() + from + i + 1); // the format is the character's before
        if (i == 0)
            first = cursor.charFormat();
        else if (cursor.charFormat() != first) {
            QTest::qFail(qPrintable(QStringLiteral("block %1 changes format at %2").arg(blockNumber).arg(from + i)),
                         __FILE__, __LINE__);
            return {};
        }
    }
    return first;
}

QTextCharFormat formatOf(const QTextDocument &doc, int blockNumber, const QString &needle)
{
    const int at = doc.findBlockByNumber(blockNumber).text().indexOf(needle);
    if (at < 0) {
        QTest::qFail(qPrintable(QStringLiteral("\"%1\" not in block %2").arg(needle).arg(blockNumber)),
                     __FILE__, __LINE__);
        return {};
    }
    return formatOfRange(doc, blockNumber, at, int(needle.size()));
}

QColor colourOf(const QTextCharFormat &format)
{
    return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : QColor();
}

QByteArray body(const QByteArray &text)
{
    return "{\\rtf1\\ansi\\uc1 " + text + "}";
}

QString readText(const QByteArray &rtf, bool *ok = nullptr)
{
    QTextDocument doc;
    const bool read = RtfReader::read(rtf, &doc);
    if (ok)
        *ok = read;
    return doc.toRawText();
}

bool isSensibleText(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1)
            return false;
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
    return true;
}

const QColor DarkGrey(64, 64, 64);
const QColor Yellow(255, 255, 64);
const QColor Blue(64, 64, 255);
const QColor Red(255, 64, 64);

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT
private slots:
    void productDocumentGivesItsParagraphs()
    {
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("left over from before"));
        QString warning = QStringLiteral("stale");
        QVERIFY(RtfReader::read(productDocument(), &doc, &warning));
        QCOMPARE(warning, QString());

        const QStringList expected{
            QStringLiteral("Velmar QRT-216/224/232(X) Series Settings Program"),
            QString(),
            QStringLiteral("This program will help you configure the option jumpers and settings associated with this product. You should have the product in-hand when first using this program."),
            QString(),
            QStringLiteral("Yellow circles provide information on configuring jumpers and switches."),
            QString(),
            QStringLiteral("Blue circles are informational only. They provide information on standard and optional features of the product family."),
            QString(),
            QStringLiteral("Red circles handle calibration and types of configuration that require actually controlling the hardware device. Run this settings program again once the card is installed. Repeat the setup circles (using the same settings) to configure this program, then perform the calibration circles."),
            QString(),
            QStringLiteral("Mouse over the highlight circles to see configuration or information popups for setup, features, and calibration. Click a highlight circle to make its popup remain on-screen. You can have all or as many of these popups onscreen at the same time as you desire."),
            QString(),
            QStringLiteral("Note: Make sure to set the jumpers for each option group \u2014 the configuration options for each port are handled identically; this program only shows the setup once, but you need to perform this setup for each group of options on your device."),
            QString(),
            QStringLiteral("To see a list of QRT-216/224/232(X) cards installed, click \"Display QRT-216/224/232(X) Cards Installed\" under the File menu."),
        };
        QCOMPARE(blockTexts(doc), expected);

        // The blank lines are lines of the body's 12-point text.
        for (int i = 1; i < expected.size(); i += 2)
            QCOMPARE(doc.findBlockByNumber(i).charFormat().fontPointSize(), 12.0);
    }

    void productDocumentGivesItsFormats_data()
    {
        QTest::addColumn<int>("block");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("title") << 0 << "Velmar QRT-216/224/232(X) Series Settings Program" << 16.0
                               << true << DarkGrey;
        QTest::newRow("body") << 2 << "This program will help" << 12.0 << false << DarkGrey;
        QTest::newRow("Yellow circles") << 4 << "Yellow circles" << 12.0 << true << Yellow;
        QTest::newRow("after Yellow circles") << 4 << " provide information" << 12.0 << false
                                              << DarkGrey;
        QTest::newRow("Blue circles") << 6 << "Blue circles" << 12.0 << true << Blue;
        QTest::newRow("Red circles") << 8 << "Red circles" << 12.0 << true << Red;
        QTest::newRow("setup circles") << 8 << "setup circles" << 12.0 << false << Yellow;
        QTest::newRow("calibration circles") << 8 << "calibration circles" << 12.0 << false << Red;
        QTest::newRow("setup") << 10 << "setup" << 12.0 << false << Yellow;
        QTest::newRow("features") << 10 << "features" << 12.0 << false << Blue;
        QTest::newRow("calibration") << 10 << "calibration" << 12.0 << false << Red;
        QTest::newRow("between the words") << 10 << ", and " << 12.0 << false << DarkGrey;
        QTest::newRow("Note") << 12 << "Note:" << 16.0 << true << DarkGrey;
        QTest::newRow("after Note") << 12 << " Make sure" << 12.0 << false << DarkGrey;
        QTest::newRow("em dash") << 12 << "group \u2014 the" << 12.0 << false << DarkGrey;
        QTest::newRow("cards hint") << 14 << "To see a list of QRT-216/224/232(X) cards" << 12.0
                                    << false << DarkGrey;
    }
    void productDocumentGivesItsFormats()
    {
        QFETCH(int, block);
        QFETCH(QString, text);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(QColor, colour);
        QTextDocument doc;
        QVERIFY(RtfReader::read(productDocument(), &doc));

        const QTextCharFormat format = formatOf(doc, block, text);
        QCOMPARE(format.fontFamilies().toStringList(), QStringList{QStringLiteral("Verdana")});
        QCOMPARE(format.fontStyleHint(), QFont::SansSerif);
        QCOMPARE(format.fontPointSize(), points);
        QCOMPARE(format.fontWeight() >= QFont::Bold, bold);
        QCOMPARE(colourOf(format), colour);
    }

    void charactersReadAsTheirText_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("hex euro") << QByteArray(R"(\'80)") << QStringLiteral("€");
        QTest::newRow("hex curly quotes") << QByteArray(R"(\'93Hi\'94)") << QStringLiteral("“Hi”");
        QTest::newRow("hex Latin-1 letter") << QByteArray(R"(caf\'e9)") << QStringLiteral("café");
        QTest::newRow("hex upper-case digits") << QByteArray(R"(\'C9t\'C9)") << QStringLiteral("ÉtÉ");
        QTest::newRow("hex unassigned byte") << QByteArray(R"(a\'81b)") << QStringLiteral("a\uFFFDb");
        QTest::newRow("hex brace is text") << QByteArray(R"(\'7bx\'7d)") << QStringLiteral("{x}");
        QTest::newRow("raw cp1252 byte") << QByteArray("\x80 \x97") << QStringLiteral("€ —");
        QTest::newRow("unicode skips its fallback") << QByteArray(R"(\u8212?x)") << QStringLiteral("—x");
        QTest::newRow("unicode fallback in hex") << QByteArray(R"(\u8364\'80x)") << QStringLiteral("€x");
        QTest::newRow("uc0 keeps fallback") << QByteArray(R"(\uc0\u8212?)") << QStringLiteral("—?");
        QTest::newRow("uc2 skips two") << QByteArray(R"(\uc2\u233e\'e9x)") << QStringLiteral("éx");
        QTest::newRow("uc scoped to its group")
            << QByteArray(R"({\uc2\u8212??}\u8212?x)") << QStringLiteral("——x");
        QTest::newRow("fallback ends at a brace") << QByteArray(R"(\uc3\u8212?{x})") << QStringLiteral("—x");
        QTest::newRow("fallback counts a control word")
            << QByteArray(R"(\uc2\u8212\emdash ?x)") << QStringLiteral("—x");
        QTest::newRow("negative unicode pair")
            << QByteArray(R"(\u-10179?\u-8704?)") << QStringLiteral("\U0001F600");
        QTest::newRow("lone surrogate replaced") << QByteArray(R"(\u-10179?x)") << QStringLiteral("\uFFFDx");
        QTest::newRow("unicode out of range dropped") << QByteArray(R"(\u70000?x)") << QStringLiteral("x");
        QTest::newRow("unicode controls dropped")
            << QByteArray(R"(\u13?\u10?\u8233?\u64976?x)") << QStringLiteral("x");
        QTest::newRow("escaped symbols") << QByteArray(R"(a\\b\{c\}d)") << QStringLiteral("a\\b{c}d");
        QTest::newRow("spaces and hyphens")
            << QByteArray(R"(a\~b\-c\_d)") << QStringLiteral("a\u00A0b\u00ADc\u2011d");
        QTest::newRow("named punctuation")
            << QByteArray(R"(\lquote x\rquote  \ldblquote y\rdblquote \bullet\endash\emdash)")
            << QStringLiteral("‘x’ “y”•–—");
        QTest::newRow("tab and line") << QByteArray(R"(a\tab b\line c)") << QStringLiteral("a\tb\u2028c");
        QTest::newRow("one delimiting space") << QByteArray(R"(\b  x)") << QStringLiteral(" x");
        QTest::newRow("parameter ends the word") << QByteArray(R"(\fs20abc\b0-x)") << QStringLiteral("abc-x");
        QTest::newRow("source line ends ignored") << QByteArray("a\r\nb\rc\nd") << QStringLiteral("abcd");
        QTest::newRow("unknown words ignored")
            << QByteArray(R"(\foo12 bar \xyz-3baz)") << QStringLiteral("bar baz");
        QTest::newRow("ignorable destination")
            << QByteArray(R"({\*\generator Writer 1.0;}y)") << QStringLiteral("y");
        QTest::newRow("ignorable destination with groups")
            << QByteArray(R"({\*\foo {nested {text}}}y)") << QStringLiteral("y");
        QTest::newRow("destinations without text")
            << QByteArray(R"({\info{\title t}{\author a}}{\stylesheet{\s0 Normal;}}{\pict\pngblip 89504e47}z)")
            << QStringLiteral("z");
        QTest::newRow("binary data skipped") << QByteArray(R"({\pict\bin4 }{\}}z)") << QStringLiteral("z");
        QTest::newRow("unknown destination shows text") << QByteArray(R"({\foo bar})") << QStringLiteral("bar");
        QTest::newRow("field result shown")
            << QByteArray(R"({\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}})") << QStringLiteral("link");
    }
    void charactersReadAsTheirText()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        bool ok = false;
        QCOMPARE(readText(body(rtf), &ok), text);
        QVERIFY(ok);
    }

    void paragraphsFollowTheirMarks_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QStringList>("blocks");
        QTest::newRow("par") << QByteArray(R"(a\par b)") << QStringList{"a", "b"};
        QTest::newRow("par par gives a blank line") << QByteArray(R"(a\par\par b)") << QStringList{"a", "", "b"};
        QTest::newRow("par at the end") << QByteArray(R"(a\par)") << QStringList{"a", ""};
        QTest::newRow("backslash line feed") << QByteArray("a\\\nb") << QStringList{"a", "b"};
        QTest::newRow("page and sect") << QByteArray(R"(a\page b\sect c)") << QStringList{"a", "b", "c"};
        QTest::newRow("par inside a group") << QByteArray(R"({\b a\par b})") << QStringList{"a", "b"};
    }
    void paragraphsFollowTheirMarks()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QStringList, blocks);
        QTextDocument doc;
        QVERIFY(RtfReader::read(body(rtf), &doc));
        QCOMPARE(blockTexts(doc), blocks);
    }

    void paragraphFormatHoldsUntilPard()
    {
        QTextDocument doc;
        QVERIFY(RtfReader::read(body(R"(\qc a\par b\par\pard c\par{\qr d\par}e\par\qj f)"), &doc));
        QCOMPARE(blockTexts(doc), (QStringList{"a", "b", "c", "d", "e", "f"}));
        const QList<Qt::Alignment> expected{Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft,
                                            Qt::AlignRight,   Qt::AlignLeft,    Qt::AlignJustify};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(doc.findBlockByNumber(i).blockFormat().alignment(), expected.at(i));
    }

    void emptyParagraphTakesTheSizeAtItsMark()
    {
        QTextDocument doc;
        QVERIFY(RtfReader::read(body(R"(\fs40 a\par\fs20\par\fs32 b)"), &doc));
        QCOMPARE(blockTexts(doc), (QStringList{"a", "", "b"}));
        QCOMPARE(doc.findBlockByNumber(1).charFormat().fontPointSize(), 10.0);
        QCOMPARE(doc.findBlockByNumber(2).charFormat().fontPointSize(), 16.0);
    }

    void characterFormatsFollowGroupsAndWords_data()
    {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<QColor>("colour");
        const QColor none;
        QTest::newRow("a: default font, fs20") << "a" << "Verdana" << 10.0 << false << false << false << none;
        QTest::newRow("b: group formats") << "b" << "Times New Roman" << 15.0 << true << true << true
                                          << QColor(255, 0, 0);
        QTest::newRow("c: group restored") << "c" << "Verdana" << 10.0 << false << false << false << none;
        QTest::newRow("d: bold") << "d" << "Verdana" << 10.0 << true << false << false << none;
        QTest::newRow("e: b0") << "e" << "Verdana" << 10.0 << false << false << false << none;
        QTest::newRow("f: plain") << "f" << "Verdana" << 12.0 << false << false << false << none;
        QTest::newRow("g: clamped components") << "g" << "Verdana" << 12.0 << false << false << false
                                               << QColor(255, 0, 255);
        QTest::newRow("h: auto entry") << "h" << "Verdana" << 12.0 << false << false << false << none;
        QTest::newRow("i: index past table") << "i" << "Verdana" << 12.0 << false << false << false << none;
        QTest::newRow("j: ul0") << "j" << "Verdana" << 12.0 << false << false << false
                                << QColor(255, 0, 0);
        QTest::newRow("k: ulnone") << "k" << "Verdana" << 12.0 << false << false << false << none;
    }
    void characterFormatsFollowGroupsAndWords()
    {
        QFETCH(QString, letter);
        QFETCH(QString, family);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        QFETCH(QColor, colour);
        QTextDocument doc;
        QVERIFY(RtfReader::read(
            R"({\rtf1{\fonttbl{\f0\fswiss Verdana;}{\f1\froman Times New Roman;}})"
            R"({\colortbl;\red255\green0\blue0;\red999\green-5\blue300;}\deff0)"
            R"(\fs20 a{\b\i\ul\f1\fs30\cf1 b}c\b d\b0 e\plain f\cf2 g\cf0 h\cf9 i{\ul\cf1\ul0 j}{\ul\ulnone k}})",
            &doc));
        QCOMPARE(doc.toRawText(), QStringLiteral("abcdefghijk"));

        const QTextCharFormat format = formatOf(doc, 0, letter);
        QCOMPARE(format.fontFamilies().toStringList(), QStringList{family});
        QCOMPARE(format.fontStyleHint(), family == "Verdana" ? QFont::SansSerif : QFont::Serif);
        QCOMPARE(format.fontPointSize(), points);
        QCOMPARE(format.fontWeight() >= QFont::Bold, bold);
        QCOMPARE(format.fontItalic(), italic);
        QCOMPARE(format.fontUnderline(), underline);
        QCOMPARE(colourOf(format), colour);
    }

    void fontSizeStaysSensible_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<double>("points");
        QTest::newRow("huge") << QByteArray(R"(\fs99999999999 x)") << 1638.0;
        QTest::newRow("largest") << QByteArray(R"(\fs3276 x)") << 1638.0;
        QTest::newRow("odd half-points") << QByteArray(R"(\fs7 x)") << 3.5;
        QTest::newRow("zero gives default") << QByteArray(R"(\fs0 x)") << 12.0;
        QTest::newRow("negative gives default") << QByteArray(R"(\fs-4 x)") << 12.0;
        QTest::newRow("no parameter gives default") << QByteArray(R"(\fs30\fs x)") << 12.0;
    }
    void fontSizeStaysSensible()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(double, points);
        QTextDocument doc;
        QVERIFY(RtfReader::read(body(rtf), &doc));
        QCOMPARE(formatOf(doc, 0, QStringLiteral("x")).fontPointSize(), points);
    }

    void fontTableEntriesGiveFamilies_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("family");
        QTest::newRow("entries in groups") << QByteArray(R"({\fonttbl{\f0 Verdana;}{\f1 Tahoma;}}\f1 x)")
                                           << "Tahoma";
        QTest::newRow("entries without groups")
            << QByteArray(R"({\fonttbl\f0\fswiss Helvetica;\f1\fmodern Courier New;}\f1 x)") << "Courier New";
        QTest::newRow("entry without semicolon") << QByteArray(R"({\fonttbl{\f0 Verdana}}\f0 x)") << "Verdana";
        QTest::newRow("name in cp1252") << QByteArray(R"({\fonttbl{\f0 Caf\'e9 Sans;}}\f0 x)") << "Café Sans";
        QTest::newRow("ignorable parts of an entry")
            << QByteArray(R"({\fonttbl{\f0\fswiss{\*\panose 020b0604020202020204}Arial{\*\falt Helvetica};}}\f0 x)")
            << "Arial";
        QTest::newRow("default font") << QByteArray(R"(\deff1{\fonttbl{\f0 Verdana;}{\f1 Tahoma;}}x)") << "Tahoma";
        QTest::newRow("plain returns to default")
            << QByteArray(R"(\deff1{\fonttbl{\f0 Verdana;}{\f1 Tahoma;}}\f0\plain x)") << "Tahoma";
    }
    void fontTableEntriesGiveFamilies()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, family);
        QTextDocument doc;
        QVERIFY(RtfReader::read(body(rtf), &doc));
        QCOMPARE(doc.toRawText(), QStringLiteral("x"));
        QCOMPARE(formatOf(doc, 0, QStringLiteral("x")).fontFamilies().toStringList(), QStringList{family});
    }

    void unknownFontNumberLeavesTheFamilyOpen()
    {
        QTextDocument doc;
        QVERIFY(RtfReader::read(body(R"({\fonttbl{\f0 Verdana;}}\f7 x)"), &doc));
        QVERIFY(!formatOf(doc, 0, QStringLiteral("x")).hasProperty(QTextFormat::FontFamilies));
    }

    void escapeWritesRtf_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("ASCII unchanged") << "QRT-216/224/232(X) & Co." << "QRT-216/224/232(X) & Co.";
        QTest::newRow("backslash") << "a\\b" << "a\\\\b";
        QTest::newRow("braces") << "{}" << "\\{\\}";
        QTest::newRow("Latin-1") << QStringLiteral("é") << "\\'e9";
        QTest::newRow("cp1252 euro") << QStringLiteral("€") << "\\'80";
        QTest::newRow("cp1252 quote") << QStringLiteral("“") << "\\'93";
        QTest::newRow("beyond cp1252") << QStringLiteral("日本") << "\\u26085?\\u26412?";
        QTest::newRow("upper half negative") << QStringLiteral("\uFF04") << "\\u-252?";
        QTest::newRow("C1 control not cp1252") << QStringLiteral("\u0081") << "\\u129?";
        QTest::newRow("tab and line feed") << "a\tb\nc" << "a\\tab b\\line c";
        QTest::newRow("controls dropped") << "a\x01\rb\x7f" << "ab";
    }
    void escapeWritesRtf()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QCOMPARE(RtfEscape(text), escaped);
    }

    void escapedTextReadsBackUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("backslash path") << QStringLiteral("C:\\dir\\file");
        QTest::newRow("braces") << QStringLiteral("{a}b}{");
        QTest::newRow("control words") << QStringLiteral("}\\par{\\b0\\fs99 x");
        QTest::newRow("hex and unicode lookalikes") << QStringLiteral("\\'41\\u65?");
        QTest::newRow("accents") << QStringLiteral("Société Générale");
        QTest::newRow("cp1252 extras") << QStringLiteral("€ und „Zitat“ – ok™");
        QTest::newRow("CJK") << QStringLiteral("日本");
        QTest::newRow("surrogate pair") << QStringLiteral("\U0001F600 board");
        QTest::newRow("spaces at the ends") << QStringLiteral("  two  ");
        QTest::newRow("digits and letters after a hex") << QStringLiteral("é9f abc");
    }
    void escapedTextReadsBackUnchanged()
    {
        QFETCH(QString, text);
        const QString escaped = RtfEscape(text);
        for (const QChar c : escaped)
            QVERIFY2(c.unicode() >= 0x20 && c.unicode() < 0x7F, qPrintable(escaped));

        // Placed as a supplied name is: inside a bold group, between plain text.
        const QString rtf = QStringLiteral(R"({\rtf1\ansi\uc1 A{\b )") + escaped
            + QStringLiteral(R"(}Z\par next})");
        QTextDocument doc;
        QString warning;
        QVERIFY2(RtfReader::read(rtf.toLatin1(), &doc, &warning), qPrintable(warning));
        QCOMPARE(blockTexts(doc), (QStringList{QLatin1Char('A') + text + QLatin1Char('Z'), "next"}));
        const int length = int(text.size());
        QVERIFY(formatOfRange(doc, 0, 0, 1).fontWeight() < QFont::Bold);
        QVERIFY(formatOfRange(doc, 0, 1, length).fontWeight() >= QFont::Bold);
        QVERIFY(formatOfRange(doc, 0, 1 + length, 1).fontWeight() < QFont::Bold);
        QCOMPARE(formatOfRange(doc, 0, 1 + length, 1).fontPointSize(), 12.0);
    }

    void malformedInputGivesSensibleText_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wellFormed");
        const QByteArray open10000(10000, '{');
        const QByteArray close10000(10000, '}');
        QTest::newRow("well-formed") << QByteArray("{\\rtf1 x}") << "x" << true;
        QTest::newRow("line ends around it") << QByteArray("\r\n {\\rtf1 x}\r\n") << "x" << true;
        QTest::newRow("NUL after the end") << QByteArray("{\\rtf1 a}\0\r\n", 12) << "a" << true;
        QTest::newRow("empty input") << QByteArray() << "" << false;
        QTest::newRow("plain text without header") << QByteArray("plain {words}") << "plain words" << false;
        QTest::newRow("header only") << QByteArray("{\\rtf1") << "" << false;
        QTest::newRow("unclosed group") << QByteArray("{\\rtf1 abc{\\b def") << "abcdef" << false;
        QTest::newRow("surplus close") << QByteArray("{\\rtf1 abc}}def") << "abc" << false;
        QTest::newRow("text after the end") << QByteArray("{\\rtf1 a}b") << "a" << false;
        QTest::newRow("close before header") << QByteArray("}{\\rtf1 abc}") << "abc" << false;
        QTest::newRow("truncated mid-control-word") << QByteArray("{\\rtf1 abc\\pa") << "abc" << false;
        QTest::newRow("truncated after backslash") << QByteArray("{\\rtf1 abc\\") << "abc" << false;
        QTest::newRow("truncated hex") << QByteArray("{\\rtf1 abc\\'8") << "abc" << false;
        QTest::newRow("bad hex") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb" << false;
        QTest::newRow("truncated unicode") << QByteArray("{\\rtf1 abc\\u8212") << "abc—" << false;
        QTest::newRow("truncated font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Verdana") << "" << false;
        QTest::newRow("truncated colour table") << QByteArray("{\\rtf1{\\colortbl\\red2") << "" << false;
        QTest::newRow("huge font size") << QByteArray("{\\rtf1\\fs99999999999 big}") << "big" << true;
        QTest::newRow("huge negative unicode") << QByteArray("{\\rtf1\\u-99999999999?x}") << "x" << true;
        QTest::newRow("endless digits") << QByteArray("{\\rtf1\\b" + QByteArray(40, '9') + " x}") << "x" << true;
        QTest::newRow("endless control word") << QByteArray("{\\rtf1\\" + QByteArray(100000, 'a') + " x}")
                                              << "x" << true;
        QTest::newRow("huge colour index") << QByteArray("{\\rtf1\\cf99999999999 x}") << "x" << true;
        QTest::newRow("huge negative font number") << QByteArray("{\\rtf1\\f-99999999999 x}") << "x" << true;
        QTest::newRow("huge uc") << QByteArray("{\\rtf1{\\uc99999999\\u8212 abc}x}") << "—x" << true;
        QTest::newRow("bin beyond the end") << QByteArray("{\\rtf1 a\\bin999999 xyz}") << "a" << false;
        QTest::newRow("negative bin") << QByteArray("{\\rtf1\\bin-5 x}") << "x" << true;
        QTest::newRow("NUL and control bytes") << QByteArray("{\\rtf1 a\0b\x01\x1f" "c\x7f}", 15) << "abc" << true;
        QTest::newRow("nesting at the limit")
            << QByteArray("{\\rtf1 " + QByteArray(255, '{') + "x" + QByteArray(255, '}') + "}") << "x" << true;
        QTest::newRow("nesting past the limit")
            << QByteArray("{\\rtf1 " + QByteArray(256, '{') + "x" + QByteArray(256, '}') + "}") << "x" << false;
        QTest::newRow("10000 nested braces")
            << QByteArray("{\\rtf1 " + open10000 + "deep" + close10000 + " tail}") << "deep tail" << false;
        QTest::newRow("10000 unclosed braces") << QByteArray("{\\rtf1 " + open10000 + "x") << "x" << false;
        QTest::newRow("10000 surplus closes") << QByteArray("{\\rtf1 x" + close10000) << "x" << false;
    }
    void malformedInputGivesSensibleText()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QFETCH(bool, wellFormed);
        QTextDocument doc;
        QString warning;
        QCOMPARE(RtfReader::read(rtf, &doc, &warning), wellFormed);
        QCOMPARE(doc.toRawText(), text);
        QCOMPARE(warning.isEmpty(), wellFormed);
    }

    void flattenedNestingKeepsFormattingInItsGroup()
    {
        QTextDocument doc;
        QVERIFY(!RtfReader::read("{\\rtf1 " + QByteArray(300, '{') + "\\b x" + QByteArray(300, '}') + "y}", &doc));
        QCOMPARE(doc.toRawText(), QStringLiteral("xy"));
        QVERIFY(formatOf(doc, 0, QStringLiteral("x")).fontWeight() >= QFont::Bold);
        QVERIFY(formatOf(doc, 0, QStringLiteral("y")).fontWeight() < QFont::Bold);
    }

    void garbageNeverBreaksTheDocument_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        // Random bytes, and random runs of RTF's own characters, which reach far more of the
        // reader; each with and without a header.
        const QByteArray alphabet("{}\\\\\\'*abcdefuloprst0123456789- ;\r\n\x80\xff");
        for (quint32 seed = 1; seed <= 4; ++seed) {
            QRandomGenerator random(seed);
            QByteArray bytes(20000, '\0');
            QByteArray rtfish(20000, '\0');
            for (qsizetype i = 0; i < bytes.size(); ++i) {
                bytes[i] = char(random.bounded(256));
                rtfish[i] = alphabet.at(random.bounded(int(alphabet.size())));
            }
            QTest::addRow("binary %u", seed) << bytes;
            QTest::addRow("binary with header %u", seed) << QByteArray("{\\rtf1 " + bytes);
            QTest::addRow("rtf-like %u", seed) << rtfish;
            QTest::addRow("rtf-like with header %u", seed) << QByteArray("{\\rtf1 " + rtfish);
        }
    }
    void garbageNeverBreaksTheDocument()
    {
        QFETCH(QByteArray, rtf);
        QTextDocument doc;
        QString warning;
        const bool ok = RtfReader::read(rtf, &doc, &warning);
        QCOMPARE(warning.isEmpty(), ok);
        QVERIFY(isSensibleText(doc.toRawText().remove(QChar::ParagraphSeparator)));
        QVERIFY(doc.blockCount() >= 1);
        // The result is an ordinary document: it lays out.
        doc.setTextWidth(300);
        QVERIFY(doc.size().height() > 0);
    }
};

QTEST_MAIN(TestRtfReader)
#include "tst_RtfReader.moc"
