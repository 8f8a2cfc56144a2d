#pragma once
// Loads plug-in libraries "<code in lower case>.so" from the program directory with the
// dynamic loader, once each, and unloads them at shutdown. It only reports: the caller
// (CargarLibreria) shows the messages.
#include "pluginlibrary.h"

#include <map>
#include <memory>

class PluginLoader
{
public:
    struct Result
    {
        PluginLoadStatus status = PluginLoadStatus::Missing;
        PluginLibrary *library = nullptr; // set for Loaded and NothingRegistered
        QString detail;                   // the dynamic loader's text for NotLoadable
    };

    // `programDir` is where plug-ins are looked for, with or without a trailing "/".
    explicit PluginLoader(const QString &programDir);
    // Unloads whatever is still loaded; the windows of those libraries must be gone.
    ~PluginLoader();
    PluginLoader(const PluginLoader &) = delete;
    PluginLoader &operator=(const PluginLoader &) = delete;

    // A form or register code: 1 to 6 ASCII letters or digits.
    static bool isValidCode(const QString &code);
    // "kelu.so" for "KELU".
    static QString fileNameFor(const QString &code);

    // Loads the library of `code`, or returns the one already loaded. A library that
    // registers nothing stays loaded and is reported as NothingRegistered every time.
    Result load(const QString &code);
    // The loaded library of `code` (any case), or null.
    PluginLibrary *library(const QString &code) const;
    // Unloads one library and drops the classes it registered. False when not loaded.
    bool unload(const QString &code);
    // Unloads every library, last loaded first.
    void unloadAll();
    int loadedCount() const { return int(m_libraries.size()); }

private:
    QString m_programDir;
    std::map<QString, std::unique_ptr<PluginLibrary>> m_libraries; // by lower-case code
    QStringList m_loadOrder;                                       // lower-case codes
};
