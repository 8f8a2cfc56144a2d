// Stand or sector in the diagnosis rows; climatic variables and their sources.
#include "kelufixture.h"

using Reglas = KeluFixture;

TEST_F(Reglas, ADiagnosisRowNamesAStandOrASectorNeverBoth)
{
    rodalesYSector();
    for (const char *sufijo : {"fis", "hidr"}) {
        Dataset *ds = tabla(QLatin1String(sufijo));
        ds->Append();
        Field *num = ds->FieldByName(QStringLiteral("num"));
        Field *numSec = ds->FieldByName(QStringLiteral("num_sec"));
        num->setAsString(QStringLiteral("1"));
        numSec->setAsString(QStringLiteral("A"));
        EXPECT_TRUE(num->IsNull()) << sufijo;
        num->setAsString(QStringLiteral("2"));
        EXPECT_TRUE(numSec->IsNull()) << sufijo;
        // Clearing one leaves the other as it is.
        numSec->Clear();
        EXPECT_EQ(num->AsString(), QStringLiteral("2")) << sufijo;
        ds->Cancel();
    }
}

TEST_F(Reglas, AVariableBringsItsUnitAndOneSourceRow)
{
    ASSERT_TRUE(agregar(QStringLiteral("var_cli"), {{"var", "4"}, {"val", "1200"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT var, unidad FROM kelu_var_cli")), QStringList{QStringLiteral("4|22")});
    EXPECT_EQ(filas(QStringLiteral("SELECT var, fte FROM kelu_fte_inf")), QStringList{QStringLiteral("4|null")});
    EXPECT_EQ(tabla(QStringLiteral("fte_inf"))->RecordCount(), 1);
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(QLatin1Char('\n')).toStdString();
}

// Sources were paired with their variables by row position, so a changed or deleted
// variable left another variable's source beside it.
TEST_F(Reglas, SourcesFollowTheirVariableThroughChangesAndDeletions)
{
    ASSERT_TRUE(agregar(QStringLiteral("var_cli"), {{"var", "1"}, {"val", "12,5"}}));
    ASSERT_TRUE(agregar(QStringLiteral("var_cli"), {{"var", "4"}, {"val", "1200"}}));
    ASSERT_TRUE(modificar(QStringLiteral("fte_inf"), "var", QStringLiteral("1"), {{"fte", "Estación Chillán"}, {"per", "1990-2020"}}));
    ASSERT_TRUE(modificar(QStringLiteral("fte_inf"), "var", QStringLiteral("4"), {{"fte", "DGA"}, {"per", "2000-2020"}}));

    ASSERT_TRUE(modificar(QStringLiteral("var_cli"), "var", QStringLiteral("1"), {{"var", "2"}}));
    EXPECT_EQ(filas(QStringLiteral("SELECT var, fte FROM kelu_fte_inf ORDER BY var")),
              (QStringList{QStringLiteral("2|Estación Chillán"), QStringLiteral("4|DGA")}));
    EXPECT_EQ(filas(QStringLiteral("SELECT var, unidad FROM kelu_var_cli ORDER BY var")),
              (QStringList{QStringLiteral("2|21"), QStringLiteral("4|22")}));

    ASSERT_TRUE(borrar(QStringLiteral("var_cli"), "var", QStringLiteral("2")));
    EXPECT_EQ(filas(QStringLiteral("SELECT var, fte FROM kelu_fte_inf")), QStringList{QStringLiteral("4|DGA")});
    EXPECT_EQ(mostrado(tabla(QStringLiteral("fte_inf")), {QStringLiteral("fte")}), QStringList{QStringLiteral("DGA")});

    // Answering No to the deletion keeps both the variable and its source.
    dialogos.porDefecto = ID::NO;
    EXPECT_FALSE(borrar(QStringLiteral("var_cli"), "var", QStringLiteral("4")));
    EXPECT_EQ(filas(QStringLiteral("SELECT var FROM kelu_fte_inf")), QStringList{QStringLiteral("4")});
}
