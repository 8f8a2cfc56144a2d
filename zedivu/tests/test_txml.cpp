#include "xml/txml.h"

#include "xml/xmlerror.h"

#include "connection.h"
#include "datasource.h"
#include "dbgrid.h"
#include "gridcolumn.h"
#include "query.h"
#include "table.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kMainDb = QStringLiteral(BRENVIK_BIN_DIR "/bbdd/bd.db");

QByteArray golden(const char *name)
{
    QFile f(QStringLiteral(BRENVIK_TEST_DIR "/txml/") + QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

// Shows CR and non-ASCII bytes, so that a failing comparison says where.
std::string visible(const QByteArray &bytes)
{
    std::string s;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            s += "\\r";
        else if (u >= 0x80)
            s += "\\x" + QByteArray::number(u, 16).toStdString();
        else
            s += c;
    }
    return s;
}

#define EXPECT_BYTES(actual, expected) EXPECT_EQ(visible(actual), visible(expected))

// ISO-8859-1 bytes of a UTF-8 literal, with every "\n" turned into CR LF.
QByteArray latin1(const char *utf8)
{
    return QString::fromUtf8(utf8).toLatin1().replace("\n", "\r\n");
}

class TxmlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(trabajo.open(dir.filePath(QStringLiteral("trabajo.db")), Connection::ReadWriteCreate));
        ASSERT_TRUE(trabajo.execScript(QStringLiteral(
            "CREATE TABLE rol (id INTEGER PRIMARY KEY, numero VARCHAR(20), sup DOUBLE, fecha DATETIME, activo BOOLEAN,"
            "                  esp VARCHAR(200), fauna VARCHAR(200), tipo INTEGER, obs TEXT);"
            "INSERT INTO rol VALUES (1, 'r-1', 12.5, '2024-12-31 00:00:00', 1,"
            "  'Pino radiata (Pinus radiata), Eucalipto (Eucalyptus globulus)', 'Pudu puda (Pudú) ', 3, NULL);"
            "INSERT INTO rol VALUES (2, 'r-2', 12, NULL, 0, NULL, NULL, -1, '');"
            "INSERT INTO rol VALUES (3, 'ñandú', 0.001, '2025-01-05 10:30:00', NULL, 'Nadie sabe', NULL, NULL, '   ');"
            "CREATE TABLE hijo (id INTEGER PRIMARY KEY, rol INTEGER, nombre VARCHAR(20));"
            "INSERT INTO hijo VALUES (1, 1, 'a'), (2, 1, 'b'), (3, 2, 'c');")))
            << trabajo.lastError().text().toStdString();
        ASSERT_TRUE(principal.open(kMainDb, Connection::ReadOnly)) << principal.lastError().text().toStdString();
        roles.setConnection(&trabajo);
    }

    // The rol rows with id up to `hasta`, in id order.
    Query &rolesHasta(int hasta)
    {
        roles.setObjectName(QStringLiteral("adsRol"));
        roles.setSQL(QStringLiteral("SELECT * FROM rol WHERE id <= ? ORDER BY id"), {hasta});
        EXPECT_TRUE(roles.Open()) << roles.lastError().text().toStdString();
        return roles;
    }

    QTemporaryDir dir;
    Connection trabajo;
    Connection principal;
    Query roles;
};

// --- repeating nodes

class RepeatingNode : public TxmlTest, public ::testing::WithParamInterface<std::pair<int, const char *>>
{
};

TEST_P(RepeatingNode, OneElementPerRecordWithChildrenInRegistrationOrder)
{
    TXML xml(&principal);
    xml.Limpiar();
    xml.AbrirNodo(QStringLiteral("predio"));
    xml.Hijo(QStringLiteral("nombre"), QStringLiteral(" Fundo El Roble "));
    xml.AbrirNodo(QStringLiteral("rol"), &rolesHasta(GetParam().first));
    xml.HijoCampo(QStringLiteral("numero"), QStringLiteral("numero"));
    xml.HijoCampo(QStringLiteral("superficie"), QStringLiteral("sup"));
    xml.HijoCampo(QStringLiteral("fecha"), QStringLiteral("fecha"));
    xml.HijoCampo(QStringLiteral("activo"), QStringLiteral("activo"));
    xml.CerrarNodo();
    xml.CerrarNodo();
    EXPECT_BYTES(xml.Texto(), golden(GetParam().second));
    EXPECT_EQ(xml.Profundidad(), 0);
}

INSTANTIATE_TEST_SUITE_P(Records, RepeatingNode,
                         ::testing::Values(std::pair{3, "repetido_3.xml"}, std::pair{1, "repetido_1.xml"},
                                           std::pair{0, "repetido_0.xml"}));

// No record, no element: a fixed child (a unit type, a running number) of a node over an
// empty dataset made up an element the data do not hold; its siblings stay.
TEST_F(TxmlTest, RepeatingNodeOverNoRecordWritesNothingEvenWithFixedChildren)
{
    for (int hasta : {0, 1}) {
        TXML xml(&principal);
        xml.Limpiar();
        xml.AbrirNodo(QStringLiteral("predio"));
        xml.Hijo(QStringLiteral("nombre"), QStringLiteral(" Fundo El Roble "));
        xml.AbrirNodo(QStringLiteral("rol"), &rolesHasta(hasta));
        xml.HijoCampo(QStringLiteral("numero"), QStringLiteral("numero"));
        xml.Hijo(QStringLiteral("tipo_unidad"), QStringLiteral("1"));
        xml.HijoSecuencia(QStringLiteral("orden"));
        xml.CerrarNodo();
        xml.Hijo(QStringLiteral("estado"), 1);
        xml.CerrarNodo();
        const QByteArray texto = xml.Texto();
        EXPECT_EQ(texto.contains("<ROL>"), hasta > 0) << texto.constData();
        EXPECT_EQ(texto.contains("<ROL.TIPO_UNIDAD>1</ROL.TIPO_UNIDAD>"), hasta > 0);
        EXPECT_TRUE(texto.contains("<PREDIO.NOMBRE>Fundo El Roble</PREDIO.NOMBRE>\r\n    <PREDIO.ESTADO>1</PREDIO.ESTADO>")
                    || hasta > 0)
            << texto.constData();
        EXPECT_EQ(xml.Profundidad(), 0);
        roles.Close();
    }
}

TEST_F(TxmlTest, NestedRepeatingNodeRepeatsOnlyInTheOuterFirstRecord)
{
    Table hijos;
    hijos.setConnection(&trabajo);
    hijos.setTableName(QStringLiteral("hijo"));
    ASSERT_TRUE(hijos.Open());

    TXML xml(&principal);
    xml.AbrirNodo(QStringLiteral("FORMULARIO"));
    xml.AbrirNodo(QStringLiteral("ROL"), &rolesHasta(2));
    xml.HijoCampo(QStringLiteral("NUMERO"), QStringLiteral("numero"));
    xml.AbrirNodo(QStringLiteral("HIJO"), &hijos);
    xml.HijoCampo(QStringLiteral("NOMBRE"), QStringLiteral("nombre"));
    xml.HijoSecuencia(QStringLiteral("ORDEN"));
    xml.CerrarNodo();
    xml.AbrirNodo(QStringLiteral("DATOS"));
    xml.Hijo(QStringLiteral("X"), 7);
    xml.CerrarNodo();
    xml.Hijo(QStringLiteral("TIPO"), QStringLiteral("1"));
    xml.CerrarNodo();
    // FORMULARIO stays open: the text holds the document as it stands.
    EXPECT_BYTES(xml.Texto(), golden("anidado.xml"));
    EXPECT_EQ(xml.Contador(), 4);
}

// The running number kept counting across exports, so unchanged data gave another hash.
TEST_F(TxmlTest, ExportingTwiceGivesTheSameTextAndHash)
{
    TXML xml(&principal);
    auto exportar = [&] {
        xml.Limpiar();
        xml.AbrirNodo(QStringLiteral("ACTIVIDAD"), &rolesHasta(3));
        xml.HijoSecuencia(QStringLiteral("ACSO_NUMERO"));
        xml.Hijo(QStringLiteral("ESAC_CODIGO"), QStringLiteral("1"));
        xml.CerrarNodo();
        return std::pair{xml.Texto(), xml.Hash()};
    };
    const auto primero = exportar();
    const auto segundo = exportar();
    EXPECT_BYTES(primero.first, latin1("<ACTIVIDAD>\n    <ACTIVIDAD.ACSO_NUMERO>1</ACTIVIDAD.ACSO_NUMERO>\n"
                                       "    <ACTIVIDAD.ESAC_CODIGO>1</ACTIVIDAD.ESAC_CODIGO>\n</ACTIVIDAD>\n"
                                       "<ACTIVIDAD>\n    <ACTIVIDAD.ACSO_NUMERO>2</ACTIVIDAD.ACSO_NUMERO>\n"
                                       "    <ACTIVIDAD.ESAC_CODIGO>1</ACTIVIDAD.ESAC_CODIGO>\n</ACTIVIDAD>\n"
                                       "<ACTIVIDAD>\n    <ACTIVIDAD.ACSO_NUMERO>3</ACTIVIDAD.ACSO_NUMERO>\n"
                                       "    <ACTIVIDAD.ESAC_CODIGO>1</ACTIVIDAD.ESAC_CODIGO>\n</ACTIVIDAD>\n"));
    EXPECT_BYTES(segundo.first, primero.first);
    EXPECT_EQ(segundo.second, primero.second);
}

// A literal registered in a repeating node was read back as a field name or the running
// number when it looked like one, and a column-coded literal as a field name.
TEST_F(TxmlTest, LiteralsInARepeatingNodeStayLiterals)
{
    TXML xml(&principal);
    xml.AbrirNodo(QStringLiteral("R"), &rolesHasta(2));
    xml.Hijo(QStringLiteral("A"), QStringLiteral("#"));
    xml.Hijo(QStringLiteral("B"), QStringLiteral("@numero"));
    xml.Hijo(QStringLiteral("C"), QStringLiteral("4"), TColumnaXML({QStringLiteral("4")}, {QStringLiteral("cuatro")}));
    xml.CerrarNodo();
    const QByteArray registro = latin1("<R>\n    <R.A>#</R.A>\n    <R.B>@numero</R.B>\n    <R.C>4</R.C>\n</R>\n");
    EXPECT_BYTES(xml.Texto(), registro + registro);
}

// --- the field rule

TEST_F(TxmlTest, SpeciesListGivesOneCodeElementPerNameInOrder)
{
    rolesHasta(3);
    TXML xml(&principal);
    xml.AbrirNodo(QStringLiteral("RODAL"));
    xml.ImprimirTag(QStringLiteral("ESPECIE"), roles.FieldByName(QStringLiteral("esp")), tsmEspecieKELU);
    xml.Hijo(QStringLiteral("FLORA"), roles.FieldByName(QStringLiteral("esp")), tsmFlora);
    xml.CerrarNodo();
    EXPECT_BYTES(xml.Texto(), latin1("<RODAL>\n    <RODAL.ESPECIE>1</RODAL.ESPECIE>\n    <RODAL.ESPECIE>2</RODAL.ESPECIE>\n"
                                     "    <RODAL.FLORA>1</RODAL.FLORA>\n    <RODAL.FLORA>2</RODAL.FLORA>\n</RODAL>\n"));
}

TEST_F(TxmlTest, UnknownSpeciesAndNullFieldsWriteNothing)
{
    TXML xml(&principal);
    xml.AbrirNodo(QStringLiteral("RODAL"), &rolesHasta(3));
    xml.HijoCampo(QStringLiteral("ESPECIE"), QStringLiteral("esp"), tsmEspecie);
    xml.HijoCampo(QStringLiteral("FAUNA"), QStringLiteral("fauna"), tsmFauna);
    xml.CerrarNodo();
    // Record 2 has neither value (its element is left out); record 3 names no known species.
    EXPECT_BYTES(xml.Texto(), latin1("<RODAL>\n    <RODAL.ESPECIE>1</RODAL.ESPECIE>\n    <RODAL.ESPECIE>2</RODAL.ESPECIE>\n"
                                     "    <RODAL.FAUNA>1</RODAL.FAUNA>\n</RODAL>\n<RODAL>\n</RODAL>\n"));
}

TEST_F(TxmlTest, FaunaIsLookedUpByTheNameBeforeTheCommonName)
{
    rolesHasta(1);
    TXML xml(&principal);
    xml.AbrirNodo(QStringLiteral("RESTRICCION"));
    xml.Hijo(QStringLiteral("FAUNA"), roles.FieldByName(QStringLiteral("fauna")), tsmFauna);
    xml.CerrarNodo();
    EXPECT_BYTES(xml.Texto(), latin1("<RESTRICCION>\n    <RESTRICCION.FAUNA>1</RESTRICCION.FAUNA>\n</RESTRICCION>\n"));
}

TEST_F(TxmlTest, SpeciesNameWithAnApostropheIsLookedUpAsAValue)
{
    const QString copia = dir.filePath(QStringLiteral("bd.db"));
    ASSERT_TRUE(QFile::copy(kMainDb, copia));
    Connection bd;
    ASSERT_TRUE(bd.open(copia));
    ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO especie (espe_codigo, espe_descripcion) VALUES (?, ?)"),
                        {901, QStringLiteral(" Palma d'Ovalle ")}));
    ASSERT_TRUE(trabajo.exec(QStringLiteral("UPDATE rol SET esp = ? WHERE id = 1"),
                             {QStringLiteral("Palma d'Ovalle, x' OR '1'='1")}));
    rolesHasta(1);
    TXML xml(&bd);
    xml.AbrirNodo(QStringLiteral("R"));
    xml.ImprimirTag(QStringLiteral("E"), roles.FieldByName(QStringLiteral("esp")), tsmEspecie);
    xml.CerrarNodo();
    EXPECT_BYTES(xml.Texto(), latin1("<R>\n    <R.E>901</R.E>\n</R>\n"));
}

TEST_F(TxmlTest, FieldTextIsUpperCasedWithSpanishLettersAndLiteralsKeepTheirCase)
{
    ASSERT_TRUE(trabajo.exec(QStringLiteral("UPDATE rol SET obs = ? WHERE id = 1"), {QStringLiteral("  araucaria de ñuble y álamo ")}));
    rolesHasta(1);
    TXML xml(&principal);
    xml.AbrirNodo(QStringLiteral("n"));
    xml.Hijo(QStringLiteral("obs"), roles.FieldByName(QStringLiteral("obs")));
    xml.Hijo(QStringLiteral("lit"), QStringLiteral("ñandú"));
    xml.CerrarNodo();
    const QByteArray texto = xml.Texto();
    EXPECT_BYTES(texto, latin1("<N>\n    <N.OBS>ARAUCARIA DE ÑUBLE Y ÁLAMO</N.OBS>\n    <N.LIT>ñandú</N.LIT>\n</N>\n"));
    EXPECT_TRUE(texto.contains("\xD1UBLE Y \xC1LAMO"));
}

// --- empty elements

TEST_F(TxmlTest, BlankChildrenAreDroppedAndTheirParentKept)
{
    rolesHasta(3);
    roles.setRecNo(2);
    TXML xml(&principal);
    xml.AbrirNodo(QStringLiteral("PADRE"));
    xml.Hijo(QStringLiteral("VACIO"));
    xml.Hijo(QStringLiteral("BLANCOS"), QStringLiteral("   "));
    xml.ImprimirTag(QStringLiteral("TAMBIEN"), QStringLiteral("\t \r\n"));
    xml.AbrirNodo(QStringLiteral("SIN_HIJOS"));
    xml.CerrarNodo();
    xml.Hijo(QStringLiteral("OBS"), roles.FieldByName(QStringLiteral("obs"))); // '' : not even an empty element
    xml.CerrarNodo();
    xml.AbrirNodo(QStringLiteral("OTRO_PADRE"));
    xml.Hijo(QStringLiteral("OBS"), roles.FieldByName(QStringLiteral("obs")));
    xml.ImprimirTag(QStringLiteral("FECHA"), roles.FieldByName(QStringLiteral("fecha")), tsmNinguno);
    xml.CerrarNodo();
    EXPECT_BYTES(xml.Texto(), latin1("<PADRE>\n</PADRE>\n"));
}

// --- the column rule

struct ColumnCase
{
    const char *valor;
    const char *esperado;
    bool aviso;
};

class ColumnRule : public TxmlTest, public ::testing::WithParamInterface<ColumnCase>
{
};

TEST_P(ColumnRule, CodesAndOtherEntries)
{
    const TColumnaXML columna({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("99"), QStringLiteral("-1")},
                              {QStringLiteral("Uno"), QStringLiteral("Dos"), QStringLiteral("OTRO"), QStringLiteral(" roble quemado ")},
                              -99);
    TXML xml(&principal);
    xml.AbrirNodo(QStringLiteral("S"));
    xml.ImprimirTag(QStringLiteral("TIPO"), QString::fromUtf8(GetParam().valor), columna);
    xml.CerrarNodo();
    EXPECT_BYTES(xml.Texto(), latin1(GetParam().esperado));
    if (GetParam().aviso)
        EXPECT_EQ(xml.Avisos(),
                  QStringList{QStringLiteral("Para el registro TIPO Se había especificado un 'OTRO', pero ahora no se encuentra dicho valor")});
    else
        EXPECT_TRUE(xml.Avisos().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, ColumnRule,
    ::testing::Values(ColumnCase{"2", "<S>\n    <S.TIPO>2</S.TIPO>\n</S>\n", false},
                      ColumnCase{" 0 ", "<S>\n    <S.TIPO>0</S.TIPO>\n</S>\n", false},
                      ColumnCase{"-1", "<S>\n    <S.TIPO>99</S.TIPO>\n    <S.TIPO_OTRO>ROBLE QUEMADO</S.TIPO_OTRO>\n</S>\n", false},
                      ColumnCase{"-2", "<S>\n    <S.TIPO>99</S.TIPO>\n    <S.TIPO_OTRO>NO ESPECIFICADO</S.TIPO_OTRO>\n</S>\n", true},
                      ColumnCase{"", "", false}, ColumnCase{"  ", "", false}, ColumnCase{"dos", "", false},
                      ColumnCase{"2,5", "", false}));

TEST_F(TxmlTest, GridColumnCodedFieldInARepeatingNode)
{
    DataSource fuente;
    fuente.setDataSet(&rolesHasta(3));
    auto grilla = std::make_unique<DBGrid>();
    grilla->setDataSource(&fuente);
    GridColumn *columna = grilla->addColumn(QStringLiteral("tipo"));
    columna->setKeyList({QStringLiteral("3"), QStringLiteral("99"), QStringLiteral("-1")});
    columna->setPickList({QStringLiteral("Tres"), QStringLiteral("OTRO"), QStringLiteral("zarzamora")});
    columna->setMinWidth(-99);

    TXML xml(&principal);
    xml.AbrirNodo(QStringLiteral("R"), &roles);
    xml.HijoCampo(QStringLiteral("A"), QStringLiteral("tipo"), columna);
    xml.Hijo(QStringLiteral("B"), QStringLiteral("5"), static_cast<const GridColumn *>(nullptr));
    grilla.reset(); // the writer keeps what it needs of the column
    xml.CerrarNodo();
    EXPECT_BYTES(xml.Texto(), latin1("<R>\n    <R.A>3</R.A>\n    <R.B>5</R.B>\n</R>\n"
                                     "<R>\n    <R.A>99</R.A>\n    <R.A_OTRO>ZARZAMORA</R.A_OTRO>\n    <R.B>5</R.B>\n</R>\n"
                                     "<R>\n    <R.B>5</R.B>\n</R>\n"));
}

// --- text and hash

TEST_F(TxmlTest, TextIsEscapedAndEncodedInLatin1)
{
    TXML xml(&principal);
    xml.AbrirNodo(QStringLiteral("N"));
    xml.Hijo(QStringLiteral("A"), QStringLiteral("a<b & c>d \"e\" 'f' />"));
    xml.Hijo(QStringLiteral("B"), QString::fromUtf8("10 € — \xF0\x9F\x8C\xB2 ü"));
    xml.Hijo(QStringLiteral("C"), QStringLiteral("línea 1\r\nlínea 2\nlínea 3\x01"));
    xml.CerrarNodo();
    EXPECT_BYTES(xml.Texto(), latin1("<N>\n    <N.A>a&lt;b &amp; c&gt;d \"e\" 'f' /&gt;</N.A>\n"
                                     "    <N.B>10 &#8364; &#8212; &#127794; ü</N.B>\n"
                                     "    <N.C>línea 1\nlínea 2\nlínea 3</N.C>\n</N>\n"));
}

TEST_F(TxmlTest, HashIsTheUpperCaseMd5OfTheText)
{
    TXML xml(&principal);
    EXPECT_EQ(xml.Texto(), QByteArray());
    EXPECT_EQ(xml.Hash(), QStringLiteral("D41D8CD98F00B204E9800998ECF8427E"));
    EXPECT_EQ(TXML::HashDe("abc"), QStringLiteral("900150983CD24FB0D6963F7D28E17F72"));

    xml.AbrirNodo(QStringLiteral("N"));
    xml.Hijo(QStringLiteral("A"), QStringLiteral("valor"));
    EXPECT_EQ(xml.Hash(), TXML::HashDe(xml.Texto()));
    TXML otro(&principal);
    otro.AbrirNodo(QStringLiteral("N"));
    otro.Hijo(QStringLiteral("A"), QStringLiteral("valor"));
    EXPECT_EQ(otro.Hash(), xml.Hash());
    otro.Limpiar();
    otro.AbrirNodo(QStringLiteral("N"));
    otro.Hijo(QStringLiteral("A"), QStringLiteral("valoR"));
    EXPECT_NE(otro.Hash(), xml.Hash());
}

// --- misuse

TEST_F(TxmlTest, MisuseThrowsWithTheMessageOfTheCheck)
{
    TXML xml(&principal);
    auto mensaje = [](const std::function<void()> &f) {
        try {
            f();
        } catch (const XmlError &e) {
            return e.message();
        }
        return QString();
    };
    xml.AbrirNodo(QStringLiteral("PREDIO"));
    EXPECT_TRUE(mensaje([&] { xml.HijoCampo(QStringLiteral("NOMBRE"), QStringLiteral("nom")); })
                    .startsWith(QStringLiteral("Dataset para nodo \"NOMBRE\" y campo \"nom\" es nil (Se está usando HijoCampo en vez de Hijo?) (txml.cpp, línea ")));
    xml.AbrirNodo(QStringLiteral("ROL"), &rolesHasta(3));
    EXPECT_TRUE(mensaje([&] { xml.HijoCampo(QStringLiteral("X"), QStringLiteral("nada")); })
                    .startsWith(QStringLiteral("El campo \"nada\" no existe para el tag \"ROL.X\"")));
    EXPECT_FALSE(mensaje([&] { xml.AbrirNodo(QStringLiteral("Y"), nullptr); }).isEmpty());
    xml.CerrarNodo();
    xml.CerrarNodo();
    EXPECT_FALSE(mensaje([&] { xml.CerrarNodo(); }).isEmpty());
}

} // namespace
