#include "classregistry.h"

#include <QHash>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcClassRegistry, "brenvik.zedivu.classregistry", QtWarningMsg)

struct Entry
{
    QString name; // as registered
    WindowFactory factory;
};

// Keyed by the case-folded name.
QHash<QString, Entry> &entries()
{
    static QHash<QString, Entry> map;
    return map;
}

QString keyOf(const QString &name)
{
    return name.toCaseFolded();
}

} // namespace

ClassRegistry &ClassRegistry::instance()
{
    static ClassRegistry registry;
    return registry;
}

bool ClassRegistry::registerClass(const QString &name, WindowFactory factory)
{
    if (name.isEmpty() || !factory)
        return false;
    const QString key = keyOf(name);
    if (entries().contains(key)) {
        qCWarning(lcClassRegistry) << "class" << name << "is already registered; the second registration is ignored";
        return false;
    }
    entries().insert(key, Entry{name, factory});
    qCDebug(lcClassRegistry) << "registered" << name;
    return true;
}

void ClassRegistry::unregisterClass(const QString &name, WindowFactory factory)
{
    const auto it = entries().constFind(keyOf(name));
    if (it != entries().cend() && it->factory == factory) {
        entries().erase(it);
        qCDebug(lcClassRegistry) << "unregistered" << name;
    }
}

void ClassRegistry::unregisterClass(const QString &name)
{
    if (entries().remove(keyOf(name)))
        qCDebug(lcClassRegistry) << "unregistered" << name;
}

bool ClassRegistry::isRegistered(const QString &name) const
{
    return entries().contains(keyOf(name));
}

WindowFactory ClassRegistry::factory(const QString &name) const
{
    const auto it = entries().constFind(keyOf(name));
    return it == entries().cend() ? nullptr : it->factory;
}

QWidget *ClassRegistry::create(const QString &name, QWidget *owner) const
{
    const WindowFactory make = factory(name);
    return make ? make(owner) : nullptr;
}

QStringList ClassRegistry::names() const
{
    QStringList result;
    for (const Entry &e : entries())
        result << e.name;
    return result;
}

ClassRegistrar::ClassRegistrar(const char *name, WindowFactory factory)
    : m_name(QString::fromUtf8(name)), m_factory(factory)
{
    ClassRegistry::instance().registerClass(m_name, m_factory);
}

ClassRegistrar::~ClassRegistrar()
{
    ClassRegistry::instance().unregisterClass(m_name, m_factory);
}
