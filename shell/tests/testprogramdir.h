#pragma once
// A throw-away program directory for the shell's tests: the test plug-ins copied under
// the names the program loads, and a small main database built here.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

inline QString testPluginDir()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/testplugins");
}

inline void copyTestPlugin(const QString &fromName, const QString &toDir, const QString &toName)
{
    ASSERT_TRUE(QFile::copy(testPluginDir() + QLatin1Char('/') + fromName, toDir + QLatin1Char('/') + toName))
        << fromName.toStdString();
}

inline void execSql(const QString &dbPath, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(dbPath).constData(), &db), SQLITE_OK);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message;
}

// Settings in a private folder, so that tests neither see nor change the user's.
class ScopedSettings
{
public:
    ScopedSettings()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        QSettings(QStringLiteral("Varno"), QStringLiteral("Brenvik")).clear();
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

struct TestProgramDir
{
    QTemporaryDir dir;

    QString path() const { return dir.path(); }
    QString database() const { return dir.path() + QStringLiteral("/bbdd/bd.db"); }

    void addRegisterPlugins()
    {
        for (const char *name : {"gavrel.so", "sotrel.so", "nudrel.so"})
            copyTestPlugin(QLatin1String(name), path(), QLatin1String(name));
    }

    void createDatabase()
    {
        QDir(path()).mkpath(QStringLiteral("bbdd"));
        execSql(database(),
                "CREATE TABLE formularios (form_id INTEGER PRIMARY KEY, form_principal TEXT, form_solicitud TEXT,"
                " form_opcional1 TEXT, form_extension TEXT, form_descripcion TEXT, form_titulo TEXT);"
                "CREATE TABLE consultor (cons_id INTEGER PRIMARY KEY, cons_paterno TEXT, cons_materno TEXT, cons_nombre TEXT);"
                "CREATE TABLE tiposolicitud (tiso_codigo INTEGER, tiso_numero INTEGER, tiso_abreviacion TEXT COLLATE NOCASE,"
                " tiso_descripcion TEXT, tiso_desccompleta TEXT);"
                "INSERT INTO tiposolicitud VALUES (901, 1, 'TEST1', 'Prueba', 'Formulario de prueba');"
                "INSERT INTO tiposolicitud VALUES (902, 2, 'VACIO', 'Vacío', 'Formulario sin clase');"
                "INSERT INTO tiposolicitud VALUES (903, 3, 'NADA', 'Nada', 'Formulario sin biblioteca');"
                "INSERT INTO tiposolicitud VALUES (904, 101, 'LEJOS', 'Lejos', 'Fuera de la tabla');"
                "INSERT INTO tiposolicitud VALUES (905, 4, 'TESTF', 'Prueba F', 'Formulario F');"
                "INSERT INTO tiposolicitud VALUES (906, 5, 'TESTG', 'Prueba G', 'Formulario G');"
                "INSERT INTO tiposolicitud VALUES (999, 6, 'LUMO', 'Genérico', 'Formulario genérico');"
                "INSERT INTO formularios VALUES (1, 'KELU', 'DORVO', '', 'pmp', 'Plan de Manejo Plantaciones', '');"
                "INSERT INTO formularios VALUES (2, 'ZURI', 'FERUN', '', 'acr', 'Acreditación', '');"
                "INSERT INTO consultor VALUES (7, 'Rojas', 'Soto', 'Ana');");
    }

    // A complete program directory: database and the three register plug-ins.
    void createAll()
    {
        createDatabase();
        addRegisterPlugins();
    }
};
