// Reads a form description: the tree of components of a form with their property values.
//
// The format, one component per block, properties in the order they are set:
//
//     # a comment runs to the end of the line
//     object MainForm TMainForm          <- name and class; the first block is the form itself
//       Caption "Setup"                  <- string; adjacent strings join: "Pull" "\r\n" "Dn"
//       Left 307                         <- integer (decimal, or 0x hexadecimal), may be negative
//       Color clWhite                    <- identifier: enumeration value, colour, reference
//       Menu MainMenu1                   <-   to a component (resolved after the whole tree),
//       OnCreate FormCreate              <-   or handler method of the form, by the property type
//       Anchors [akLeft, akTop]          <- set of flags
//       Items ["Pull Up", "Pull Down"]   <- list of strings (may span lines)
//       Picture picture TJPEGImage "board.jpg"   <- picture of a graphic class from a file
//       Font.Name "MS Sans Serif"        <- dotted names reach a control's font and geometry
//       object BoardImage1 TBoardImage   <- a child: a control on this one, or a menu item
//         ...
//       end
//     end
//
// Strings know the escapes \" \\ \n \r \t. Components are created by class name from the
// ComponentRegistry; every property is set through the meta-object (or, for Left, Top, Width,
// Height, Visible, Enabled, TabOrder, Tag, Anchors, Align and Font.*, through the control's
// geometry and font when the class declares no property of that name) while the component is
// marked as loading. References and handlers are resolved once the whole tree exists; then
// every component's loaded() runs in the order of creation, the form's last (its OnCreate).
//
// Any fault (syntax, unknown class, property, enumeration value or handler, wrong type,
// duplicate name, dangling reference, broken picture) throws DescriptionError naming the line
// and the component, after freeing every component made so far.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <functional>
#include <stdexcept>

class TForm;
class QObject;

class DescriptionError : public std::runtime_error
{
public:
    DescriptionError(int line, const QString &component, const QString &message);
    int line() const { return m_line; }
    QString component() const { return m_component; }
    QString message() const { return m_message; }

private:
    int m_line;
    QString m_component;
    QString m_message;
};

class DescriptionReader
{
public:
    // Returns the bytes of a file that a description names (a picture), or sets *ok false.
    using FileSource = std::function<QByteArray(const QString &name, bool *ok)>;
    // Turns a picture value into the property's value: stream is the picture stream (class
    // name length, class name, 32-bit little-endian count, data). Returns an invalid QVariant
    // and sets *error for a broken picture.
    using PictureConverter = std::function<QVariant(const QByteArray &stream, int metaTypeId, QString *error)>;

    // Reads text into root, whose class must be the first block's class.
    static void load(TForm *root, const QByteArray &text, const FileSource &files);

    // Installs the converter for picture values; the picture classes do so.
    static void setPictureConverter(PictureConverter converter);

    // Reads a property the way a description sets it (own properties, then geometry and font);
    // an invalid QVariant when there is none.
    static QVariant readProperty(const QObject *object, const QByteArray &name);
};
