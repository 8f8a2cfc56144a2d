#include "util_bbdd.h"

#include "abort.h"
#include "connection.h"
#include "dataseterror.h"
#include "scripteddialogs.h"
#include "table.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class UtilBbdd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("bd.db"));
        Connection c;
        ASSERT_TRUE(c.open(path, Connection::ReadWriteCreate));
        ASSERT_TRUE(c.execScript(QStringLiteral(
            "CREATE TABLE persona (pers_rut INTEGER, pers_nombre VARCHAR(50), pers_fono VARCHAR(20), sup DOUBLE,"
            "                      nacido DATETIME, activo BOOLEAN);"
            "INSERT INTO persona VALUES (11111111, 'Bernardo O''Higgins', NULL, 12.5, '1778-08-20 00:00:00', 1);"
            "INSERT INTO persona VALUES (22222222, 'José Miguel Carrera', '555', 12, NULL, 0);"
            "INSERT INTO persona VALUES (33333333, 'Manuel Rodríguez', '777', 0.001, NULL, 1);")))
            << c.lastError().text().toStdString();
    }

    // The persona table on a connection pointed at the test database.
    void openPersona(Connection &conn, Table &t)
    {
        t.setTableName(QStringLiteral("persona"));
        t.setConnection(&conn);
        ASSERT_TRUE(setArchivoADO(&conn, path));
        ASSERT_TRUE(t.Active());
    }

    QTemporaryDir dir;
    QString path;
};

} // namespace

struct ConsultaCase
{
    const char *sql;
    QVariantList params;
    const char *expected;
};

class ConsultaText : public UtilBbdd, public ::testing::WithParamInterface<ConsultaCase>
{
};

TEST_P(ConsultaText, FirstValueAsText)
{
    const ConsultaCase &c = GetParam();
    EXPECT_EQ(Consulta(path, QString::fromUtf8(c.sql), c.params).toStdString(), c.expected);
    Connection conn;
    ASSERT_TRUE(conn.open(path));
    EXPECT_EQ(Consulta(&conn, QString::fromUtf8(c.sql), c.params).toStdString(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConsultaText,
    ::testing::Values(ConsultaCase{"SELECT pers_nombre FROM persona WHERE pers_rut = ?", {11111111}, "Bernardo O'Higgins"},
                      ConsultaCase{"SELECT pers_rut FROM persona WHERE pers_nombre = ?", {QStringLiteral("Bernardo O'Higgins")}, "11111111"},
                      ConsultaCase{"SELECT pers_fono FROM persona WHERE pers_rut = ?", {11111111}, ""},   // NULL
                      ConsultaCase{"SELECT pers_fono FROM persona WHERE pers_rut = ?", {99}, ""},         // no row
                      ConsultaCase{"SELECT sup FROM persona WHERE pers_rut = ?", {11111111}, "12,5"},
                      ConsultaCase{"SELECT sup FROM persona WHERE pers_rut = ?", {22222222}, "12"},
                      ConsultaCase{"SELECT sup FROM persona WHERE pers_rut = ?", {33333333}, "0,001"},
                      ConsultaCase{"SELECT 0+SUM(sup) FROM persona", {}, "24,501"},
                      ConsultaCase{"SELECT count(*) FROM persona WHERE activo", {}, "2"},
                      ConsultaCase{"SELECT nacido FROM persona WHERE pers_rut = ?", {11111111}, "20-08-1778"},
                      ConsultaCase{"SELECT activo FROM persona WHERE pers_rut = ?", {22222222}, "False"},
                      ConsultaCase{"SELECT pers_nombre FROM persona ORDER BY pers_rut DESC", {}, "Manuel Rodríguez"}));

TEST_F(UtilBbdd, ConsultaFailuresReadEmptyAndAreReported)
{
    EXPECT_EQ(Consulta(path, QStringLiteral("SELECT nada FROM persona")), QString());
    EXPECT_TRUE(UltimoErrorBBDD().isValid());
    EXPECT_EQ(Consulta(path, QStringLiteral("SELECT 1")), QStringLiteral("1"));
    EXPECT_FALSE(UltimoErrorBBDD().isValid());
    EXPECT_EQ(Consulta(dir.filePath(QStringLiteral("nada.db")), QStringLiteral("SELECT 1")), QString());
    EXPECT_EQ(UltimoErrorBBDD().file, dir.filePath(QStringLiteral("nada.db")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("nada.db"))));
    EXPECT_EQ(Consulta(static_cast<Connection *>(nullptr), QStringLiteral("SELECT 1")), QString());
    Connection closed;
    EXPECT_EQ(Consulta(&closed, QStringLiteral("SELECT 1")), QString());
    // The look-up connection is read-only.
    EXPECT_EQ(Consulta(path, QStringLiteral("DELETE FROM persona RETURNING pers_rut")), QString());
    EXPECT_EQ(Consulta(path, QStringLiteral("SELECT count(*) FROM persona")), QStringLiteral("3"));
}

TEST_F(UtilBbdd, Consulta2And3)
{
    EXPECT_EQ(Consulta2(path, QStringLiteral("SELECT pers_fono FROM persona ORDER BY pers_rut")),
              (QStringList{QStringLiteral("555"), QStringLiteral("777")}));
    EXPECT_TRUE(Consulta2(path, QStringLiteral("SELECT pers_fono FROM persona WHERE pers_rut = ?"), {99}).isEmpty());
    const QList<QStringList> filas =
        Consulta3(path, QStringLiteral("SELECT pers_rut, pers_fono, sup FROM persona WHERE pers_rut < ? ORDER BY pers_rut"), {30000000});
    ASSERT_EQ(filas.size(), 2);
    EXPECT_EQ(filas[0], (QStringList{QStringLiteral("11111111"), QString(), QStringLiteral("12,5")}));
    EXPECT_EQ(filas[1], (QStringList{QStringLiteral("22222222"), QStringLiteral("555"), QStringLiteral("12")}));
    EXPECT_TRUE(Consulta3(path, QStringLiteral("SELECT * FROM persona WHERE 0")).isEmpty());
}

TEST_F(UtilBbdd, Asercion)
{
    EXPECT_FALSE(Asercion(path, QStringLiteral("FROM persona WHERE pers_rut = ?"), {99}));
    EXPECT_TRUE(Asercion(path, QStringLiteral("FROM persona WHERE pers_rut = ?"), {22222222}));
    EXPECT_TRUE(Asercion(path, QStringLiteral("FROM persona WHERE pers_nombre = ?"), {QStringLiteral("Bernardo O'Higgins")}));
    EXPECT_FALSE(Asercion(path, QStringLiteral("FROM nada")));
    Connection conn;
    ASSERT_TRUE(conn.open(path));
    EXPECT_TRUE(Asercion(&conn, QStringLiteral("FROM persona")));
    EXPECT_FALSE(Asercion(static_cast<Connection *>(nullptr), QStringLiteral("FROM persona")));
}

TEST_F(UtilBbdd, OperacionReportsRowsNotSuccess)
{
    ScriptedDialogs dialogs;
    EXPECT_FALSE(Operacion(path, QStringLiteral("UPDATE persona SET pers_fono = ? WHERE pers_rut = ?"), {QStringLiteral("O'Ñ"), 11111111}));
    EXPECT_FALSE(UltimoErrorBBDD().isValid());
    EXPECT_EQ(Consulta(path, QStringLiteral("SELECT pers_fono FROM persona WHERE pers_rut = 11111111")), QStringLiteral("O'Ñ"));
    EXPECT_TRUE(Operacion(path, QStringLiteral("SELECT * FROM persona")));
    EXPECT_FALSE(Operacion(path, QStringLiteral("SELECT * FROM persona WHERE 0")));
    EXPECT_TRUE(dialogs.boxes.isEmpty());

    EXPECT_FALSE(Operacion(path, QStringLiteral("UPDATE nada SET x = 1"), false));
    EXPECT_TRUE(UltimoErrorBBDD().isValid());
    EXPECT_TRUE(dialogs.boxes.isEmpty());

    EXPECT_FALSE(Operacion(path, QStringLiteral("UPDATE nada SET x = 1")));
    ASSERT_EQ(dialogs.boxes.size(), 1);
    EXPECT_EQ(dialogs.boxes[0].tipo, mtCustom);
    EXPECT_EQ(dialogs.boxes[0].texto, QStringLiteral("Error en ejecución de sentencia SQL:\n\nUPDATE nada SET x = 1"));

    // A statement never creates a missing database file.
    EXPECT_FALSE(Operacion(dir.filePath(QStringLiteral("nada.db")), QStringLiteral("CREATE TABLE t (a)"), false));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("nada.db"))));

    Connection conn;
    EXPECT_FALSE(Operacion(&conn, QStringLiteral("SELECT 1")));
    ASSERT_TRUE(conn.open(path));
    EXPECT_FALSE(Operacion(&conn, QStringLiteral("DELETE FROM persona WHERE pers_rut = ?"), {33333333}));
    EXPECT_FALSE(UltimoErrorBBDD().isValid());
    EXPECT_EQ(Consulta(&conn, QStringLiteral("SELECT count(*) FROM persona")), QStringLiteral("2"));
    EXPECT_EQ(dialogs.boxes.size(), 1);
}

TEST_F(UtilBbdd, RefrescarADSOnAFilteredDatasetEndsOnItsFirstRecord)
{
    Connection conn;
    Table t;
    openPersona(conn, t);
    ASSERT_TRUE(t.Active());
    ASSERT_TRUE(t.setFilter(QStringLiteral("activo = true")));
    t.setFiltered(true);
    t.Last();
    ASSERT_TRUE(RefrescarADS(&t));
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_EQ(t.FieldByName(QStringLiteral("pers_rut"))->AsInteger(), 11111111);

    t.setFiltered(false);
    t.setRecNo(2);
    t.Edit();
    t.FieldByName(QStringLiteral("pers_fono"))->setAsString(QStringLiteral("999"));
    Operacion(&conn, QStringLiteral("UPDATE persona SET pers_nombre = 'x' WHERE pers_rut = 22222222"));
    ASSERT_TRUE(RefrescarADS(&t));
    EXPECT_EQ(t.State(), DatasetState::Browse);
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_EQ(ValorRS(&t, QStringLiteral("PERS_NOMBRE")), QStringLiteral("x"));
    EXPECT_EQ(ValorRS(&t, QStringLiteral("pers_fono")), QStringLiteral("555"));
    EXPECT_EQ(ValorRS(&t, QStringLiteral("nada")), QString());
    EXPECT_EQ(ValorRS(nullptr, QStringLiteral("pers_fono")), QString());
}

TEST_F(UtilBbdd, RefrescarADTPostsEveryRecordFromTheLast)
{
    Connection conn;
    Table t;
    openPersona(conn, t);
    QList<qint64> posted;
    t.BeforePost = [&posted](Dataset *ds) { posted.append(ds->FieldByName(QStringLiteral("pers_rut"))->AsInteger()); };
    ASSERT_TRUE(RefrescarADT(&t));
    EXPECT_EQ(posted, (QList<qint64>{33333333, 22222222, 11111111}));
    EXPECT_TRUE(t.Active());
    t.BeforePost = [](Dataset *) { Abort(); };
    EXPECT_THROW(RefrescarADT(&t), EAbort);
}

TEST_F(UtilBbdd, ConnectionHelpers)
{
    Connection conn;
    Table t;
    t.setTableName(QStringLiteral("persona"));
    t.setConnection(&conn);
    EXPECT_FALSE(setArchivoADO(nullptr, path));
    EXPECT_FALSE(setArchivoADO(&conn, dir.filePath(QStringLiteral("nada.db"))));
    ASSERT_TRUE(setArchivoADO(&conn, path));
    t.Last();
    DesactivarADO(&conn);
    EXPECT_FALSE(conn.isOpen());
    EXPECT_FALSE(t.Active());
    ASSERT_TRUE(ActivarADO(&conn));
    EXPECT_TRUE(conn.isOpen());
    EXPECT_FALSE(t.Active()); // a closed dataset stays closed
    ASSERT_TRUE(t.Open());
    t.Last();
    ASSERT_TRUE(AbreCierraADT(&t));
    EXPECT_EQ(t.RecNo(), 1);
}

TEST_F(UtilBbdd, CopiarCampo)
{
    Connection conn;
    ASSERT_TRUE(conn.open(path));
    ASSERT_TRUE(conn.execScript(QStringLiteral("CREATE TABLE d (sup DOUBLE, sup_calc DOUBLE, pers_nombre VARCHAR(5), pers_nombre_look VARCHAR(50));"
                                               "INSERT INTO d (sup) VALUES (2.5);")));
    Table origen, destino;
    origen.setTableName(QStringLiteral("persona"));
    destino.setTableName(QStringLiteral("d"));
    origen.setConnection(&conn);
    destino.setConnection(&conn);
    ASSERT_TRUE(origen.Open());
    ASSERT_TRUE(destino.Open());
    destino.Edit();
    EXPECT_TRUE(CopiarCampo(&origen, QStringLiteral("sup"), &destino, QStringLiteral("sup")));
    EXPECT_EQ(destino.FieldByName(QStringLiteral("sup"))->AsFloat(), 12.5);
    EXPECT_TRUE(CopiarCampo(&origen, QStringLiteral("pers_nombre"), &destino, QStringLiteral("pers_nombre")));
    EXPECT_EQ(destino.FieldByName(QStringLiteral("pers_nombre"))->AsString(), QStringLiteral("Berna"));
    EXPECT_FALSE(CopiarCampo(&origen, QStringLiteral("pers_nombre"), &destino, QStringLiteral("sup")));
    EXPECT_TRUE(CopiarCampoCalc(&destino, QStringLiteral("sup")));
    EXPECT_EQ(destino.FieldByName(QStringLiteral("sup_calc"))->AsString(), QStringLiteral("12,5"));
    EXPECT_TRUE(CopiarCampoLook(&destino, QStringLiteral("pers_nombre")));
    EXPECT_EQ(destino.FieldByName(QStringLiteral("pers_nombre_look"))->AsString(), QStringLiteral("Berna"));
    EXPECT_FALSE(CopiarCampo(nullptr, QStringLiteral("sup"), &destino, QStringLiteral("sup")));
    EXPECT_THROW(CopiarCampo(&origen, QStringLiteral("nada"), &destino, QStringLiteral("sup")), DatasetError);
}

struct DigitoCase
{
    const char *numero;
    char16_t digito;
};

class Digito : public ::testing::TestWithParam<DigitoCase>
{
};

TEST_P(Digito, CheckDigit)
{
    EXPECT_EQ(DigitoVerificador(QString::fromLatin1(GetParam().numero)), QChar(GetParam().digito)) << GetParam().numero;
}

INSTANTIATE_TEST_SUITE_P(Cases, Digito,
                         ::testing::Values(DigitoCase{"11111111", u'1'}, DigitoCase{"", u'0'}, DigitoCase{"0", u'0'},
                                           DigitoCase{"12345678", u'5'}, DigitoCase{"6", u'K'}, DigitoCase{"22222222", u'2'},
                                           DigitoCase{"76354771", u'K'}, DigitoCase{"1234a678", u'\0'}, DigitoCase{"12.345.678", u'\0'},
                                           DigitoCase{" 12345678", u'\0'}));

TEST(Redondeo, HalvesAwayFromZero)
{
    EXPECT_EQ(Redondea(2.5), 3);
    EXPECT_EQ(Redondea(-2.5), -3);
    EXPECT_EQ(Redondea(2.4999), 2);
    EXPECT_EQ(Redondea(-0.4), 0);
    EXPECT_EQ(Redondea(0.0), 0);
    EXPECT_EQ(Redondea(1e300), std::numeric_limits<qint64>::max());
    EXPECT_EQ(Redondea(std::nan("")), 0);
    EXPECT_DOUBLE_EQ(RedondeaSegundoDecimal(1.005), 1.0); // 1.005 * 100 is 100.49999...
    EXPECT_DOUBLE_EQ(RedondeaSegundoDecimal(2.675), 2.68);
    EXPECT_DOUBLE_EQ(RedondeaSegundoDecimal(-1.235), -1.24);
}

TEST(TipoSeleccionMultiple, FourteenKindsInOrder)
{
    EXPECT_EQ(tsmNinguno, 0);
    EXPECT_EQ(tsmEspecieKELU, 7);
    EXPECT_EQ(tsmEspecieMARPO, 10);
    EXPECT_EQ(tsmEspecieHARPE, 13);
}

TEST_F(UtilBbdd, RefreshFromAfterPostAndAfterDeleteKeepsThePosition)
{
    Connection conn;
    Table t;
    openPersona(conn, t);
    // The framework binds this pair to every dataset of a form.
    t.AfterPost = [](Dataset *ds) { RefrescarADS(ds); };
    t.AfterDelete = [](Dataset *ds) { RefrescarADS(ds); };
    t.setRecNo(2);
    t.Edit();
    t.FieldByName(QStringLiteral("pers_fono"))->setAsString(QStringLiteral("123"));
    ASSERT_TRUE(t.Post());
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_EQ(t.FieldByName(QStringLiteral("pers_fono"))->AsString(), QStringLiteral("123"));
    t.Append();
    t.FieldByName(QStringLiteral("pers_rut"))->setAsInteger(44444444);
    ASSERT_TRUE(t.Post());
    EXPECT_EQ(t.RecordCount(), 4);
    EXPECT_EQ(t.RecNo(), 4);
    ASSERT_TRUE(t.Delete());
    EXPECT_EQ(t.RecordCount(), 3);
    EXPECT_EQ(t.RecNo(), 3);
    EXPECT_EQ(t.State(), DatasetState::Browse);
}
