// The lookup kinds: every kind fills a grid column from the seeded main database, and
// every multi-selection kind lists items there.
#include "entrada/consultaseleccionmultiple.h"
#include "entrada/ttipocomboexterno.h"

#include "connection.h"
#include "dbcombobox.h"
#include "dbgrid.h"
#include "entrada/ventanaentrada.h"
#include "gridcolumn.h"
#include "scripteddialogs.h"
#include "util_bbdd.h"

#include <QDate>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ListaCombo : public ::testing::TestWithParam<int>
{
};

TEST_P(ListaCombo, LlenaLaColumnaDesdeLaBaseSembrada)
{
    ScriptedDialogs dialogos;
    VentanaEntrada ventana;
    ventana.DirAplicacion = DirProgramaConstruido();
    DBGrid grilla;
    grilla.setObjectName(QStringLiteral("dbgPrueba"));
    GridColumn *columna = grilla.addColumn(QStringLiteral("cod"));
    const auto tipo = TTipoComboExterno(GetParam());
    ASSERT_TRUE(ventana.ComboExterno(&grilla, QStringLiteral("COD"), tipo)) << dialogos.textos().join(QString()).toStdString();
    EXPECT_TRUE(dialogos.boxes.isEmpty());
    EXPECT_FALSE(columna->KeyList().isEmpty());
    EXPECT_EQ(columna->KeyList().size(), columna->PickList().size());
    EXPECT_TRUE(columna->AutoDropDown());
    // A list with an "other" entry is one whose column takes free descriptions.
    bool conOtro = false;
    for (const QString &d : columna->PickList())
        conOtro = conOtro || EsEntradaOtro(d);
    EXPECT_EQ(ventana.ColumnasOtro.contains(columna), conOtro);
    EXPECT_EQ(bool(columna->OnUpdateData), conOtro);
}

INSTANTIATE_TEST_SUITE_P(Tipos, ListaCombo, ::testing::Range(0, kCantidadTiposCombo),
                         [](const auto &info) { return NombreTipoCombo(TTipoComboExterno(info.param)).toStdString(); });

TEST(TipoComboExterno, NombresEnSuOrden)
{
    EXPECT_EQ(kCantidadTiposCombo, 108);
    const std::pair<TTipoComboExterno, const char *> casos[] = {
        {tceVariablesClimaticas, "tceVariablesClimaticas"}, {tceRegeneracionAlerce, "tceRegeneracionAlerce"},
        {tceSintomas, "tceSintomas"},                       {tceTipoResolucionZURI, "tceTipoResolucionZURI"},
        {tceAnosActual, "tceAnosActual"},                   {tceActividadDALU, "tceActividadDALU"}};
    for (const auto &[tipo, nombre] : casos)
        EXPECT_EQ(NombreTipoCombo(tipo), QLatin1String(nombre));
    EXPECT_EQ(int(tceSintomas), 69);
    EXPECT_EQ(int(tceAnosActual), 88);
}

TEST(TipoComboExterno, EntradasOtro)
{
    for (const char *s : {"OTRO", "OTROS", "OTRA", "OTRAS", "OTRAS (INDICAR)", "OTRAS CORTAS"})
        EXPECT_TRUE(EsEntradaOtro(QLatin1String(s))) << s;
    for (const char *s : {"Otro", "OTRO ", "OTRAS ESPECIES", ""})
        EXPECT_FALSE(EsEntradaOtro(QLatin1String(s))) << s;
}

TEST(TipoComboExterno, AnosHastaElAnoEnCurso)
{
    const int ano = QDate::currentDate().year();
    const ConsultaLista c = ConsultaTipoCombo(tceAnosActual, ano);
    const QList<QStringList> filas = Consulta3(DirProgramaConstruido() + QStringLiteral("bbdd/bd.db"), c.sql, c.params);
    ASSERT_FALSE(filas.isEmpty());
    EXPECT_EQ(filas.last().at(0), QString::number(ano));
    EXPECT_EQ(Consulta3(DirProgramaConstruido() + QStringLiteral("bbdd/bd.db"), c.sql, {1990}).last().at(0), QStringLiteral("1990"));
}

TEST(TipoComboExterno, FaunaSinNombreComunSigueEnLasListas)
{
    QTemporaryDir dir;
    Connection bd;
    ASSERT_TRUE(bd.open(dir.filePath(QStringLiteral("fauna.db")), Connection::ReadWriteCreate));
    ASSERT_TRUE(bd.execScript(QStringLiteral(
        "CREATE TABLE fauna (faun_codigo INTEGER, faun_descripcion VARCHAR(80), faun_nombrecomun VARCHAR(80));"
        "INSERT INTO fauna VALUES (1, 'Pudu puda', 'Pudú'), (2, 'Lycalopex fulvipes', NULL);")));
    const QStringList esperado{QStringLiteral("Lycalopex fulvipes () "), QStringLiteral("Pudu puda (Pudú) ")};
    EXPECT_EQ(Consulta2(&bd, ConsultaSeleccionMultiple(tsmFauna, true, 2026).sql), esperado);
    const QList<QStringList> combo = Consulta3(&bd, ConsultaTipoCombo(tceFauna, 2026).sql);
    ASSERT_EQ(combo.size(), 2);
    EXPECT_EQ(combo.at(0), (QStringList{QStringLiteral("2"), esperado.at(0)}));
    EXPECT_EQ(combo.at(1), (QStringList{QStringLiteral("1"), esperado.at(1)}));
}

TEST(TipoComboExterno, ComboBoxSinOtro)
{
    ScriptedDialogs dialogos;
    VentanaEntrada ventana;
    ventana.DirAplicacion = DirProgramaConstruido();
    DBComboBox combo;
    ASSERT_TRUE(ventana.ComboExterno(&combo, tceUsoActual));
    EXPECT_TRUE(combo.Items().contains(QStringLiteral("OTRO")));
    EXPECT_EQ(combo.Items().size(), combo.KeyItems().size());
    EXPECT_TRUE(ventana.ColumnasOtro.isEmpty());
}

TEST(TipoComboExterno, FallasDeProgramacionNombranGrillaYCampo)
{
    ScriptedDialogs dialogos;
    VentanaEntrada ventana;
    // A program directory without the main database gives empty lists.
    ventana.DirAplicacion = QStringLiteral("/nonexistent/");
    DBGrid grilla;
    grilla.setObjectName(QStringLiteral("dbgKELU_desc"));
    grilla.addColumn(QStringLiteral("est"));
    EXPECT_FALSE(ventana.ComboExterno(&grilla, QStringLiteral("est"), tceEstadoSanitario));
    EXPECT_TRUE(dialogos.textos().last().startsWith(
        QStringLiteral("Combo de \"dbgKELU_desc\" en columna \"est\" no puede ser llenado (consulta de llenado no entrega valores)")));
    EXPECT_FALSE(ventana.ComboExterno(&grilla, QStringLiteral("nada"), tceEstadoSanitario));
    EXPECT_TRUE(dialogos.textos().last().startsWith(
        QStringLiteral("Campo \"nada\" no pudo ser encontrado en grilla \"dbgKELU_desc\" para despliegue como combo")));
    DBComboBox combo;
    combo.setObjectName(QStringLiteral("cbo_tes"));
    EXPECT_FALSE(ventana.ComboExterno(&combo, tceTesoreria));
    EXPECT_TRUE(dialogos.textos().last().startsWith(
        QStringLiteral("Combo de \"cbo_tes\" no puede ser llenado (consulta de llenado no entrega valores)")));
}

class ListaSeleccion : public ::testing::TestWithParam<int>
{
};

TEST_P(ListaSeleccion, ListaElementosEnLaBaseSembrada)
{
    const auto tipo = TTipoSeleccionMultiple(GetParam());
    const int ano = QDate::currentDate().year();
    const ConsultaLista grilla = ConsultaSeleccionMultiple(tipo, true, ano);
    const ConsultaLista edit = ConsultaSeleccionMultiple(tipo, false, ano);
    if (tipo == tsmNinguno) {
        EXPECT_TRUE(grilla.sql.isEmpty() && edit.sql.isEmpty());
        return;
    }
    // Flora and fauna are offered in grids only.
    EXPECT_EQ(edit.sql.isEmpty(), tipo == tsmFlora || tipo == tsmFauna);
    Connection bd;
    ASSERT_TRUE(bd.open(DirProgramaConstruido() + QStringLiteral("bbdd/bd.db"), Connection::ReadOnly));
    for (const ConsultaLista &c : {grilla, edit}) {
        if (c.sql.isEmpty())
            continue;
        const QStringList items = Consulta2(&bd, c.sql, c.params);
        EXPECT_FALSE(UltimoErrorBBDD().isValid()) << UltimoErrorBBDD().text().toStdString();
        EXPECT_FALSE(items.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Tipos, ListaSeleccion, ::testing::Range(0, kCantidadTiposSeleccionMultiple),
                         [](const auto &info) { return NombreSeleccionMultiple(TTipoSeleccionMultiple(info.param)).toStdString(); });

} // namespace
