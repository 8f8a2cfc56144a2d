// The request form FERUN in a document with a principal form: what it shares with every
// request form (fill, write-back, replicas) and its own assignees of the bonus.
#include "documentosolicitud.h"

#include "datasource.h"
#include "dblookupcombobox.h"
#include "impresion/timpresion.h"
#include "impresion/tregistroimpresion.h"
#include "tpgpreview.h"

namespace {

class Ferun : public DocumentoSolicitud
{
protected:
    Ferun()
        : DocumentoSolicitud("FERUN")
    {
    }

    // An assignee row; false when its checks refused it.
    bool agregarCesionario(qint64 rut, const QString &digito, bool firma)
    {
        Dataset *ces = tabla("ces");
        EXPECT_TRUE(ces->Append());
        ces->FieldByName(QStringLiteral("rut"))->setAsInteger(rut);
        ces->FieldByName(QStringLiteral("dv"))->setAsString(digito);
        ces->FieldByName(QStringLiteral("pat"))->setAsString(QStringLiteral("Muñoz"));
        ces->FieldByName(QStringLiteral("nom"))->setAsString(QStringLiteral("Rosa"));
        ces->FieldByName(QStringLiteral("firm"))->setAsBoolean(firma);
        bool ok = false;
        if (!catchAbort([&] { ok = ces->Post(); }))
            ces->Cancel();
        return ok;
    }
};

} // namespace

TEST_F(Ferun, PicksAndWritesBackThePropertyLikeEveryRequestForm)
{
    elegir(7);
    EXPECT_EQ(campo("prv")->AsString(), QStringLiteral("131"));
    ASSERT_EQ(tabla("pro")->RecordCount(), 1);
    EXPECT_EQ(tabla("pro")->FieldByName(QStringLiteral("sexo"))->AsInteger(), 2);
    campo("nom_pre")->setAsString(QStringLiteral("El Roble Norte"));
    ASSERT_TRUE(guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(uno(QStringLiteral("SELECT pred_nombre FROM predio WHERE pred_codigo = 7")).toString(),
              QStringLiteral("El Roble Norte"));
    EXPECT_EQ(cuenta(QStringLiteral("coordenada"), QStringLiteral("pred_codigo = 7")), 1);
    EXPECT_EQ(cuenta(QStringLiteral("propietario"), QStringLiteral("pred_codigo = 7")), 1);
}

TEST_F(Ferun, AnAssigneeNeedsASurnameAndAValidRut)
{
    EXPECT_FALSE(agregarCesionario(12345678, QStringLiteral("0"), false));
    ASSERT_FALSE(dialogos.boxes.isEmpty());
    EXPECT_TRUE(dialogos.boxes.last().texto.contains(QStringLiteral("dígito verificador"))) << dialogos.boxes.last().texto.toStdString();
    EXPECT_TRUE(agregarCesionario(12345678, dv(12345678), false));
    EXPECT_EQ(tabla("ces")->RecordCount(), 1);
}

TEST_F(Ferun, AccreditationFormsFindTheParentsTablesAndLists)
{
    for (const char *sufijo : {"coo", "pro", "rep", "rol", "rol_con", "ces"})
        EXPECT_NE(ppal()->BuscarDataset(QStringLiteral("ferun"), QLatin1String(sufijo)), nullptr) << sufijo;
    DataSource *fuente = ppal()->BuscarDatasource(QStringLiteral("ferun"));
    ASSERT_NE(fuente, nullptr);
    for (const char *f : {"nom_pre", "sup", "sup_tit", "sup_sii", "via", "com", "prv", "reg", "ciu", "fec"})
        EXPECT_NE(fuente->DataSet()->FindField(QLatin1String(f)), nullptr) << f;
    for (const char *c : {"com", "prv", "reg", "fir"}) {
        auto *combo = new DBLookupComboBox(ppal());
        combo->setDataSource(nullptr, QLatin1String(c));
        ppal()->DatasourceExterno(combo, QStringLiteral("ferun"));
        EXPECT_NE(combo->ListSource(), nullptr) << c;
    }
}

TEST_F(Ferun, AssigneesArePrintedSignedAndExported)
{
    elegir(7);
    ASSERT_TRUE(agregarCesionario(12345678, dv(12345678), true));
    TPgPreview vista;
    TRegistroImpresion registro;
    TImpresion imp(&vista);
    imp.setRegistro(&registro);
    solicitud()->ComponerImpresion(&imp);
    EXPECT_NE(registro.Buscar(QStringLiteral("SOLICITUD DE PAGO DE BONIFICACIÓN FORESTAL, D.L. Nº 701, DE 1974")), nullptr);
    EXPECT_NE(registro.Buscar(QStringLiteral("4. CESIONARIO(A) O BENEFICIARIO(A)")), nullptr);
    EXPECT_NE(registro.Buscar(QStringLiteral("Muñoz")), nullptr);

    const QString xml = QString::fromLatin1(solicitud()->PrepararXML());
    EXPECT_TRUE(xml.contains(QStringLiteral("        <CESIONARIO>\r\n            <CESIONARIO.PERS_CODIGO>1</CESIONARIO.PERS_CODIGO>\r\n"
                                            "            <CESIONARIO.PERS_RUT>12345678</CESIONARIO.PERS_RUT>\r\n")))
        << xml.toStdString();
    EXPECT_TRUE(xml.contains(QStringLiteral("<CESIONARIO.PERS_PATERNO>MUÑOZ</CESIONARIO.PERS_PATERNO>")));
    EXPECT_TRUE(xml.endsWith(QStringLiteral("    </PREDIO>\r\n</FORMULARIO>\r\n")));
}
