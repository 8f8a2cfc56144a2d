#pragma once
// What went wrong with one SQL statement: SQLite's message and code, the statement and the
// database file. Empty (isValid() false) when the last operation succeeded.
#include <QString>

struct SqlError
{
    QString message;
    QString sql;
    QString file;
    int code = 0;

    bool isValid() const { return !message.isEmpty(); }
    // "message (file) [sql]", for logs and error boxes.
    QString text() const;
};
