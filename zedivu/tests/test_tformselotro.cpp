// The "other" dialog: the code it gives, what it appends and what the user types.
#include "entrada/tformselotro.h"

#include "entrada/ventanaentrada.h"
#include "util_bbdd.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SelOtro : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app = CopiarProgramaConstruido(dir.path());
    }

    // Opens the dialog for kind `tipo`, types `texto` and confirms (null: cancels).
    QStringList levantar(const QString &tipo, const char *texto)
    {
        AlAbrirModal([this, texto](QDialog *d) {
            auto *v = static_cast<TformSelOtro *>(d);
            okConBlancos = (Teclear(v->Otro, QStringLiteral("  ")), v->btnAceptar->isEnabled());
            v->Otro->clear();
            if (!texto) {
                v->btnCancelar->click();
                return;
            }
            Teclear(v->Otro, QString::fromUtf8(texto));
            v->btnAceptar->click();
        });
        return LevantaFormOtro(claves, textos, tipo, app);
    }

    QTemporaryDir dir;
    QString app;
    QStringList claves{QStringLiteral("1"), QStringLiteral("99")};
    QStringList textos{QStringLiteral("Bosque"), QStringLiteral("OTRO")};
    bool okConBlancos = true;
};

TEST_F(SelOtro, PrimeraEntradaMenosUnoYEnMayusculas)
{
    EXPECT_EQ(levantar(QStringLiteral("tceEspecie"), "ñirre de la señora"),
              (QStringList{QStringLiteral("ÑIRRE DE LA SEÑORA"), QStringLiteral("-1")}));
    EXPECT_FALSE(okConBlancos);
    EXPECT_EQ(claves.last(), QStringLiteral("-1"));
    EXPECT_EQ(textos.last(), QStringLiteral("ÑIRRE DE LA SEÑORA"));
}

TEST_F(SelOtro, SiguienteEntradaUnoMenosQueLaMenorDeSuTipo)
{
    ASSERT_FALSE(Operacion(app + QStringLiteral("bbdd/bd.db"),
                           QStringLiteral("INSERT INTO otros VALUES (-1, 'A', 'tceEspecie'), (-4, 'B', 'tceEspecie'), "
                                          "(-9, 'C', 'tceUsoActual')")));
    ASSERT_FALSE(UltimoErrorBBDD().isValid());
    EXPECT_EQ(levantar(QStringLiteral("tceEspecie"), "x").value(1), QStringLiteral("-5"));
    EXPECT_EQ(levantar(QStringLiteral("tceFauna"), "x").value(1), QStringLiteral("-1"));
}

TEST_F(SelOtro, CancelarNoAgregaNada)
{
    EXPECT_TRUE(levantar(QStringLiteral("tceEspecie"), nullptr).isEmpty());
    EXPECT_EQ(claves.size(), 2);
    EXPECT_EQ(textos.size(), 2);
}

TEST_F(SelOtro, Textos)
{
    TformSelOtro v;
    EXPECT_EQ(v.windowTitle(), QStringLiteral("Ingreso del \"Otro\""));
    EXPECT_EQ(v.btnAceptar->text(), QStringLiteral("Aceptar"));
    EXPECT_EQ(v.btnCancelar->text(), QStringLiteral("Cancelar"));
}

} // namespace
