#include "Startup.h"

#include "Application.h"
#include "ComponentRegistry.h"
#include "DescriptionReader.h"
#include "Fonts.h"
#include "PictureValue.h"
#include "TBoardHighlight.h"
#include "TBoardImage.h"
#include "TMainForm.h"
#include "TRadioPanel.h"
#include "TSetupSupporter.h"
#include "TThreeJumper.h"
#include "TTwoJumper.h"

#include <QFile>
#include <cstdio>

static void initResources()
{
    Q_INIT_RESOURCE(app);
}

void PrepareApplication()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    initResources();
    InstallApplicationFonts();
    InstallPictureConverter();
    RegisterPlatformClasses();
    RegisterComponentClass<TBoardImage>();
    RegisterComponentClass<TBoardHighlight>();
    RegisterComponentClass<TRadioPanel>();
    RegisterComponentClass<TTwoJumper>();
    RegisterComponentClass<TThreeJumper>();
    RegisterComponentClass<TSetupSupporter>();
}

QByteArray MainFormDescription()
{
    PrepareApplication();
    QFile file(QStringLiteral(":/mainform/MainForm.desc"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TMainForm *CreateMainForm(QString *error, const QByteArray &description)
{
    PrepareApplication();
    auto files = [](const QString &name, bool *ok) {
        QFile f(QStringLiteral(":/mainform/") + name);
        *ok = !name.contains(QLatin1Char('/')) && f.open(QIODevice::ReadOnly);
        return *ok ? f.readAll() : QByteArray();
    };
    auto *form = new TMainForm;
    try {
        DescriptionReader::load(form, description, files);
    } catch (const DescriptionError &e) {
        *error = QString::fromUtf8(e.what());
        delete form;
        return nullptr;
    }
    return form;
}

int RunProgram(const QByteArray &description)
{
    QString error;
    TMainForm *form = CreateMainForm(&error, description);
    if (!form) {
        std::fprintf(stderr, "Settings: %s\n", qPrintable(error));
        Application::instance()->messageBox(error, QStringLiteral("Settings"),
                                            MessageBoxStyle::Ok | MessageBoxStyle::IconStop);
        return 1;
    }
    Application::instance()->setMainForm(form);
    const int code = Application::instance()->run();
    Application::instance()->setMainForm(nullptr);
    delete form;
    return code;
}
