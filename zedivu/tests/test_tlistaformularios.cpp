#include "tlistaformularios.h"

#include "connection.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ListaFormularios : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("bd.db"));
        Connection c;
        ASSERT_TRUE(c.open(path, Connection::ReadWriteCreate));
        ASSERT_TRUE(c.execScript(QStringLiteral(
            "CREATE TABLE tiposolicitud (tiso_codigo INTEGER PRIMARY KEY, tiso_numero INTEGER NOT NULL UNIQUE,"
            "  tiso_abreviacion VARCHAR(6) COLLATE NOCASE NOT NULL UNIQUE, tiso_descripcion VARCHAR(100), tiso_desccompleta VARCHAR(255));"
            "CREATE TABLE formularios (form_id INTEGER PRIMARY KEY, form_principal VARCHAR(6), form_solicitud VARCHAR(6),"
            "  form_opcional1 VARCHAR(6), form_extension VARCHAR(3), form_descripcion VARCHAR(100), form_titulo VARCHAR(255));"
            "INSERT INTO tiposolicitud VALUES (12, 1, 'kelu', 'Plan de manejo', 'Plan de Manejo de Plantaciones');"
            "INSERT INTO tiposolicitud VALUES (40, 2, 'DORVO', 'Solicitud', 'Solicitud O''Higgins');"
            "INSERT INTO tiposolicitud VALUES (999, 3, 'LUMO', 'Genérico', 'no se usa');"
            "INSERT INTO formularios VALUES (1, 'KELU', 'DORVO', NULL, 'kd', 'Plan y solicitud', NULL);"
            "INSERT INTO formularios VALUES (31, 'LUMO', 'DORVO', NULL, 'iq', 'Incendio', 'Informe de \\\\Incendio\\\\ Forestal');")))
            << c.lastError().text().toStdString();
        lista.SetBBDD(path);
    }

    QTemporaryDir dir;
    TListaFormularios lista;
};

} // namespace

TEST_F(ListaFormularios, AnswersFromTheTables)
{
    EXPECT_EQ(lista.ObtenerCantidad(), 3);
    EXPECT_EQ(lista.ObtenerCombinaciones(), 2);
    EXPECT_EQ(lista.GetIndice(QStringLiteral("KELU")), 1);
    EXPECT_EQ(lista.GetCodigo(QStringLiteral("DORVO")), 40);
    EXPECT_EQ(lista.GetCodigo(QStringLiteral("dorvo")), 40);
    EXPECT_EQ(lista.GetAbreviacion(0), QStringLiteral("KELU"));
    EXPECT_EQ(lista.GetAbreviacion(2), QStringLiteral("LUMO"));
    EXPECT_EQ(lista.GetNombre(QStringLiteral("LUMO")), QStringLiteral("Genérico"));
    EXPECT_EQ(lista.GetNombreCompleto(QStringLiteral("DORVO"), 0), QStringLiteral("Solicitud O'Higgins"));
    EXPECT_EQ(lista.GetNombreCompleto(QStringLiteral("LUMO"), 31), QStringLiteral("Informe de Incendio Forestal"));
    EXPECT_EQ(lista.GetCombinacionExtension(1), QStringLiteral("KD"));
    EXPECT_EQ(lista.GetCombinacionNombre(31), QStringLiteral("Incendio"));
    EXPECT_EQ(lista.GetCombinacionPrincipal(31), QStringLiteral("LUMO"));
    EXPECT_EQ(lista.GetCombinacionSolicitud(1), QStringLiteral("DORVO"));
    EXPECT_EQ(lista.GetCombinacionOpcional1(1), QString());
}

// An unknown code made the integer conversion of an empty answer fail.
TEST_F(ListaFormularios, UnknownCodesAreNotFound)
{
    EXPECT_EQ(lista.GetIndice(QStringLiteral("NADA")), -1);
    EXPECT_EQ(lista.GetCodigo(QStringLiteral("x' OR '1'='1")), -1);
    EXPECT_EQ(lista.GetAbreviacion(7), QString());
    EXPECT_EQ(lista.GetNombreCompleto(QStringLiteral("LUMO"), 5), QString());
    EXPECT_EQ(lista.GetCombinacionExtension(5), QString());
    lista.SetBBDD(dir.filePath(QStringLiteral("nada.db")));
    EXPECT_EQ(lista.ObtenerCantidad(), 0);
    EXPECT_EQ(lista.GetIndice(QStringLiteral("KELU")), -1);
}
