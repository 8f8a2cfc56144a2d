#include "tformpersonas.h"

#include "connection.h"
#include "dbgrid.h"
#include "gridcolumn.h"
#include "ordenprueba.h"
#include "programaprueba.h"
#include "qstringprinter.h"
#include "query.h"
#include "scripteddialogs.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

class Personas : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programa.listo);
        ASSERT_TRUE(bd.open(programa.baseDatos()));
        ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO persona (pers_codigo, pers_rut, pers_dv, pers_paterno, pers_nombre)"
                                           " VALUES (7, 11111111, '1', 'O''HIGGINS', 'BERNARDO')")));
        ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO propietario (pers_codigo, pred_codigo) VALUES (7, 1), (8, 1)")));
        ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO representante (pers_codigo, pred_codigo) VALUES (7, 2)")));
        ventana.DirAplicacion = programa.dirAplicacion();
        ASSERT_TRUE(ventana.Abrir());
    }
    int cuenta(const QString &sql) { return bd.select(sql).rows.value(0).value(0).toInt(); }
    ProgramaPrueba programa;
    Connection bd;
    TFormPersonas ventana;
};

TEST_F(Personas, CreatedPersonIsSavedWithItsCommune)
{
    ScriptedDialogs dialogos;
    ventana.Crear();
    Dataset *ds = ventana.Datos();
    ds->FieldByName(QStringLiteral("pers_rut"))->setAsInteger(22222222);
    ds->FieldByName(QStringLiteral("pers_dv"))->setAsString(QStringLiteral("2"));
    ds->FieldByName(QStringLiteral("pers_paterno"))->setAsString(QStringLiteral("D'ARCY"));
    ds->FieldByName(QStringLiteral("pers_comuna"))->setAsString(QStringLiteral("11302"));
    ASSERT_TRUE(ventana.Guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM persona WHERE pers_paterno='D''ARCY' AND pers_comuna='11302'")), 1);
}

// Fault: the list's "Apellido Paterno o Razón Social" title was cut at its column's width.
TEST_F(Personas, TheListsTitlesFitTheirColumns)
{
    ventana.show();
    QApplication::processEvents();
    auto *lista = ventana.findChild<DBGrid *>(QStringLiteral("dbgLista"));
    ASSERT_TRUE(lista);
    const QFontMetrics fm = lista->view()->horizontalHeader()->fontMetrics();
    for (int i = 0; i < lista->ColumnCount(); ++i) {
        int ancho = 0;
        for (const QString &linea : lista->Columns(i)->Title().split(QLatin1Char('\n')))
            ancho = std::max(ancho, fm.horizontalAdvance(linea));
        EXPECT_LE(ancho + 6, lista->view()->columnWidth(i)) << lista->Columns(i)->Title().toStdString();
    }
    EXPECT_EQ(lista->ColumnByFieldName(QStringLiteral("pers_paterno"))->Title(),
              QStringLiteral("Apellido Paterno\no Razón Social"));
}

// A deleted person must not stay behind as an owner or representative.
TEST_F(Personas, DeletingAPersonRemovesItsOwnerships)
{
    ScriptedDialogs dialogos;
    dialogos.responder({ID::NO, ID::YES});
    ASSERT_TRUE(ventana.Datos()->Locate(QStringLiteral("pers_codigo"), 7));
    ventana.Borrar();
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM persona")), 1);
    ventana.Borrar();
    ASSERT_EQ(dialogos.boxes.size(), 2);
    EXPECT_EQ(dialogos.boxes[0].texto, QStringLiteral("¿Está seguro de eliminar este registro?"));
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM persona")), 0);
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM propietario WHERE pers_codigo=7")), 0);
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM representante")), 0);
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM propietario WHERE pers_codigo=8")), 1);
    EXPECT_FALSE(ventana.findChild<QPushButton *>(QStringLiteral("btnBorrar"))->isEnabled());
}

// The list reads surnames in Spanish order (accents aside, "ñ" after "n"), from the
// surnames' index.
TEST_F(Personas, TheListIsInSpanishOrder)
{
    ASSERT_TRUE(insertarDesordenados(bd, QStringLiteral("INSERT INTO persona (pers_codigo, pers_rut, pers_dv, pers_paterno,"
                                                        " pers_materno, pers_nombre) VALUES (?1, 30000000 + ?1, '1', ?2, ?3, 'X')")));
    QStringList esperado = nombresEnOrden();
    esperado.insert(4, QStringLiteral("O'HIGGINS")); // "'" before every letter
    EXPECT_EQ(registroEnOrden<TFormPersonas>(programa.dirAplicacion(), {QStringLiteral("pers_paterno"), QStringLiteral("pers_materno")}),
              esperado);
}

} // namespace
