#pragma once
// Loading a plug-in with the user-facing messages.
#include "pluginloader.h"

// Loads (or reuses) the plug-in of `code` from the program directory. Failures show their
// message: a missing file the missing-file error with "<CODE>.SO", a bad code or a file
// the dynamic loader refuses "Existen problemas al leer la librería <CODE>.SO.". Returns
// null on failure and then, when `fatal`, asks the program to end. A library that loads
// but registers no class is returned (its classes simply are not found later).
PluginLibrary *CargarLibreria(PluginLoader &loader, const QString &code, bool fatal);
