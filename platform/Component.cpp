#include "Component.h"

#include <QMetaObject>
#include <QVariant>

namespace {
const char *const componentKey = "_component";
}

Component::Component(QObject *self)
    : m_self(self)
{
    m_self->setProperty(componentKey, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(this)));
}

Component::~Component()
{
    setOwner(nullptr);
    // Owned components may already be gone when Qt freed them as children; each removes
    // itself from this list in its own destructor, so what is left here still exists.
    while (!m_components.isEmpty()) {
        Component *child = m_components.takeLast();
        child->m_owner = nullptr;
        delete child->m_self;
    }
}

QString Component::name() const
{
    return m_self->objectName();
}

void Component::setName(const QString &name)
{
    m_self->setObjectName(name);
}

void Component::setOwner(Component *owner)
{
    if (owner == m_owner)
        return;
    if (m_owner)
        m_owner->m_components.removeOne(this);
    m_owner = owner;
    if (m_owner)
        m_owner->m_components.append(this);
}

QList<Component *> Component::components() const
{
    return m_components;
}

Component *Component::findComponent(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    for (Component *c : m_components)
        if (c->name().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

QString Component::uniqueName(const QString &stem) const
{
    for (int k = 1;; ++k) {
        const QString candidate = stem + QString::number(k);
        if (!findComponent(candidate))
            return candidate;
    }
}

Component *Component::of(const QObject *object)
{
    if (!object)
        return nullptr;
    const QVariant v = object->property(componentKey);
    if (!v.isValid())
        return nullptr;
    return reinterpret_cast<Component *>(v.value<quintptr>());
}

bool isClass(const QObject *object, const char *className)
{
    return object && qstricmp(object->metaObject()->className(), className) == 0;
}

bool inheritsClass(const QObject *object, const char *className)
{
    if (!object)
        return false;
    for (const QMetaObject *mo = object->metaObject(); mo; mo = mo->superClass())
        if (qstricmp(mo->className(), className) == 0)
            return true;
    return false;
}
