#pragma once
// The working-database files this process created, so that closing a document and the
// program's shutdown delete only this instance's files, never those of another running
// copy of the program. Whoever creates a working database registers it.
#include <QString>
#include <QStringList>

class WorkingDatabases
{
public:
    // Remembers `path`; its journal files ("-journal", "-wal", "-shm") go with it.
    static void add(const QString &path);
    // Forgets `path` without deleting it.
    static void remove(const QString &path);
    static QStringList paths();
    // Deletes every registered file that exists, with its journal files, and forgets
    // them all. Returns the files that could not be deleted (they stay registered).
    static QStringList deleteAll();
};
