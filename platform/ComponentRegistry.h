// Classes a description may name, created by class name.
#pragma once

#include <QByteArray>
#include <QHash>
#include <functional>

class Component;

class ComponentRegistry
{
public:
    using Factory = std::function<Component *()>;

    // Makes name known; a second registration of the same name replaces the first.
    static void registerClass(const QByteArray &name, Factory factory);
    // A new, ownerless instance of the class, or nullptr when the name is unknown.
    // Class names are compared without regard to case.
    static Component *create(const QByteArray &name);
    static bool isRegistered(const QByteArray &name);
};

// Registers T under its own class name. T is default-constructible and a Component.
template<class T>
void RegisterComponentClass()
{
    ComponentRegistry::registerClass(T::staticMetaObject.className(), [] { return static_cast<Component *>(new T()); });
}

// Registers the platform's own controls (labels, buttons, combo boxes, memos, menus, ...).
void RegisterPlatformClasses();
