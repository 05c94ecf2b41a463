#include "DescriptionReader.h"

#include "Component.h"
#include "ComponentRegistry.h"
#include "Control.h"
#include "Events.h"
#include "TForm.h"
#include "Types.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <QPointer>
#include <QWidget>
#include <limits>

DescriptionError::DescriptionError(int line, const QString &component, const QString &message)
    : std::runtime_error(QStringLiteral("Form description, line %1%2: %3")
                             .arg(line)
                             .arg(component.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(component))
                             .arg(message)
                             .toStdString())
    , m_line(line)
    , m_component(component)
    , m_message(message)
{
}

namespace {

DescriptionReader::PictureConverter &pictureConverter()
{
    static DescriptionReader::PictureConverter converter;
    return converter;
}

// ---------------------------------------------------------------- tokens

struct Token {
    enum Kind { End, Newline, Ident, String, Integer, LBracket, RBracket, Comma } kind = End;
    QString text;
    qint64 number = 0;
    int line = 0;
};

class Lexer
{
public:
    explicit Lexer(const QByteArray &text)
        : m_text(QString::fromUtf8(text))
    {
    }

    QList<Token> tokens()
    {
        QList<Token> out;
        while (true) {
            Token t = next();
            out.append(t);
            if (t.kind == Token::End)
                return out;
        }
    }

private:
    [[noreturn]] void fail(const QString &message) const { throw DescriptionError(m_line, QString(), message); }

    Token make(Token::Kind kind, const QString &text = QString()) const
    {
        Token t;
        t.kind = kind;
        t.text = text;
        t.line = m_line;
        return t;
    }

    Token next()
    {
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            if (c == QLatin1Char('#')) {
                while (m_pos < m_text.size() && m_text.at(m_pos) != QLatin1Char('\n'))
                    ++m_pos;
            } else if (c == QLatin1Char('\n')) {
                Token t = make(Token::Newline);
                ++m_pos;
                ++m_line;
                return t;
            } else if (c.isSpace()) {
                ++m_pos;
            } else {
                break;
            }
        }
        if (m_pos >= m_text.size())
            return make(Token::End);
        const QChar c = m_text.at(m_pos);
        if (c == QLatin1Char('[')) { ++m_pos; return make(Token::LBracket, QStringLiteral("[")); }
        if (c == QLatin1Char(']')) { ++m_pos; return make(Token::RBracket, QStringLiteral("]")); }
        if (c == QLatin1Char(',')) { ++m_pos; return make(Token::Comma, QStringLiteral(",")); }
        if (c == QLatin1Char('"'))
            return string();
        if (c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('+'))
            return integer();
        if (c.isLetter() || c == QLatin1Char('_'))
            return identifier();
        fail(QStringLiteral("unexpected character '%1'").arg(c));
    }

    Token string()
    {
        ++m_pos;
        QString s;
        while (true) {
            if (m_pos >= m_text.size() || m_text.at(m_pos) == QLatin1Char('\n'))
                fail(QStringLiteral("unterminated string"));
            const QChar c = m_text.at(m_pos++);
            if (c == QLatin1Char('"'))
                break;
            if (c != QLatin1Char('\\')) {
                s.append(c);
                continue;
            }
            if (m_pos >= m_text.size())
                fail(QStringLiteral("unterminated string"));
            const QChar e = m_text.at(m_pos++);
            switch (e.unicode()) {
            case '"': s.append(QLatin1Char('"')); break;
            case '\\': s.append(QLatin1Char('\\')); break;
            case 'n': s.append(QLatin1Char('\n')); break;
            case 'r': s.append(QLatin1Char('\r')); break;
            case 't': s.append(QLatin1Char('\t')); break;
            default: fail(QStringLiteral("unknown escape \\%1 in a string").arg(e));
            }
        }
        return make(Token::String, s);
    }

    Token integer()
    {
        const int start = m_pos;
        if (m_text.at(m_pos) == QLatin1Char('-') || m_text.at(m_pos) == QLatin1Char('+'))
            ++m_pos;
        while (m_pos < m_text.size() && (m_text.at(m_pos).isLetterOrNumber()))
            ++m_pos;
        const QString word = m_text.mid(start, m_pos - start);
        bool ok = false;
        qint64 value = 0;
        QString digits = word;
        bool negative = false;
        if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
            negative = digits.startsWith(QLatin1Char('-'));
            digits.remove(0, 1);
        }
        if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            value = digits.mid(2).toLongLong(&ok, 16);
        else
            value = digits.toLongLong(&ok, 10);
        if (!ok || digits.isEmpty())
            fail(QStringLiteral("'%1' is not a number").arg(word));
        Token t = make(Token::Integer, word);
        t.number = negative ? -value : value;
        return t;
    }

    Token identifier()
    {
        const int start = m_pos;
        while (m_pos < m_text.size()
               && (m_text.at(m_pos).isLetterOrNumber() || m_text.at(m_pos) == QLatin1Char('_')
                   || m_text.at(m_pos) == QLatin1Char('.')))
            ++m_pos;
        return make(Token::Ident, m_text.mid(start, m_pos - start));
    }

    QString m_text;
    int m_pos = 0;
    int m_line = 1;
};

// ---------------------------------------------------------------- values

struct Value {
    enum Kind { String, Integer, Bool, Ident, Set, List, Picture } kind = String;
    QString text;            // string, identifier, picture class
    qint64 number = 0;
    QStringList items;       // set members or list strings
    QString file;            // picture file
    int line = 0;
};

struct Deferred {
    QPointer<QObject> object;
    QString component;
    QByteArray property;
    QString name;
    int line;
};

class Reader
{
public:
    Reader(TForm *root, const QByteArray &text, const DescriptionReader::FileSource &files)
        : m_root(root), m_files(files), m_tokens(Lexer(text).tokens())
    {
    }

    void run()
    {
        try {
            skipNewlines();
            readBlock(nullptr);
            skipNewlines();
            if (peek().kind != Token::End)
                fail(peek().line, QString(), QStringLiteral("text after the end of the form"));
            resolve();
        } catch (...) {
            discard();
            throw;
        }
        for (Component *c : std::as_const(m_created))
            c->setLoading(false);
        Component *root = m_root;
        root->setLoading(false);
        applyTabOrders();
        for (Component *c : std::as_const(m_created))
            c->loaded();
        root->loaded();
    }

private:
    [[noreturn]] static void fail(int line, const QString &component, const QString &message)
    {
        throw DescriptionError(line, component, message);
    }

    const Token &peek() const { return m_tokens.at(qMin(m_index, m_tokens.size() - 1)); }
    Token take()
    {
        Token t = peek();
        if (m_index < m_tokens.size() - 1)
            ++m_index;
        return t;
    }
    void skipNewlines()
    {
        while (peek().kind == Token::Newline)
            take();
    }
    void expectLineEnd(const QString &component)
    {
        const Token t = peek();
        if (t.kind != Token::Newline && t.kind != Token::End)
            fail(t.line, component, QStringLiteral("unexpected '%1' at the end of the line").arg(t.text));
        skipNewlines();
    }

    void readBlock(Component *parent)
    {
        const Token keyword = take();
        if (keyword.kind != Token::Ident || keyword.text != QLatin1String("object"))
            fail(keyword.line, QString(), QStringLiteral("expected 'object'"));
        const Token name = take();
        const Token cls = take();
        if (name.kind != Token::Ident || cls.kind != Token::Ident || name.text.contains(QLatin1Char('.')))
            fail(keyword.line, QString(), QStringLiteral("expected 'object <name> <class>'"));
        Component *component = nullptr;
        if (!parent) {
            Component *root = m_root;
            if (cls.text.compare(QLatin1String(m_root->metaObject()->className()), Qt::CaseInsensitive) != 0)
                fail(cls.line, name.text,
                     QStringLiteral("the form is of class %1, not %2").arg(QLatin1String(m_root->metaObject()->className()), cls.text));
            component = root;
            component->setName(name.text);
            component->setLoading(true);
        } else {
            component = ComponentRegistry::create(cls.text.toLatin1());
            if (!component)
                fail(cls.line, name.text, QStringLiteral("unknown class %1").arg(cls.text));
            m_created.append(component);
            m_createdObjects.append(component->object());
            component->setLoading(true);
            if (static_cast<Component *>(m_root)->findComponent(name.text)
                || name.text.compare(static_cast<Component *>(m_root)->name(), Qt::CaseInsensitive) == 0)
                fail(name.line, name.text, QStringLiteral("a component named %1 exists already").arg(name.text));
            component->setName(name.text);
            component->setOwner(m_root);
            place(parent, component, name);
        }
        expectLineEnd(name.text);
        while (true) {
            const Token t = peek();
            if (t.kind == Token::End)
                fail(t.line, name.text, QStringLiteral("missing 'end'"));
            if (t.kind == Token::Ident && t.text == QLatin1String("end")) {
                take();
                expectLineEnd(name.text);
                return;
            }
            if (t.kind == Token::Ident && t.text == QLatin1String("object")) {
                readBlock(component);
                continue;
            }
            if (t.kind != Token::Ident)
                fail(t.line, name.text, QStringLiteral("expected a property name"));
            take();
            const Value v = readValue(name.text);
            setProperty(component, name.text, t.text.toLatin1(), v);
            expectLineEnd(name.text);
        }
    }

    void place(Component *parent, Component *child, const Token &name)
    {
        if (parent->insertChildComponent(child))
            return;
        auto *widget = qobject_cast<QWidget *>(child->object());
        auto *parentWidget = qobject_cast<QWidget *>(parent->object());
        if (!widget)
            return; // a non-visual component: owned by the form, placed nowhere
        if (!parentWidget)
            fail(name.line, name.text, QStringLiteral("a control cannot be placed on %1").arg(parent->name()));
        // setParent hides a widget; keep the visibility its constructor chose.
        const bool wantVisible = !(widget->testAttribute(Qt::WA_WState_ExplicitShowHide) && widget->isHidden());
        QWidget *client = ClientOf(parentWidget);
        widget->setParent(client);
        // A control takes its parent's font when it is read, and keeps it when it is later
        // moved to another window (an option panel moved into its popup).
        widget->setFont(client->font());
        widget->setVisible(wantVisible);
    }

    Value readValue(const QString &component)
    {
        Value v;
        const Token t = take();
        v.line = t.line;
        switch (t.kind) {
        case Token::String:
            v.kind = Value::String;
            v.text = t.text;
            while (peek().kind == Token::String)
                v.text += take().text;
            return v;
        case Token::Integer:
            v.kind = Value::Integer;
            v.number = t.number;
            return v;
        case Token::Ident:
            if (t.text == QLatin1String("true") || t.text == QLatin1String("false")) {
                v.kind = Value::Bool;
                v.number = t.text == QLatin1String("true");
                return v;
            }
            if (t.text == QLatin1String("picture")) {
                const Token cls = take();
                const Token file = take();
                if (cls.kind != Token::Ident || file.kind != Token::String)
                    fail(t.line, component, QStringLiteral("expected 'picture <class> \"<file>\"'"));
                v.kind = Value::Picture;
                v.text = cls.text;
                v.file = file.text;
                return v;
            }
            v.kind = Value::Ident;
            v.text = t.text;
            return v;
        case Token::LBracket: {
            bool strings = false, idents = false;
            while (true) {
                while (peek().kind == Token::Newline)
                    take();
                const Token item = take();
                if (item.kind == Token::RBracket)
                    break;
                if (item.kind == Token::String) {
                    // Strings on following lines without a comma between them form one item.
                    QString s = item.text;
                    while (true) {
                        qsizetype ahead = m_index;
                        while (m_tokens.at(ahead).kind == Token::Newline)
                            ++ahead;
                        if (m_tokens.at(ahead).kind != Token::String)
                            break;
                        m_index = ahead;
                        s += take().text;
                    }
                    v.items.append(s);
                    strings = true;
                } else if (item.kind == Token::Ident) {
                    v.items.append(item.text);
                    idents = true;
                } else {
                    fail(item.line, component, QStringLiteral("unexpected '%1' in a list").arg(item.text));
                }
                while (peek().kind == Token::Newline)
                    take();
                if (peek().kind == Token::Comma)
                    take();
                else if (peek().kind != Token::RBracket)
                    fail(peek().line, component, QStringLiteral("expected ',' or ']' in a list"));
            }
            if (strings && idents)
                fail(t.line, component, QStringLiteral("a list mixes strings and names"));
            v.kind = idents ? Value::Set : (strings ? Value::List : Value::Set);
            return v;
        }
        default:
            fail(t.line, component, QStringLiteral("missing value"));
        }
    }

    static QString kindName(const Value &v)
    {
        switch (v.kind) {
        case Value::String: return QStringLiteral("a string");
        case Value::Integer: return QStringLiteral("a number");
        case Value::Bool: return QStringLiteral("true or false");
        case Value::Ident: return QStringLiteral("the name %1").arg(v.text);
        case Value::Set: return QStringLiteral("a set");
        case Value::List: return QStringLiteral("a list of strings");
        case Value::Picture: return QStringLiteral("a picture");
        }
        return QString();
    }

    [[noreturn]] static void wrongType(const Value &v, const QString &component, const QByteArray &property,
                                       const QString &expected)
    {
        fail(v.line, component,
             QStringLiteral("%1 takes %2, not %3").arg(QString::fromLatin1(property), expected, kindName(v)));
    }

    void setProperty(Component *component, const QString &name, const QByteArray &property, const Value &v)
    {
        QObject *object = component->object();
        const QMetaObject *mo = object->metaObject();
        const int index = mo->indexOfProperty(property.constData());
        if (index < 0 || !mo->property(index).isWritable()) {
            if (auto *widget = qobject_cast<QWidget *>(object))
                if (setControlProperty(widget, component, name, property, v))
                    return;
            fail(v.line, name, QStringLiteral("unknown property %1 of %2").arg(QString::fromLatin1(property),
                                                                            QLatin1String(mo->className())));
        }
        const QMetaProperty mp = mo->property(index);
        const QMetaType type = mp.metaType();
        QVariant value;

        if (mp.isEnumType()) {
            const QMetaEnum me = mp.enumerator();
            if (me.isFlag()) {
                if (v.kind != Value::Set)
                    wrongType(v, name, property, QStringLiteral("a set of %1").arg(QLatin1String(me.name())));
                int flags = 0;
                for (const QString &item : v.items) {
                    bool ok = false;
                    const int bit = me.keyToValue(item.toLatin1().constData(), &ok);
                    if (!ok)
                        fail(v.line, name, QStringLiteral("%1 is no value of %2").arg(item, QLatin1String(me.name())));
                    flags |= bit;
                }
                value = QVariant(type, &flags);
            } else {
                if (v.kind != Value::Ident)
                    wrongType(v, name, property, QStringLiteral("a value of %1").arg(QLatin1String(me.name())));
                bool ok = false;
                const int e = me.keyToValue(v.text.toLatin1().constData(), &ok);
                if (!ok)
                    fail(v.line, name, QStringLiteral("%1 is no value of %2").arg(v.text, QLatin1String(me.name())));
                value = QVariant(type, &e);
            }
        } else if (type == QMetaType::fromType<NotifyEvent>() || type == QMetaType::fromType<PCIEvent>()
                   || type == QMetaType::fromType<CalibEvent>()) {
            if (v.kind != Value::Ident)
                wrongType(v, name, property, QStringLiteral("the name of a handler"));
            m_handlers.append({object, name, property, v.text, v.line});
            return;
        } else if (type.flags() & QMetaType::PointerToQObject) {
            if (v.kind == Value::Picture) {
                value = picture(v, name, property, type);
            } else {
                if (v.kind != Value::Ident)
                    wrongType(v, name, property, QStringLiteral("the name of a component"));
                m_references.append({object, name, property, v.text, v.line});
                return;
            }
        } else {
            switch (type.id()) {
            case QMetaType::QString:
                if (v.kind != Value::String)
                    wrongType(v, name, property, QStringLiteral("a string"));
                value = v.text;
                break;
            case QMetaType::QStringList:
                if (v.kind == Value::String)
                    value = QStringList{v.text};
                else if (v.kind == Value::List || (v.kind == Value::Set && v.items.isEmpty()))
                    value = v.items;
                else
                    wrongType(v, name, property, QStringLiteral("a list of strings"));
                break;
            case QMetaType::Bool:
                if (v.kind != Value::Bool)
                    wrongType(v, name, property, QStringLiteral("true or false"));
                value = bool(v.number);
                break;
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::UChar:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::ULongLong:
                value = number(v, name, property, type);
                break;
            default:
                if (v.kind == Value::Picture) {
                    value = picture(v, name, property, type);
                    break;
                }
                fail(v.line, name, QStringLiteral("property %1 cannot be set from a description").arg(QString::fromLatin1(property)));
            }
        }
        if (!mp.write(object, value))
            fail(v.line, name, QStringLiteral("%1 does not take %2").arg(QString::fromLatin1(property), kindName(v)));
    }

    QVariant number(const Value &v, const QString &name, const QByteArray &property, QMetaType type)
    {
        qint64 n = 0;
        if (v.kind == Value::Integer) {
            n = v.number;
        } else if (v.kind == Value::Ident && type.id() == QMetaType::UInt) {
            TColor c = 0;
            if (!colorFromName(v.text, &c))
                fail(v.line, name, QStringLiteral("%1 is no colour").arg(v.text));
            n = c;
        } else {
            wrongType(v, name, property, QStringLiteral("a number"));
        }
        qint64 lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
        switch (type.id()) {
        case QMetaType::UInt: lo = 0; hi = std::numeric_limits<quint32>::max(); break;
        case QMetaType::UChar: lo = 0; hi = 255; break;
        case QMetaType::Short: lo = -32768; hi = 32767; break;
        case QMetaType::UShort: lo = 0; hi = 65535; break;
        case QMetaType::LongLong: lo = std::numeric_limits<qint64>::min(); hi = std::numeric_limits<qint64>::max(); break;
        case QMetaType::ULongLong: lo = 0; hi = std::numeric_limits<qint64>::max(); break;
        default: break;
        }
        if (n < lo || n > hi)
            fail(v.line, name, QStringLiteral("%1 is out of range for %2").arg(n).arg(QString::fromLatin1(property)));
        QVariant value(n);
        value.convert(type);
        return value;
    }

    QVariant picture(const Value &v, const QString &name, const QByteArray &property, QMetaType type)
    {
        Q_UNUSED(property);
        bool ok = false;
        const QByteArray bytes = m_files ? m_files(v.file, &ok) : QByteArray();
        if (!ok)
            fail(v.line, name, QStringLiteral("the picture file %1 cannot be read").arg(v.file));
        const QByteArray cls = v.text.toLatin1();
        if (cls.size() > 255)
            fail(v.line, name, QStringLiteral("the picture class name is too long"));
        QByteArray stream;
        stream.append(char(cls.size()));
        stream.append(cls);
        const quint32 count = quint32(bytes.size());
        for (int i = 0; i < 4; ++i)
            stream.append(char((count >> (8 * i)) & 0xFF));
        stream.append(bytes);
        if (!pictureConverter())
            fail(v.line, name, QStringLiteral("pictures cannot be read"));
        QString error;
        const QVariant value = pictureConverter()(stream, type.id(), &error);
        if (!value.isValid())
            fail(v.line, name, QStringLiteral("broken picture %1: %2").arg(v.file, error));
        return value;
    }

    bool setControlProperty(QWidget *w, Component *component, const QString &name, const QByteArray &property,
                            const Value &v)
    {
        auto needInt = [&]() -> int {
            if (v.kind != Value::Integer)
                wrongType(v, name, property, QStringLiteral("a number"));
            if (v.number < std::numeric_limits<int>::min() || v.number > std::numeric_limits<int>::max())
                fail(v.line, name, QStringLiteral("%1 is out of range").arg(v.number));
            return int(v.number);
        };
        auto needBool = [&]() -> bool {
            if (v.kind != Value::Bool)
                wrongType(v, name, property, QStringLiteral("true or false"));
            return bool(v.number);
        };
        auto enumValue = [&](const QMetaEnum &me) -> int {
            if (v.kind != Value::Ident)
                wrongType(v, name, property, QStringLiteral("a value of %1").arg(QLatin1String(me.name())));
            bool ok = false;
            const int e = me.keyToValue(v.text.toLatin1().constData(), &ok);
            if (!ok)
                fail(v.line, name, QStringLiteral("%1 is no value of %2").arg(v.text, QLatin1String(me.name())));
            return e;
        };

        if (property == "Left") { SetLeft(w, needInt()); return true; }
        if (property == "Top") { SetTop(w, needInt()); return true; }
        if (property == "Width") { SetWidth(w, needInt()); return true; }
        if (property == "Height") { SetHeight(w, needInt()); return true; }
        if (property == "Visible") { w->setVisible(needBool()); return true; }
        if (property == "Enabled") { w->setEnabled(needBool()); return true; }
        if (property == "Tag") { component->setTag(needInt()); return true; }
        if (property == "TabOrder") { w->setProperty("_tabOrder", needInt()); return true; }
        if (property == "TabStop") { w->setFocusPolicy(needBool() ? Qt::StrongFocus : Qt::NoFocus); return true; }
        if (property == "Hint") {
            if (v.kind != Value::String)
                wrongType(v, name, property, QStringLiteral("a string"));
            w->setToolTip(v.text);
            return true;
        }
        if (property == "ShowHint" || property == "ParentShowHint" || property == "ParentFont"
            || property == "ParentColor" || property == "ParentCtl3D" || property == "Ctl3D") {
            w->setProperty(("_" + property).constData(), needBool());
            return true;
        }
        if (property == "Align") {
            SetAlign(w, Vcl::TAlign(enumValue(QMetaEnum::fromType<Vcl::TAlign>())));
            return true;
        }
        if (property == "Anchors") {
            const QMetaEnum me = QMetaEnum::fromType<Vcl::TAnchors>();
            if (v.kind != Value::Set)
                wrongType(v, name, property, QStringLiteral("a set of TAnchorKind"));
            int flags = 0;
            for (const QString &item : v.items) {
                bool ok = false;
                flags |= me.keyToValue(item.toLatin1().constData(), &ok);
                if (!ok)
                    fail(v.line, name, QStringLiteral("%1 is no value of TAnchors").arg(item));
            }
            SetAnchors(w, Vcl::TAnchors(flags));
            return true;
        }
        if (property.startsWith("Font.")) {
            QFont font = w->font();
            const QByteArray sub = property.mid(5);
            if (sub == "Name") {
                if (v.kind != Value::String)
                    wrongType(v, name, property, QStringLiteral("a string"));
                font.setFamily(v.text);
            } else if (sub == "Height") {
                // Negative: the characters' height in pixels; positive: the cell's.
                const int h = needInt();
                font.setPixelSize(qMax(1, qAbs(h)));
            } else if (sub == "Size") {
                font.setPointSize(qMax(1, needInt()));
            } else if (sub == "Color") {
                TColor c = 0;
                if (v.kind == Value::Integer)
                    c = TColor(v.number);
                else if (v.kind != Value::Ident || !colorFromName(v.text, &c))
                    wrongType(v, name, property, QStringLiteral("a colour"));
                QPalette pal = w->palette();
                pal.setColor(QPalette::WindowText, toQColor(c, pal));
                pal.setColor(QPalette::Text, toQColor(c, pal));
                w->setPalette(pal);
                w->setProperty("_fontColor", c);
                return true;
            } else if (sub == "Style") {
                if (v.kind != Value::Set)
                    wrongType(v, name, property, QStringLiteral("a set of font styles"));
                font.setBold(false);
                font.setItalic(false);
                font.setUnderline(false);
                font.setStrikeOut(false);
                for (const QString &item : v.items) {
                    if (item == QLatin1String("fsBold")) font.setBold(true);
                    else if (item == QLatin1String("fsItalic")) font.setItalic(true);
                    else if (item == QLatin1String("fsUnderline")) font.setUnderline(true);
                    else if (item == QLatin1String("fsStrikeOut")) font.setStrikeOut(true);
                    else fail(v.line, name, QStringLiteral("%1 is no font style").arg(item));
                }
            } else if (sub == "Charset") {
                enumValue(QMetaEnum::fromType<Vcl::TFontCharset>());
                return true;
            } else {
                return false;
            }
            w->setFont(font);
            return true;
        }
        return false;
    }

    QObject *findByName(const QString &name) const
    {
        Component *root = m_root;
        if (name.compare(root->name(), Qt::CaseInsensitive) == 0)
            return m_root;
        Component *c = root->findComponent(name);
        return c ? c->object() : nullptr;
    }

    void resolve()
    {
        for (const Deferred &d : std::as_const(m_references)) {
            QObject *target = findByName(d.name);
            if (!target)
                fail(d.line, d.component, QStringLiteral("%1 names no component: %2").arg(QString::fromLatin1(d.property), d.name));
            const QMetaProperty mp = d.object->metaObject()->property(d.object->metaObject()->indexOfProperty(d.property));
            const QMetaObject *wanted = mp.metaType().metaObject();
            if (wanted && !target->inherits(wanted->className()))
                fail(d.line, d.component,
                     QStringLiteral("%1 must name a %2; %3 is a %4")
                         .arg(QString::fromLatin1(d.property), QLatin1String(wanted->className()), d.name,
                              QLatin1String(target->metaObject()->className())));
            QObject *pointer = target;
            if (!mp.write(d.object, QVariant(mp.metaType(), &pointer)))
                fail(d.line, d.component, QStringLiteral("%1 does not take %2").arg(QString::fromLatin1(d.property), d.name));
        }
        for (const Deferred &d : std::as_const(m_handlers))
            bindHandler(d);
    }

    void bindHandler(const Deferred &d)
    {
        const QMetaObject *mo = d.object->metaObject();
        const QMetaProperty mp = mo->property(mo->indexOfProperty(d.property));
        const QMetaType type = mp.metaType();
        const QMetaObject *formMo = m_root->metaObject();
        QMetaMethod method;
        for (int i = 0; i < formMo->methodCount(); ++i) {
            const QMetaMethod m = formMo->method(i);
            if (m.name() == d.name.toLatin1()) {
                method = m;
                break;
            }
        }
        if (!method.isValid())
            fail(d.line, d.component, QStringLiteral("%1 is no handler of %2").arg(d.name, QLatin1String(formMo->className())));
        QPointer<QObject> form = m_root;
        QVariant value;
        auto mismatch = [&](const char *signature) {
            fail(d.line, d.component,
                 QStringLiteral("handler %1 does not fit %2, which needs %3")
                     .arg(d.name, QString::fromLatin1(d.property), QLatin1String(signature)));
        };
        if (type == QMetaType::fromType<NotifyEvent>()) {
            if (method.parameterCount() != 1 || method.parameterMetaType(0) != QMetaType::fromType<QObject *>())
                mismatch("(QObject *Sender)");
            NotifyEvent e = [form, method](QObject *sender) {
                if (form)
                    method.invoke(form, Qt::DirectConnection, Q_ARG(QObject *, sender));
            };
            value = QVariant::fromValue(e);
        } else if (type == QMetaType::fromType<PCIEvent>()) {
            if (method.parameterCount() != 2 || method.parameterMetaType(0) != QMetaType::fromType<QObject *>()
                || method.parameterMetaType(1) != QMetaType::fromType<int>()
                || method.returnMetaType() != QMetaType::fromType<QString>())
                mismatch("QString (QObject *Sender, int CardIndex)");
            PCIEvent e = [form, method](QObject *sender, int index) {
                QString result;
                if (form)
                    method.invoke(form, Qt::DirectConnection, Q_RETURN_ARG(QString, result),
                                  Q_ARG(QObject *, sender), Q_ARG(int, index));
                return result;
            };
            value = QVariant::fromValue(e);
        } else {
            fail(d.line, d.component, QStringLiteral("%1 cannot be bound from a description").arg(QString::fromLatin1(d.property)));
        }
        mp.write(d.object, value);
    }

    void applyTabOrders()
    {
        // Within each parent, focusable controls follow their TabOrder.
        QHash<QWidget *, QList<QWidget *>> byParent;
        for (QObject *o : std::as_const(m_createdObjects)) {
            auto *w = qobject_cast<QWidget *>(o);
            if (w && w->parentWidget() && w->property("_tabOrder").isValid())
                byParent[w->parentWidget()].append(w);
        }
        for (auto it = byParent.begin(); it != byParent.end(); ++it) {
            QList<QWidget *> &list = it.value();
            std::stable_sort(list.begin(), list.end(), [](QWidget *a, QWidget *b) {
                return a->property("_tabOrder").toInt() < b->property("_tabOrder").toInt();
            });
            for (int i = 1; i < list.size(); ++i)
                QWidget::setTabOrder(list.at(i - 1), list.at(i));
        }
    }

    void discard()
    {
        // Children were made after their parents: freeing in reverse frees no object twice.
        for (int i = int(m_createdObjects.size()) - 1; i >= 0; --i)
            delete m_createdObjects.at(i).data();
        m_created.clear();
        m_createdObjects.clear();
    }

    TForm *m_root;
    DescriptionReader::FileSource m_files;
    QList<Token> m_tokens;
    qsizetype m_index = 0;
    QList<Component *> m_created;
    QList<QPointer<QObject>> m_createdObjects;
    QList<Deferred> m_references;
    QList<Deferred> m_handlers;
};

} // namespace

void DescriptionReader::load(TForm *root, const QByteArray &text, const FileSource &files)
{
    Reader(root, text, files).run();
}

void DescriptionReader::setPictureConverter(PictureConverter converter)
{
    pictureConverter() = std::move(converter);
}

QVariant DescriptionReader::readProperty(const QObject *object, const QByteArray &name)
{
    const QMetaObject *mo = object->metaObject();
    const int index = mo->indexOfProperty(name.constData());
    if (index >= 0)
        return mo->property(index).read(object);
    const auto *w = qobject_cast<const QWidget *>(object);
    if (!w)
        return QVariant();
    if (name == "Left") return Left(w);
    if (name == "Top") return Top(w);
    if (name == "Width") return Width(w);
    if (name == "Height") return Height(w);
    if (name == "Visible") return !w->isHidden();
    if (name == "Enabled") return w->isEnabled();
    if (name == "Tag") return Component::of(w) ? QVariant(Component::of(w)->tag()) : QVariant();
    if (name == "TabOrder") return w->property("_tabOrder");
    if (name == "Anchors") return QVariant::fromValue(Anchors(w));
    if (name == "Align") return QVariant::fromValue(Align(w));
    if (name == "Font.Name") return w->font().family();
    if (name == "Font.Height") return -w->font().pixelSize();
    if (name == "Font.Color") return w->property("_fontColor");
    if (name == "Hint") return w->toolTip();
    return QVariant();
}
