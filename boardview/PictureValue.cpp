#include "PictureValue.h"

#include "DescriptionReader.h"

#include <QVariant>

void InstallPictureConverter()
{
    DescriptionReader::setPictureConverter([](const QByteArray &stream, int metaTypeId, QString *error) -> QVariant {
        if (metaTypeId != qMetaTypeId<PictureValue>()) {
            if (error)
                *error = QStringLiteral("the property does not take a picture");
            return QVariant();
        }
        auto picture = std::make_shared<TPicture>();
        QString message;
        if (!picture->LoadFromStream(stream, &message)) {
            if (error)
                *error = message;
            return QVariant();
        }
        return QVariant::fromValue(PictureValue(std::move(picture)));
    });
}
