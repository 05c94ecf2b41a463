#include "RtfReader.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// Code page 1252 where it differs from Latin-1; its five unassigned bytes read as U+FFFD.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

char16_t decodeCp1252(uchar byte)
{
    return byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : char16_t(byte);
}

// The byte code page 1252 has for c, or -1.
int encodeCp1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    if (c == 0xFFFD)
        return -1;
    const auto *end = std::end(Cp1252High);
    const auto *found = std::find(std::begin(Cp1252High), end, c);
    return found == end ? -1 : 0x80 + int(found - std::begin(Cp1252High));
}

// Characters that would not be text in a QTextDocument: control codes (QTextCursor turns
// CR and LF into new blocks) and the paragraph and frame separators it uses internally.
bool isTextChar(char16_t c)
{
    if (c < 0x20)
        return c == '\t';
    return c != 0x7F && c != 0x2029 && c != 0xFDD0 && c != 0xFDD1;
}

// An unpaired surrogate (from \uN) becomes U+FFFD rather than a broken string.
QString pairedSurrogates(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

enum class Destination { Text, FontTable, ColorTable, Skip };

enum class Word {
    FontTable, ColorTable, SkipDestination, Deff, Uc, U, Bin,
    Font, FontHintNil, FontHintRoman, FontHintSwiss, FontHintModern, FontHintScript,
    FontHintDecor, FontHintTech, Red, Green, Blue,
    Plain, FontSize, Bold, Italic, Underline, UnderlineNone, ColourFore,
    Par, Pard, AlignLeft, AlignRight, AlignCentre, AlignJustify,
    Tab, Line, EmDash, EnDash, Bullet, LQuote, RQuote, LDblQuote, RDblQuote, EmSpace, EnSpace,
};

const QHash<QByteArray, Word> &words()
{
    static const QHash<QByteArray, Word> table = [] {
        QHash<QByteArray, Word> t{
            {"fonttbl", Word::FontTable}, {"colortbl", Word::ColorTable},
            {"deff", Word::Deff}, {"uc", Word::Uc}, {"u", Word::U}, {"bin", Word::Bin},
            {"f", Word::Font}, {"fnil", Word::FontHintNil}, {"froman", Word::FontHintRoman},
            {"fswiss", Word::FontHintSwiss}, {"fmodern", Word::FontHintModern},
            {"fscript", Word::FontHintScript}, {"fdecor", Word::FontHintDecor},
            {"ftech", Word::FontHintTech},
            {"red", Word::Red}, {"green", Word::Green}, {"blue", Word::Blue},
            {"plain", Word::Plain}, {"fs", Word::FontSize}, {"b", Word::Bold},
            {"i", Word::Italic}, {"ul", Word::Underline}, {"ulnone", Word::UnderlineNone},
            {"cf", Word::ColourFore},
            {"par", Word::Par}, {"sect", Word::Par}, {"page", Word::Par}, {"pard", Word::Pard},
            {"ql", Word::AlignLeft}, {"qr", Word::AlignRight}, {"qc", Word::AlignCentre},
            {"qj", Word::AlignJustify},
            {"tab", Word::Tab}, {"line", Word::Line}, {"emdash", Word::EmDash},
            {"endash", Word::EnDash}, {"bullet", Word::Bullet}, {"lquote", Word::LQuote},
            {"rquote", Word::RQuote}, {"ldblquote", Word::LDblQuote},
            {"rdblquote", Word::RDblQuote}, {"emspace", Word::EmSpace},
            {"enspace", Word::EnSpace},
        };
        // Destinations whose content is no text of the document body.
        for (const char *name : {"info", "stylesheet", "pict", "object", "objdata", "nonshppict",
                                 "header", "headerl", "headerr", "headerf", "footer", "footerl",
                                 "footerr", "footerf", "footnote", "annotation", "fldinst",
                                 "filetbl", "listtable", "listoverridetable", "revtbl", "rsidtbl",
                                 "xmlnstbl", "themedata", "colorschememapping", "latentstyles",
                                 "datastore", "generator", "pn", "bkmkstart", "bkmkend", "txe",
                                 "xe", "tc", "template", "userprops", "ftnsep", "ftnsepc",
                                 "ftncn", "aftnsep", "aftnsepc", "aftncn", "shpinst", "private"})
            t.insert(name, Word::SkipDestination);
        return t;
    }();
    return table;
}

struct CharProps
{
    int font = -1;       // font table number; -1: the default font (\deff)
    int halfPoints = 24; // \fs
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int colour = -1; // colour table index; -1: the automatic colour

    bool operator==(const CharProps &o) const
    {
        return font == o.font && halfPoints == o.halfPoints && bold == o.bold
            && italic == o.italic && underline == o.underline && colour == o.colour;
    }
    bool operator!=(const CharProps &o) const { return !(*this == o); }
};

struct GroupState
{
    CharProps chars;
    Qt::Alignment alignment = Qt::AlignLeft;
    Destination destination = Destination::Text;
    int unicodeSkip = 1; // \ucN: fallback characters after each \uN
};

struct FontEntry
{
    QString family;
    QFont::StyleHint hint = QFont::AnyStyle;
};

constexpr int MaxHalfPoints = 3276; // 1638 pt, the largest size word processors offer

class Parser
{
public:
    Parser(const QByteArray &rtf, QTextDocument *doc) : m_rtf(rtf), m_cursor(doc)
    {
        m_stack.reserve(RtfReader::MaxDepth + 1);
        m_stack.emplace_back();
    }

    bool run(QString *warning);

private:
    GroupState &state() { return m_stack.back(); }
    char peek(qsizetype offset = 0) const
    {
        return m_pos + offset < m_rtf.size() ? m_rtf.at(m_pos + offset) : '\0';
    }
    bool atEnd(qsizetype offset = 0) const { return m_pos + offset >= m_rtf.size(); }

    void openGroup();
    void closeGroup();
    void backslash();
    void controlWord(const QByteArray &name, bool hasParam, int param);
    void controlSymbol(char symbol);
    void hexByte();
    void textByte(uchar byte);
    bool consumeFallback();
    void emitChar(char16_t c);
    void flushText();
    void applyBlockFormat();
    void endParagraph();
    void commitFont();
    void commitColour();
    QTextCharFormat charFormat(const CharProps &props) const;

    const QByteArray &m_rtf;
    qsizetype m_pos = 0;
    QTextCursor m_cursor;
    std::vector<GroupState> m_stack; // [0] is outside every group
    int m_flattened = 0;             // open braces beyond MaxDepth, read as no group
    bool m_hasHeader = false;
    bool m_ended = false;            // the document's outermost group has closed
    int m_pendingSkip = 0;           // fallback characters of the last \uN still to drop

    QString m_text; // text not yet inserted, all in m_textProps
    CharProps m_textProps;

    QHash<int, FontEntry> m_fonts;
    int m_defaultFont = 0;
    int m_fontNumber = 0;
    QString m_fontName;
    QFont::StyleHint m_fontHint = QFont::AnyStyle;

    QList<QColor> m_colours; // invalid entry: the automatic colour
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colourSet = false;

    bool m_surplusClose = false;
    bool m_tooDeep = false;
    bool m_truncated = false;
    bool m_badHex = false;
    bool m_trailing = false;
};

bool Parser::run(QString *warning)
{
    while (!atEnd() && (m_rtf.at(m_pos) == ' ' || m_rtf.at(m_pos) == '\t' || m_rtf.at(m_pos) == '\r'
                        || m_rtf.at(m_pos) == '\n'))
        ++m_pos;
    m_hasHeader = m_rtf.mid(m_pos, 5) == "{\\rtf";
    if (!m_hasHeader)
        m_pos = 0;

    m_cursor.beginEditBlock();
    while (!atEnd() && !m_ended) {
        const char c = m_rtf.at(m_pos++);
        switch (c) {
        case '{':
            m_pendingSkip = 0;
            openGroup();
            break;
        case '}':
            m_pendingSkip = 0;
            closeGroup();
            break;
        case '\\':
            backslash();
            break;
        case '\r':
        case '\n':
            break; // line ends of the source are no text
        default:
            textByte(uchar(c));
        }
    }
    const int unclosed = m_ended ? 0 : int(m_stack.size()) - 1 + m_flattened;
    if (m_ended) {
        for (; !atEnd(); ++m_pos) {
            const char c = m_rtf.at(m_pos);
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\0')
                m_trailing = true;
        }
    } else {
        flushText();
        applyBlockFormat();
    }
    m_cursor.endEditBlock();

    QStringList problems;
    if (!m_hasHeader)
        problems << QStringLiteral("the text does not begin with {\\rtf");
    if (unclosed > 0)
        problems << QStringLiteral("the text ends with %1 group(s) still open").arg(unclosed);
    if (m_truncated)
        problems << QStringLiteral("the text ends inside a control sequence or binary data");
    if (m_badHex)
        problems << QStringLiteral("a \\' without two hexadecimal digits was ignored");
    if (m_surplusClose)
        problems << QStringLiteral("a closing brace without its opening one was ignored");
    if (m_tooDeep)
        problems << QStringLiteral("groups nested deeper than %1 levels were read as one level")
                        .arg(RtfReader::MaxDepth);
    if (m_trailing)
        problems << QStringLiteral("text after the document's closing brace was ignored");
    if (warning)
        *warning = problems.join(QStringLiteral("; "));
    return problems.isEmpty();
}

void Parser::openGroup()
{
    if (int(m_stack.size()) - 1 >= RtfReader::MaxDepth) {
        ++m_flattened;
        m_tooDeep = true;
        return;
    }
    m_stack.push_back(m_stack.back());
}

void Parser::closeGroup()
{
    if (m_flattened > 0) {
        --m_flattened;
        return;
    }
    if (m_stack.size() == 1) {
        m_surplusClose = true;
        return;
    }
    if (m_stack.size() == 2 && m_hasHeader) {
        // The last paragraph has no \par: it takes what is in effect at the document's end.
        flushText();
        applyBlockFormat();
        m_ended = true;
    }
    if (state().destination == Destination::FontTable)
        commitFont(); // entries need not end with ';'
    m_stack.pop_back();
}

void Parser::backslash()
{
    if (atEnd()) {
        m_truncated = true;
        return;
    }
    const char c = m_rtf.at(m_pos);
    if (!isLetter(c)) {
        ++m_pos;
        if (c == '\'')
            hexByte();
        else
            controlSymbol(c);
        return;
    }

    const qsizetype start = m_pos;
    while (!atEnd() && isLetter(m_rtf.at(m_pos)))
        ++m_pos;
    const QByteArray name = m_rtf.mid(start, m_pos - start);

    bool hasParam = false;
    qint64 value = 0;
    const bool negative = peek() == '-' && isDigit(peek(1));
    if (negative)
        ++m_pos;
    while (!atEnd() && isDigit(m_rtf.at(m_pos))) {
        hasParam = true;
        if (value <= qint64(INT_MAX) + 1) // saturate: the digits may go on for ever
            value = value * 10 + (m_rtf.at(m_pos) - '0');
        ++m_pos;
    }
    if (negative)
        value = -value;
    const int param = int(std::clamp<qint64>(value, INT_MIN, INT_MAX));
    if (peek() == ' ')
        ++m_pos; // the delimiter belongs to the control word
    controlWord(name, hasParam, param);
}

void Parser::hexByte()
{
    const int high = hexValue(peek());
    const int low = high < 0 ? -1 : hexValue(peek(1));
    if (low < 0) {
        m_badHex = true;
        if (high >= 0)
            ++m_pos;
        return;
    }
    m_pos += 2;
    if (consumeFallback())
        return;
    emitChar(decodeCp1252(uchar(high * 16 + low)));
}

void Parser::textByte(uchar byte)
{
    if (byte < 0x20 && byte != '\t')
        return; // stray control bytes carry no text and do not count as fallback characters
    if (consumeFallback())
        return;
    emitChar(decodeCp1252(byte));
}

bool Parser::consumeFallback()
{
    if (m_pendingSkip <= 0)
        return false;
    --m_pendingSkip;
    return true;
}

void Parser::controlSymbol(char symbol)
{
    if (consumeFallback())
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        emitChar(char16_t(symbol));
        break;
    case '~':
        emitChar(0x00A0);
        break;
    case '-':
        emitChar(0x00AD);
        break;
    case '_':
        emitChar(0x2011);
        break;
    case '*':
        // Only destinations we know are worth reading; none of those is marked ignorable.
        state().destination = Destination::Skip;
        break;
    case '\r':
    case '\n':
        if (state().destination == Destination::Text)
            endParagraph();
        break;
    default:
        break;
    }
}

void Parser::controlWord(const QByteArray &name, bool hasParam, int param)
{
    const auto found = words().constFind(name);
    if (found == words().constEnd()) {
        consumeFallback();
        return;
    }
    const Word word = *found;

    if (word == Word::Bin) {
        // Raw bytes follow; they must not be read as braces or text in any destination.
        if (hasParam && param > 0) {
            const qsizetype left = m_rtf.size() - m_pos;
            if (param > left)
                m_truncated = true;
            m_pos += std::min<qsizetype>(param, left);
        }
        consumeFallback();
        return;
    }
    if (consumeFallback())
        return;

    GroupState &s = state();
    switch (word) {
    case Word::FontTable:
        s.destination = Destination::FontTable;
        return;
    case Word::ColorTable:
        s.destination = Destination::ColorTable;
        return;
    case Word::SkipDestination:
        s.destination = Destination::Skip;
        return;
    case Word::Uc:
        s.unicodeSkip = std::max(0, hasParam ? param : 1);
        return;
    case Word::U:
        // Negative values are the upper half of the 16-bit range; anything else is no character.
        if (hasParam && param >= -32768 && param <= 65535)
            emitChar(char16_t(param < 0 ? param + 65536 : param));
        m_pendingSkip = s.unicodeSkip;
        return;
    case Word::Deff:
        m_defaultFont = hasParam ? param : 0;
        return;
    default:
        break;
    }

    if (s.destination == Destination::FontTable) {
        switch (word) {
        case Word::Font:
            commitFont();
            m_fontNumber = hasParam ? param : 0;
            m_fontHint = QFont::AnyStyle;
            break;
        case Word::FontHintRoman: m_fontHint = QFont::Serif; break;
        case Word::FontHintSwiss: m_fontHint = QFont::SansSerif; break;
        case Word::FontHintModern: m_fontHint = QFont::TypeWriter; break;
        case Word::FontHintScript: m_fontHint = QFont::Cursive; break;
        case Word::FontHintDecor: m_fontHint = QFont::Decorative; break;
        case Word::FontHintNil:
        case Word::FontHintTech: m_fontHint = QFont::AnyStyle; break;
        default: break;
        }
        return;
    }
    if (s.destination == Destination::ColorTable) {
        const int component = std::clamp(hasParam ? param : 0, 0, 255);
        switch (word) {
        case Word::Red: m_red = component; m_colourSet = true; break;
        case Word::Green: m_green = component; m_colourSet = true; break;
        case Word::Blue: m_blue = component; m_colourSet = true; break;
        default: break;
        }
        return;
    }
    if (s.destination != Destination::Text)
        return;

    const bool on = !hasParam || param != 0;
    switch (word) {
    case Word::Font: s.chars.font = hasParam ? param : 0; break;
    case Word::Plain: s.chars = CharProps(); break;
    case Word::FontSize:
        s.chars.halfPoints = (!hasParam || param <= 0) ? 24 : std::min(param, MaxHalfPoints);
        break;
    case Word::Bold: s.chars.bold = on; break;
    case Word::Italic: s.chars.italic = on; break;
    case Word::Underline: s.chars.underline = on; break;
    case Word::UnderlineNone: s.chars.underline = false; break;
    case Word::ColourFore: s.chars.colour = hasParam ? param : 0; break;
    case Word::Par: endParagraph(); break;
    case Word::Pard: s.alignment = Qt::AlignLeft; break;
    case Word::AlignLeft: s.alignment = Qt::AlignLeft; break;
    case Word::AlignRight: s.alignment = Qt::AlignRight; break;
    case Word::AlignCentre: s.alignment = Qt::AlignHCenter; break;
    case Word::AlignJustify: s.alignment = Qt::AlignJustify; break;
    case Word::Tab: emitChar('\t'); break;
    case Word::Line: emitChar(QChar::LineSeparator); break;
    case Word::EmDash: emitChar(0x2014); break;
    case Word::EnDash: emitChar(0x2013); break;
    case Word::Bullet: emitChar(0x2022); break;
    case Word::LQuote: emitChar(0x2018); break;
    case Word::RQuote: emitChar(0x2019); break;
    case Word::LDblQuote: emitChar(0x201C); break;
    case Word::RDblQuote: emitChar(0x201D); break;
    case Word::EmSpace: emitChar(0x2003); break;
    case Word::EnSpace: emitChar(0x2002); break;
    default: break;
    }
}

void Parser::emitChar(char16_t c)
{
    if (!isTextChar(c))
        return;
    switch (state().destination) {
    case Destination::Text:
        if (!m_text.isEmpty() && m_textProps != state().chars)
            flushText();
        if (m_text.isEmpty())
            m_textProps = state().chars;
        m_text += QChar(c);
        break;
    case Destination::FontTable:
        if (c == ';')
            commitFont();
        else
            m_fontName += QChar(c);
        break;
    case Destination::ColorTable:
        if (c == ';')
            commitColour();
        break;
    case Destination::Skip:
        break;
    }
}

void Parser::flushText()
{
    if (m_text.isEmpty())
        return;
    m_cursor.insertText(pairedSurrogates(m_text), charFormat(m_textProps));
    m_text.clear();
}

// A paragraph takes the formatting in effect at its mark; the mark's character format is
// what gives an empty paragraph its height.
void Parser::applyBlockFormat()
{
    QTextBlockFormat block;
    block.setAlignment(state().alignment);
    m_cursor.setBlockFormat(block);
    m_cursor.setBlockCharFormat(charFormat(state().chars));
}

void Parser::endParagraph()
{
    flushText();
    applyBlockFormat();
    m_cursor.insertBlock();
}

void Parser::commitFont()
{
    const QString family = m_fontName.trimmed();
    m_fontName.clear();
    if (!family.isEmpty())
        m_fonts.insert(m_fontNumber, FontEntry{family, m_fontHint});
}

void Parser::commitColour()
{
    m_colours.append(m_colourSet ? QColor(m_red, m_green, m_blue) : QColor());
    m_red = m_green = m_blue = 0;
    m_colourSet = false;
}

QTextCharFormat Parser::charFormat(const CharProps &props) const
{
    QTextCharFormat format;
    const auto font = m_fonts.constFind(props.font < 0 ? m_defaultFont : props.font);
    if (font != m_fonts.constEnd()) {
        // The name as written: QFont's matching applies the substitutions and fontconfig.
        format.setFontFamilies(QStringList{font->family});
        format.setFontStyleHint(font->hint);
    }
    format.setFontPointSize(props.halfPoints / 2.0);
    format.setFontWeight(props.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(props.italic);
    format.setFontUnderline(props.underline);
    if (props.colour >= 0 && props.colour < m_colours.size() && m_colours.at(props.colour).isValid())
        format.setForeground(m_colours.at(props.colour));
    return format;
}

} // namespace

bool RtfReader::read(const QByteArray &rtf, QTextDocument *doc, QString *warning)
{
    if (!doc) {
        if (warning)
            *warning = QStringLiteral("no document to read into");
        return false;
    }
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    const bool ok = Parser(rtf, doc).run(warning);
    doc->setUndoRedoEnabled(undo);
    return ok;
}

QString RtfEscape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == '\\' || c == '{' || c == '}') {
            out += QLatin1Char('\\');
            out += ch;
        } else if (c == '\t') {
            out += QLatin1String("\\tab ");
        } else if (c == '\n') {
            out += QLatin1String("\\line ");
        } else if (c < 0x20 || c == 0x7F) {
            continue;
        } else if (c < 0x80) {
            out += ch;
        } else if (const int byte = encodeCp1252(c); byte >= 0) {
            out += QStringLiteral("\\'%1").arg(byte, 2, 16, QLatin1Char('0'));
        } else {
            // \uN takes a signed 16-bit number; a surrogate pair goes as its two halves.
            out += QStringLiteral("\\u%1?").arg(c > 0x7FFF ? int(c) - 0x10000 : int(c));
        }
    }
    return out;
}
