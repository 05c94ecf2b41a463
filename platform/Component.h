// The component model every class of the program is built on: a name, an owner that frees
// what it owns, a tag, and lookup of owned components by name. Ownership is separate from
// Qt's parent: a panel owned by the main window may sit inside a popup window.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class Component
{
public:
    // self is the QObject this component is (the class deriving from both).
    explicit Component(QObject *self);
    virtual ~Component();

    Component(const Component &) = delete;
    Component &operator=(const Component &) = delete;

    QObject *object() const { return m_self; }

    // The component's name is the QObject's objectName.
    QString name() const;
    void setName(const QString &name);

    // The owner frees its components when it is destroyed (unless Qt freed them first).
    // Setting an owner removes the component from its former owner's list.
    Component *owner() const { return m_owner; }
    void setOwner(Component *owner);

    // Owned components in the order they were given this owner.
    QList<Component *> components() const;
    int componentCount() const { return int(m_components.size()); }

    // The owned component of that name, compared without regard to case; nullptr if none.
    Component *findComponent(const QString &name) const;

    // The first of stem1, stem2, ... that no component owned here is named.
    QString uniqueName(const QString &stem) const;

    // A free integer for the owner's use.
    qint64 tag() const { return m_tag; }
    void setTag(qint64 tag) { m_tag = tag; }

    // True while the component is being built from a description.
    bool isLoading() const { return m_loading; }
    void setLoading(bool loading) { m_loading = loading; }
    // Runs once the whole description is read and every reference is resolved.
    virtual void loaded() {}
    // Takes child as a sub-component of its own kind (a menu its items); false when the
    // child is not of that kind, and then a control is placed on this one's client area.
    virtual bool insertChildComponent(Component *child) { Q_UNUSED(child); return false; }

    // Finds the component part of an object, or nullptr when it is none.
    static Component *of(const QObject *object);

private:
    QObject *m_self;
    Component *m_owner = nullptr;
    QList<Component *> m_components;
    qint64 m_tag = 0;
    bool m_loading = false;
};

// True when the object's class is exactly className, compared without regard to case.
bool isClass(const QObject *object, const char *className);
// True when the object's class is className or derives from it.
bool inheritsClass(const QObject *object, const char *className);
