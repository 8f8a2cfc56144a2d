#pragma once
// What the tests of the plan plug-ins share: the plug-ins loaded as the program loads them,
// a program directory holding copies of the built templates and main database, a picture
// of every page of a form, and a consultant registered and chosen, with the logo the
// printed pages carry at their head. Failures are test failures.
#include "connection.h"
#include "tcustommdichild.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLibrary>
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
