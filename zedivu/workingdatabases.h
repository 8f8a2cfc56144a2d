#pragma once
// The working-database files this process created, so that closing a document and the
// program's shutdown delete only this instance's files, never those of another running
// copy of the program. Whoever creates a working database registers it.
#include <QString>
#include <QStringList>

class WorkingDatabases
{
public:
    // A new working database in `folder` (created when missing) holding a copy of
    // `templatePath`, registered here. Named after the millisecond of the year ("<ms>.db");
    // a name already taken, by this or any other process, is never reused: the next free
    // number is taken. Returns the path, or "" with a Spanish `error` naming the file.
    static QString create(const QString &templatePath, const QString &folder, QString *error = nullptr);
    // Remembers `path`; its journal files ("-journal", "-wal", "-shm") go with it.
    static void add(const QString &path);
    // Forgets `path` without deleting it.
    static void remove(const QString &path);
    static QStringList paths();
    // Deletes every registered file that exists, with its journal files, and forgets
    // them all. Returns the files that could not be deleted (they stay registered).
    static QStringList deleteAll();
};
