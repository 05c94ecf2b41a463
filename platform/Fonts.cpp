#include "Fonts.h"

#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

struct WineFace
{
    const char *file;
    const char *name; // the family name descriptions ask for
};

const char WineFontFolder[] = "/usr/share/wine/fonts/";
const WineFace WineFaces[] = {
    {"tahoma.ttf", "Tahoma"},
    {"tahomabd.ttf", "Tahoma"},
    {"ms_sans_serif.ttf", "MS Sans Serif"},
};

} // namespace

void InstallApplicationFonts()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;

    for (const WineFace &face : WineFaces) {
        const QString path = QLatin1String(WineFontFolder) + QLatin1String(face.file);
        if (!QFileInfo::exists(path))
            continue;
        const QStringList families =
            QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(path));
        // Should a file name its family differently, the name asked for still finds it.
        if (!families.isEmpty()
            && families.constFirst().compare(QLatin1String(face.name), Qt::CaseInsensitive) != 0)
            QFont::insertSubstitution(QLatin1String(face.name), families.constFirst());
    }
    // DejaVu Sans (fonts-dejavu-core) is, like Verdana, a wide sans-serif with a large x-height,
    // so texts keep about the width they were laid out for.
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
}
