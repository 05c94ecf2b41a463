#include "ComponentRegistry.h"

#include "TButton.h"
#include "TComboBox.h"
#include "TLabel.h"
#include "TMainMenu.h"
#include "TMemo.h"
#include "TMenuItem.h"
#include "TStatusBar.h"

namespace {
QHash<QByteArray, ComponentRegistry::Factory> &factories()
{
    static QHash<QByteArray, ComponentRegistry::Factory> f;
    return f;
}
}

void ComponentRegistry::registerClass(const QByteArray &name, Factory factory)
{
    factories().insert(name.toLower(), std::move(factory));
}

Component *ComponentRegistry::create(const QByteArray &name)
{
    const auto it = factories().constFind(name.toLower());
    return it == factories().constEnd() ? nullptr : it.value()();
}

bool ComponentRegistry::isRegistered(const QByteArray &name)
{
    return factories().contains(name.toLower());
}

void RegisterPlatformClasses()
{
    RegisterComponentClass<TLabel>();
    RegisterComponentClass<TButton>();
    RegisterComponentClass<TComboBox>();
    RegisterComponentClass<TMemo>();
    RegisterComponentClass<TStatusBar>();
    RegisterComponentClass<TMainMenu>();
    RegisterComponentClass<TMenuItem>();
}
