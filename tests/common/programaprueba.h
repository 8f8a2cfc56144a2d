#pragma once
// A program directory for tests: a temporary folder with a copy of the built main
// database as bbdd/bd.db, which a test may change freely.
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

class ProgramaPrueba
{
public:
    ProgramaPrueba()
    {
        QDir(dir.path()).mkpath(QStringLiteral("bbdd"));
        listo = dir.isValid() && QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/bd.db"), baseDatos())
                && QFile::setPermissions(baseDatos(), QFile::ReadOwner | QFile::WriteOwner);
    }
    // With the trailing "/", as DirAplicacion.
    QString dirAplicacion() const { return dir.path() + QLatin1Char('/'); }
    QString baseDatos() const { return dir.path() + QStringLiteral("/bbdd/bd.db"); }

    QTemporaryDir dir;
    bool listo = false;
};
