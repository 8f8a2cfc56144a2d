#pragma once
// A throw-away program directory for the shell's tests: the test plug-ins copied under
// the names the program loads, and a small main database built here.
#include "spanishcollation.h"

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
    // As on the program's connections: a list's index may sort in Spanish order.
    registerSpanishCollation(db);
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

    // What documents need besides createAll(): the document index and the properties,
    // the form plug-ins PRUEBA (with data), TESTF and TESTG (pages only) and their
    // templates, and these combinations:
    //   4 "pru": PRUEBA, request TESTG, optional TESTF     7 "prb": PRUEBA alone
    //   9 "nad": TESTF with the request form NADA, whose plug-in is missing
    void addDocuments()
    {
        QDir(path()).mkpath(QStringLiteral("bbdd"));
        execSql(database(),
                "ALTER TABLE formularios ADD COLUMN form_sigla TEXT;"
                "CREATE TABLE formPredio (foco_id INTEGER PRIMARY KEY AUTOINCREMENT, pred_codigo INTEGER, form_id INTEGER,"
                " foco_estado INTEGER DEFAULT 0, foco_fecha DATETIME, foco_nroResol VARCHAR(30), foco_archivo VARCHAR(200),"
                " foco_XML VARCHAR(200), foco_hashXml VARCHAR(50), foco_consultorId INTEGER);"
                "CREATE TABLE predio (pred_codigo INTEGER PRIMARY KEY, pred_nombre TEXT);"
                "INSERT INTO predio VALUES (5, 'Los Robles'), (6, 'El Alamo');"
                "INSERT INTO tiposolicitud VALUES (907, 7, 'PRUEBA', 'Prueba', 'Formulario de prueba con datos');"
                "INSERT INTO formularios VALUES (4, 'PRUEBA', 'TESTG', 'TESTF', 'pru', 'Prueba completa', '', 'PRU');"
                "INSERT INTO formularios VALUES (7, 'PRUEBA', '', '', 'prb', 'Prueba sola', '', 'PRB');"
                "INSERT INTO formularios VALUES (9, 'TESTF', 'NADA', '', 'nad', 'Prueba sin solicitud', '', 'NAD');");
        for (const char *name : {"testf.so", "testg.so"})
            copyTestPlugin(QLatin1String(name), path(), QLatin1String(name));
        const QString tests = QCoreApplication::applicationDirPath();
        ASSERT_TRUE(QFile::copy(tests + QStringLiteral("/plugins/prueba.so"), path() + QStringLiteral("/prueba.so")));
        ASSERT_TRUE(QFile::copy(tests + QStringLiteral("/forms/PRUEBA.db"), path() + QStringLiteral("/bbdd/PRUEBA.db")));
        for (const char *code : {"TESTF", "TESTG"})
            execSql(path() + QStringLiteral("/bbdd/%1.db").arg(QLatin1String(code)), "CREATE TABLE vacia (id INTEGER);");
    }
};
