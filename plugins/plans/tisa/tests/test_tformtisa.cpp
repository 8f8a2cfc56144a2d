// The TISA window beside its request form: its pages, the form-wide check of threatened
// flora and fauna against the protection measures, the altitude limits, the climate pair
// and the conservation categories.
#include "tisaplanlleno.h"

#include "field.h"
#include "tformdescrito.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using Tisa = TisaFixture;

namespace {

const QString kFauna = QStringLiteral("Hay fauna con problemas de conservación , pero\n"
                                      "no se tienen definidas medidas de protección");
const QString kFlora = QStringLiteral("Hay flora con problemas de conservación , pero\n"
                                      "no se tienen definidas medidas de protección");

} // namespace

TEST_F(Tisa, OpensBesideItsRequestWithElevenPagesAndNoPropertyOfItsOwn)
{
    ASSERT_TRUE(form && dorvo);
    EXPECT_EQ(form->objectName(), QStringLiteral("FormTISA"));
    ASSERT_NE(form->Paginas, nullptr);
    EXPECT_EQ(form->Paginas->count(), 11);
    EXPECT_EQ(static_cast<TFormDescrito *>(form.data())->CodigoPadre(), QStringLiteral("dorvo"));
    EXPECT_EQ(filas(QStringLiteral("SELECT cod_pre FROM tisa")), QStringList{QStringLiteral("-1")});
    EXPECT_TRUE(mensajes().isEmpty()) << mensajesTexto();
}

TEST_F(Tisa, FormWideCheckWantsMeasuresForThreatenedFaunaAndForEveryStandOfTheFlora)
{
    struct Caso
    {
        const char *nombre;
        QStringList rodales;  // stands entered
        QStringList medidas;  // stands with a protection measure
        bool fauna;           // a fauna row
        QString flora;        // the stand list of a flora row; null: no flora row
        QString mensaje;      // expected error; empty: passes
    };
    const QList<Caso> casos = {
        {"fauna without any measure, no flora", {"1"}, {}, true, QString(), kFauna},
        {"fauna with a measure elsewhere", {"1"}, {"1"}, true, QString(), QString()},
        {"flora naming a stand with a measure", {"1", "2"}, {"1"}, false, "1", QString()},
        {"flora naming a stand without", {"1", "2"}, {"1"}, false, "2", kFlora},
        {"a blank-led list with a measure only for its first", {"1", "2"}, {"1"}, false, " 1, 2", kFlora},
        {"a list whose stands all have measures", {"1", "2"}, {"1", "2"}, false, "1, 2", QString()},
        // A quote in a stand's name is a value like any other.
        {"a stand with a quote in its name", {"D'1"}, {"D'1"}, false, "D'1", QString()},
        {"no flora and no fauna", {"1"}, {}, false, QString(), QString()},
    };
    for (const Caso &c : casos) {
        SCOPED_TRACE(c.nombre);
        abrirDocumento();
        for (const QString &r : c.rodales)
            ASSERT_TRUE(rodal(r, QStringLiteral("5"))) << mensajesTexto();
        for (const QString &m : c.medidas)
            ASSERT_TRUE(medida(m)) << mensajesTexto();
        if (c.fauna) {
            ASSERT_TRUE(agregar(QStringLiteral("fau"), {{"esp", "1"}})) << mensajesTexto();
        }
        if (!c.flora.isNull()) {
            ASSERT_TRUE(agregar(QStringLiteral("flo"), {{"esp", "1"}, {"num", c.flora}, {"den", "20"}})) << mensajesTexto();
        }
        dialogos.boxes.clear();
        EXPECT_EQ(form->ValidarFormulario(), c.mensaje.isEmpty());
        ASSERT_EQ(mensajes().size(), c.mensaje.isEmpty() ? 0 : 1) << mensajesTexto();
        if (!c.mensaje.isEmpty()) {
            EXPECT_TRUE(mensajes().first().contains(c.mensaje)) << mensajesTexto();
        }
    }
}

TEST_F(Tisa, AltitudeIsCheckedOnEveryChangeAgainstItsLimits)
{
    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("5")));
    Dataset *suelos = tabla(QStringLiteral("car_sue"));
    suelos->Append();
    Field *alt = suelos->FieldByName(QStringLiteral("alt"));
    EXPECT_FALSE(catchAbort([alt] { alt->setAsString(QStringLiteral("40000")); }));
    ASSERT_EQ(mensajes().size(), 1);
    EXPECT_TRUE(mensajes().first().contains(QStringLiteral("debe ser menor o igual a 32768"))) << mensajesTexto();
    suelos->Cancel();
    dialogos.boxes.clear();
    // Nor is such a row kept; one within the limits is.
    EXPECT_FALSE(suelo(QStringLiteral("1"), QStringLiteral("40000")));
    EXPECT_TRUE(suelo(QStringLiteral("1"), QStringLiteral("32768"))) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT num, alt FROM tisa_car_sue")), QStringList{QStringLiteral("1|32768")});
}

TEST_F(Tisa, AClimaticVariableBringsItsUnitAndItsSourceRow)
{
    ASSERT_TRUE(agregar(QStringLiteral("var_cli"), {{"var", "1"}, {"val", "12,4"}})) << mensajesTexto();
    EXPECT_EQ(filas(QStringLiteral("SELECT var, unidad FROM tisa_var_cli")), QStringList{QStringLiteral("1|21")});
    EXPECT_EQ(filas(QStringLiteral("SELECT var FROM tisa_fte_inf")), QStringList{QStringLiteral("1")});
    ASSERT_TRUE(borrar(QStringLiteral("var_cli"), "var", QStringLiteral("1")));
    EXPECT_TRUE(filas(QStringLiteral("SELECT var FROM tisa_fte_inf")).isEmpty());
}

// Pictures of every page of a filled plan, for looking at (build/tests/tisa_paginas/NN.png).
class TisaLleno : public TisaPlanLleno
{};

TEST_F(TisaLleno, EveryPageRendersAndTheFilledPlanPassesTheFormWideCheck)
{
    EXPECT_TRUE(form->ValidarFormulario()) << mensajesTexto();
    FotografiarPaginas(form, area, QStringLiteral("tisa_paginas"));
}

// Typed text is upper-cased and the key-pad decimal swapped, as in every form, except in
// the soils grid, where keys reach the grid as they are.
TEST_F(Tisa, TypingIsUpperCasedExceptInTheSoilsGrid)
{
    area->show();
    form->CambiarHoja(10);
    auto *memo = form->findChild<QPlainTextEdit *>(QStringLiteral("mem_mepr_inc"));
    ASSERT_NE(memo, nullptr);
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("quema"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("QUEMA"));

    ASSERT_TRUE(rodal(QStringLiteral("1"), QStringLiteral("5")));
    // The text typed into a cell of grid `sufijo`'s column `columna`, a key-pad decimal among it.
    const auto teclear = [this](const char *sufijo, int columna, const QString &antes, const QString &despues) {
        form->CambiarHoja(QLatin1String(sufijo) == QLatin1String("car_sue") ? 5 : 1);
        DBGrid *g = grilla(QLatin1String(sufijo));
        tabla(QLatin1String(sufijo))->Append();
        g->setSelectedIndex(columna);
        g->view()->setFocus();
        QTest::keyClicks(g->view(), antes.left(1));
        QLineEdit *linea = nullptr; // the cell's editor, the one shown
        for (QLineEdit *l : g->view()->findChildren<QLineEdit *>())
            linea = l->isVisible() ? l : linea;
        if (!linea)
            return QString();
        QTest::keyClicks(linea, antes.mid(1));
        QTest::keyClick(linea, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClicks(linea, despues);
        const QString texto = linea->text();
        tabla(QLatin1String(sufijo))->Cancel();
        return texto;
    };
    EXPECT_EQ(teclear("car_bos", 1, QStringLiteral("8"), QStringLiteral("5")), QStringLiteral("8,5"));
    EXPECT_EQ(teclear("car_sue", 3, QStringLiteral("sa"), QStringLiteral("b")), QStringLiteral("sa.b"));
    EXPECT_FALSE(form->TeclaDecimal);
    EXPECT_EQ(teclear("car_bos", 0, QStringLiteral("r"), QStringLiteral("a")), QStringLiteral("R,A"));
}
