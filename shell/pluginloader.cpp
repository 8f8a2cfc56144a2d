#include "pluginloader.h"

#include "classregistry.h"
#include "shelllog.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <dlfcn.h>

PluginLoader::PluginLoader(const QString &programDir)
    : m_programDir(QDir(programDir).absolutePath())
{
}

PluginLoader::~PluginLoader()
{
    unloadAll();
}

bool PluginLoader::isValidCode(const QString &code)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9]{1,6}$"));
    return pattern.match(code).hasMatch();
}

QString PluginLoader::fileNameFor(const QString &code)
{
    return code.toLower() + QStringLiteral(".so");
}

PluginLoader::Result PluginLoader::load(const QString &code)
{
    Result result;
    if (!isValidCode(code)) {
        result.status = PluginLoadStatus::InvalidName;
        qCWarning(lcShell) << "refusing to load plug-in with code" << code;
        return result;
    }
    if (PluginLibrary *loaded = library(code)) {
        result.library = loaded;
        result.status = loaded->classes.isEmpty() ? PluginLoadStatus::NothingRegistered : PluginLoadStatus::Loaded;
        return result;
    }

    auto lib = std::make_unique<PluginLibrary>();
    lib->code = code;
    lib->fileName = fileNameFor(code);
    lib->path = m_programDir + QLatin1Char('/') + lib->fileName;
    if (!QFileInfo(lib->path).isFile()) {
        result.status = QFileInfo::exists(lib->path) ? PluginLoadStatus::NotLoadable : PluginLoadStatus::Missing;
        if (result.status == PluginLoadStatus::NotLoadable)
            result.detail = QStringLiteral("not a regular file");
        qCWarning(lcShell) << "plug-in" << lib->path << (result.status == PluginLoadStatus::Missing ? "is missing" : "is not a regular file");
        return result;
    }

    const QStringList before = ClassRegistry::instance().names();
    dlerror();
    lib->handle = dlopen(QFile::encodeName(lib->path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!lib->handle) {
        const char *why = dlerror();
        result.status = PluginLoadStatus::NotLoadable;
        result.detail = why ? QString::fromLocal8Bit(why) : QString();
        qCWarning(lcShell).noquote() << "plug-in" << lib->path << "cannot be loaded:" << result.detail;
        return result;
    }
    const QSet<QString> known(before.cbegin(), before.cend());
    for (const QString &name : ClassRegistry::instance().names()) {
        if (!known.contains(name))
            lib->classes << name;
    }
    if (lib->classes.isEmpty()) {
        result.status = PluginLoadStatus::NothingRegistered;
        qCWarning(lcShell) << "plug-in" << lib->path << "loaded but registered no window class";
    } else {
        result.status = PluginLoadStatus::Loaded;
        qCDebug(lcShell) << "plug-in" << lib->path << "registered" << lib->classes;
    }
    result.library = lib.get();
    const QString key = code.toLower();
    m_loadOrder << key;
    m_libraries.emplace(key, std::move(lib));
    return result;
}

PluginLibrary *PluginLoader::library(const QString &code) const
{
    const auto it = m_libraries.find(code.toLower());
    return it == m_libraries.end() ? nullptr : it->second.get();
}

bool PluginLoader::unload(const QString &code)
{
    const QString key = code.toLower();
    const auto it = m_libraries.find(key);
    if (it == m_libraries.end())
        return false;
    std::unique_ptr<PluginLibrary> lib = std::move(it->second);
    m_libraries.erase(it);
    m_loadOrder.removeAll(key);
    if (dlclose(lib->handle) != 0)
        qCWarning(lcShell) << "plug-in" << lib->path << "did not unload:" << dlerror();
    // A library the dynamic loader keeps mapped never runs its registrar's destructor;
    // its classes go all the same, so that nothing creates windows of an unloaded plug-in.
    for (const QString &name : std::as_const(lib->classes))
        ClassRegistry::instance().unregisterClass(name);
    qCDebug(lcShell) << "plug-in" << lib->path << "unloaded";
    return true;
}

void PluginLoader::unloadAll()
{
    while (!m_loadOrder.isEmpty())
        unload(m_loadOrder.constLast());
}
