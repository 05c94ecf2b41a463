#include "TPicture.h"

#include "TBitmap.h"
#include "TJPEGImage.h"

#include <QtEndian>

namespace {

struct GraphicKind
{
    const char *className;
    std::unique_ptr<TGraphic> (*create)();
};

template <typename T>
std::unique_ptr<TGraphic> make()
{
    return std::make_unique<T>();
}

const GraphicKind graphicKinds[] = {
    {"TJPEGImage", make<TJPEGImage>},
    {"TBitmap", make<TBitmap>},
};

// The class name as a message can show it, whatever bytes the stream held.
QString printable(const QByteArray &name)
{
    QString shown;
    for (char c : name)
        shown += (c >= 0x20 && c < 0x7F) ? QChar::fromLatin1(c) : QChar(u'?');
    return shown;
}

} // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic)
{
    m_graphic = std::move(graphic);
    if (m_graphic)
        m_graphic->SetOnChange([this] { Changed(); });
    Changed();
}

int TPicture::Width() const
{
    return m_graphic ? m_graphic->Width() : 0;
}

int TPicture::Height() const
{
    return m_graphic ? m_graphic->Height() : 0;
}

void TPicture::Assign(const TPicture &source)
{
    if (&source == this) {
        Changed();
        return;
    }
    SetGraphic(source.m_graphic ? source.m_graphic->Clone() : nullptr);
}

bool TPicture::LoadFromStream(const QByteArray &stream, QString *error)
{
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    if (stream.isEmpty())
        return fail(QStringLiteral("The picture data is empty."));
    const int nameLength = quint8(stream.at(0));
    if (nameLength == 0)
        return fail(QStringLiteral("The picture data names no graphic class."));
    const qsizetype countAt = 1 + nameLength;
    if (stream.size() < countAt + 4)
        return fail(QStringLiteral("The picture data ends inside its header (%1 bytes; the header "
                                   "needs %2).").arg(stream.size()).arg(countAt + 4));
    const QByteArray className = stream.mid(1, nameLength);
    std::unique_ptr<TGraphic> graphic = CreateGraphic(QString::fromLatin1(className));
    if (!graphic)
        return fail(QStringLiteral("The picture data names an unknown graphic class \"%1\" "
                                   "(known: %2).")
                        .arg(printable(className), GraphicClassNames().join(QStringLiteral(", "))));
    const qint64 count = qFromLittleEndian<quint32>(stream.constData() + countAt);
    const qint64 available = stream.size() - (countAt + 4);
    if (count > available)
        return fail(QStringLiteral("The picture data is cut short: its header announces %1 bytes, "
                                   "but only %2 follow.").arg(count).arg(available));
    if (count < available)
        return fail(QStringLiteral("The picture data holds %1 bytes beyond the %2 its header "
                                   "announces.").arg(available - count).arg(count));
    QString message;
    if (!graphic->LoadFromBytes(stream.mid(countAt + 4), &message))
        return fail(message);
    SetGraphic(std::move(graphic));
    return true;
}

QByteArray TPicture::MakeStream(const QString &className, const QByteArray &bytes)
{
    const QByteArray name = className.toLatin1();
    if (name.isEmpty() || name.size() > 255 || quint64(bytes.size()) > 0xFFFFFFFFu)
        return QByteArray();
    QByteArray stream;
    stream.reserve(1 + name.size() + 4 + bytes.size());
    stream.append(char(name.size()));
    stream.append(name);
    char count[4];
    qToLittleEndian<quint32>(quint32(bytes.size()), count);
    stream.append(count, 4);
    stream.append(bytes);
    return stream;
}

std::unique_ptr<TGraphic> TPicture::CreateGraphic(const QString &className)
{
    for (const GraphicKind &kind : graphicKinds)
        if (className.compare(QLatin1String(kind.className), Qt::CaseInsensitive) == 0)
            return kind.create();
    return nullptr;
}

QStringList TPicture::GraphicClassNames()
{
    QStringList names;
    for (const GraphicKind &kind : graphicKinds)
        names << QString::fromLatin1(kind.className);
    return names;
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange();
}
