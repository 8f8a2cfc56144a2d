#pragma once
// What the tests of the plan plug-ins share: the plug-ins loaded as the program loads them,
// a program directory holding copies of the built templates and main database, a picture
// of every page of a form, and a consultant registered and chosen, with the logo the
// printed pages carry at their head. Failures are test failures.
#include "abort.h"
#include "connection.h"
#include "dataset.h"
#include "dbgrid.h"
#include "filasprueba.h"
#include "tcustommdichild.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLibrary>
#include <QPointer>
#include <QStringList>
#include <QTabWidget>
#include <gtest/gtest.h>

// The plug-ins' shared objects, loaded for the rest of the run as the program keeps them.
inline void CargarPlugins(const QStringList &rutas)
{
    for (const QString &ruta : rutas) {
        QLibrary lib(ruta); // its object goes, the library stays loaded
        ASSERT_TRUE(lib.load()) << lib.errorString().toStdString();
    }
}

// The program directory `app` (ending in "/") with copies of the built databases `bases`
// in bbdd/.
inline void PrepararPrograma(const QString &app, const QStringList &bases)
{
    ASSERT_TRUE(QDir().mkpath(app + QStringLiteral("bbdd")));
    for (const QString &base : bases)
        ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/") + base, app + QStringLiteral("bbdd/") + base))
            << base.toStdString();
}

// Every page of `form` shown in turn (its window `ventana` on screen) and saved as
// `carpeta`/NN.png under the test's working folder, for looking at.
inline void FotografiarPaginas(TCustomMDIChild *form, QWidget *ventana, const QString &carpeta)
{
    QDir().mkpath(carpeta);
    ventana->show();
    for (int i = 0; i < form->Paginas->count(); ++i) {
        form->CambiarHoja(i);
        QCoreApplication::processEvents();
        const QImage imagen = form->grab().toImage();
        EXPECT_FALSE(imagen.isNull()) << i;
        imagen.save(QStringLiteral("%1/%2.png").arg(carpeta).arg(i, 2, 10, QLatin1Char('0')));
    }
}

// The consultant `id` registered in the program's main database (`datos`: rut, check
// digit, surnames, name and profession, as SQL values) and chosen by `form`; the logo in
// the program's img/.
inline void ElegirConsultor(const QString &app, TCustomMDIChild *form, int id, const QString &datos)
{
    Connection bd;
    ASSERT_TRUE(bd.open(app + QStringLiteral("bbdd/bd.db")));
    ASSERT_TRUE(bd.execScript(QStringLiteral("INSERT INTO consultor (cons_id, cons_rut, cons_dv, cons_paterno, cons_materno, "
                                             "cons_nombre, cons_profesion) VALUES (%1, %2);")
                                  .arg(id)
                                  .arg(datos)));
    ASSERT_TRUE(QDir().mkpath(app + QStringLiteral("img")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/img/logo.bmp"), app + QStringLiteral("img/logo.bmp")));
    form->ConsultorId = id;
}

// A described form's tables and grids by their suffix: adt<PREFIJO>_<sufijo> (the main
// table for an empty suffix) and dbg<PREFIJO>_<sufijo>; rows added, edited and deleted as a
// consultant does it, and queries on the form's working database.
class TablasFormulario
{
public:
    explicit TablasFormulario(QString prefijo) : prefijo(std::move(prefijo)) {}

    Dataset *tabla(const QString &sufijo) const
    {
        return form->findChild<Dataset *>(sufijo.isEmpty() ? QStringLiteral("adsPpal")
                                                           : QStringLiteral("adt%1_%2").arg(prefijo, sufijo));
    }
    DBGrid *grilla(const QString &sufijo) const
    {
        return form->findChild<DBGrid *>(QStringLiteral("dbg%1_%2").arg(prefijo, sufijo));
    }

    // A row appended to the table with the values as typed, posted; false when a check
    // refused it (the row is then cancelled).
    bool agregar(const QString &sufijo, const ValoresFila &valores) { return AgregarFila(tabla(sufijo), valores); }
    // The row whose `clave` is `valor`, edited and posted; false when refused or not found.
    bool modificar(const QString &sufijo, const char *clave, const QString &valor, const ValoresFila &valores)
    {
        return ModificarFila(tabla(sufijo), clave, valor, valores);
    }
    // Deletes the row whose `clave` is `valor`; false when refused or not found.
    bool borrar(const QString &sufijo, const char *clave, const QString &valor)
    {
        Dataset *ds = tabla(sufijo);
        bool borrado = false;
        return ds->Locate(QLatin1String(clave), valor) && catchAbort([&] { borrado = ds->Delete(); }) && borrado;
    }
    // A query's rows on the working database, columns joined with "|".
    QStringList filas(const QString &sql) const { return FilasSql(form->ConexionBD, sql); }

    QPointer<TCustomMDIChild> form; // the form the tables belong to

private:
    QString prefijo;
};
