// Fuzzes the form description reader with the program's own classes, registered as the program
// registers them, and its own pictures by name. Beyond "no crash": the only way to refuse a
// description is DescriptionError (anything else escaping is a fault), and a refused description
// leaves no component of its own behind, on the form's list or among its widgets.
#include "FuzzSupport.h"

#include "Application.h"
#include "Component.h"
#include "DescriptionReader.h"
#include "Startup.h"
#include "TMainForm.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startQt();
    PrepareApplication();
    return 0;
}

static int componentsUnder(const QObject *root)
{
    int count = 0;
    for (const QObject *child : root->findChildren<QObject *>())
        count += Component::of(child) != nullptr;
    return count;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto pictures = [](const QString &name, bool *ok) {
        QFile file(QStringLiteral(":/mainform/") + name);
        *ok = !name.contains(QLatin1Char('/')) && file.open(QIODevice::ReadOnly);
        return *ok ? file.readAll() : QByteArray();
    };
    auto *form = new TMainForm;
    const int ownedBefore = form->componentCount();
    const int underBefore = componentsUnder(form);
    try {
        DescriptionReader::load(form, text, pictures);
    } catch (const DescriptionError &error) {
        FUZZ_CHECK(error.line() >= 0 && !error.message().isEmpty());
        FUZZ_CHECK(form->componentCount() == ownedBefore);
        FUZZ_CHECK(componentsUnder(form) == underBefore);
    }
    delete form;
    // The form's OnCreate hooks the idle event to what it owned; no event loop runs here, but
    // the handler must not outlive the form into the next input.
    Application::instance()->setOnIdle({});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
