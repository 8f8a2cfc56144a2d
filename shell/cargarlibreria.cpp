#include "cargarlibreria.h"

#include "dialogservice.h"
#include "terminacion.h"

PluginLibrary *CargarLibreria(PluginLoader &loader, const QString &code, bool fatal)
{
    const PluginLoader::Result result = loader.load(code);
    const QString fileName = PluginLoader::fileNameFor(code);
    switch (result.status) {
    case PluginLoadStatus::Loaded:
    case PluginLoadStatus::NothingRegistered:
        return result.library;
    case PluginLoadStatus::Missing:
        ArchivoNoEncontrado(fileName);
        break;
    case PluginLoadStatus::InvalidName:
    case PluginLoadStatus::NotLoadable:
        DialogoWin32(mtError, QStringLiteral("Existen problemas al leer la librería %1.").arg(fileName.toUpper()), MB::OK);
        break;
    }
    if (fatal)
        SolicitarTerminacion();
    return nullptr;
}
