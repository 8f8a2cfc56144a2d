#pragma once
// Everything the program knows about one loaded plug-in library; the loader owns it.
#include <QString>
#include <QStringList>

enum class PluginLoadStatus {
    Loaded,            // loaded and registered at least one window class
    InvalidName,       // the code is not 1 to 6 letters or digits
    Missing,           // no such file in the program directory
    NotLoadable,       // the file exists but the dynamic loader refused it
    NothingRegistered, // loaded, but it registered no window class
};

struct PluginLibrary
{
    QString code;        // as asked for, e.g. "KELU"
    QString fileName;    // "kelu.so"
    QString path;        // absolute path in the program directory
    void *handle = nullptr;
    QStringList classes; // window classes it registered when loaded
};
