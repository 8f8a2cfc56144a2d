// The establishment statistics: the computation of one stand on a table of cases, and the
// button over a document, where a stand that cannot be computed is named and skipped and
// the results flow on to the plantation and the forestation.
#include "zurilleno.h"

#include "estadisticaszuri.h"

#include <QPushButton>

#include <cmath>

namespace {

struct Caso
{
    const char *nombre;
    double sup; // m2
    int parcelas;
    std::vector<double> plantas;
    EstadisticasZURI esperado;
};

// 10 and 14 plants on two plots of 100 m2 (F = 0.01 ha):
//   M = 12 / 0.01 = 1200, media 1200
//   S = sqrt(((10-12)^2 + (14-12)^2) / (2-1)) / 0.01 = sqrt(8) / 0.01 = 282.8427, desv 282.84
//   C = S / M = 0.235702, rounded 0.24, coef 24
//   E = sqrt(S^2 / 2) = 200, err_std 200
//   t = 12.706 (1 degree of freedom)
//   P = 0.235702 * 12.706 / sqrt(2) * 100 = 211.7667, err_muest 211.77
// Thirty plots alternating 10 and 14: S = sqrt(30 * 4 / 29) / 0.01 = 203.419, C = 0.169516, and
// t = 1.96 (not 2.045, the value for 29 degrees): P = 0.169516 * 1.96 / sqrt(30) * 100 = 6.0661.
std::vector<double> alternados(int n)
{
    std::vector<double> v;
    for (int i = 0; i < n; ++i)
        v.push_back(i % 2 ? 14 : 10);
    return v;
}

const Caso kCasos[] = {
    {"two plots, the worked example", 100, 2, {10, 14}, {1200, 282.84, 24, 200, 211.77}},
    {"plot area 0", 0, 2, {10, 14}, {0, 0, 0, 0, 0}},
    {"thirty plots take 1.96", 100, 30, alternados(30), {1200, 203.42, 17, 37.14, 6.07}},
    {"equal counts", 100, 3, {12, 12, 12}, {1200, 0, 0, 0, 0}},
    {"a mean of 1250.5 goes to the even 1250", 10000, 2, {1250, 1251}, {1250, 0.71, 0, 0.5, 0.51}},
    {"a mean of 1251.5 goes to the even 1252", 10000, 2, {1251, 1252}, {1252, 0.71, 0, 0.5, 0.51}},
};

} // namespace

TEST(ZuriEstadisticas, CadaCasoDaLasCifrasGuardadas)
{
    for (const Caso &c : kCasos) {
        SCOPED_TRACE(c.nombre);
        QString motivo;
        const std::optional<EstadisticasZURI> r = CalcularEstadisticasZURI(c.sup, c.parcelas, c.plantas, &motivo);
        ASSERT_TRUE(r) << motivo.toStdString();
        EXPECT_EQ(r->media, c.esperado.media);
        EXPECT_EQ(r->desv, c.esperado.desv);
        EXPECT_EQ(r->coef, c.esperado.coef);
        EXPECT_EQ(r->errStd, c.esperado.errStd);
        EXPECT_EQ(r->errMuest, c.esperado.errMuest);
    }
}

// Regression: fewer than two plots read t at position -1 or 0, and an empty average ended
// the run.
TEST(ZuriEstadisticas, SinDosParcelasOSinMuestrasNoHayCifras)
{
    struct SinCifras
    {
        int parcelas;
        std::vector<double> plantas;
        const char *motivo;
    };
    for (const SinCifras &c : {SinCifras{1, {10}, "menos de dos parcelas"}, SinCifras{0, {}, "menos de dos parcelas"},
                               SinCifras{2, {}, "plantas vivas"}, SinCifras{2, {10}, "plantas vivas"}}) {
        QString motivo;
        EXPECT_FALSE(CalcularEstadisticasZURI(100, c.parcelas, c.plantas, &motivo)) << c.parcelas;
        EXPECT_TRUE(motivo.contains(QLatin1String(c.motivo))) << motivo.toStdString();
    }
}

using ZuriCalculo = ZuriLleno;

// Stand 1 is the worked example; stand 2 has one plot, stand 3 no samples and stand 4 no
// statistics row: those three are named in one message and skipped, stand 1's figures
// reach its results and its forestation, and no other stand's row is touched.
TEST_F(ZuriCalculo, ElBotonCalculaCadaRodalYNombraLosQueNoPuede)
{
    ASSERT_TRUE(form->ConexionBD->execScript(QStringLiteral(
        "UPDATE zuri_res_cal_est SET media=NULL, desv=NULL, coef=NULL, err_std=NULL, err_muest=NULL;"
        "UPDATE zuri_tam_num_parc SET num_par=1 WHERE num='2';"
        "DELETE FROM zuri_ant_muest WHERE Id_par=2 AND num_parc>1;"
        "INSERT INTO zuri_sec_for (Id, num_sec, num, tip_res, cat_suelo) VALUES (3, '2', '3', 10, 3), (4, '2', '4', 10, 3);"
        "INSERT INTO zuri_tam_num_parc (Id_par, num, sup, num_par) VALUES (3, '3', 100, 2), (4, '4', 100, 2);"
        "INSERT INTO zuri_ant_muest (Id_par, num_parc, num_plan) VALUES (4, 1, 20), (4, 2, 22);"
        "INSERT INTO zuri_res_cal_est (num, t_stud) VALUES ('3', 196);"
        "INSERT INTO zuri_res_plan (num, den_ini) VALUES ('3', 1000), ('4', 1000);")));
    releer(form);
    auto *boton = form->findChild<QPushButton *>(QStringLiteral("btnCalcular"));
    ASSERT_TRUE(boton);
    bool deshabilitado = false;
    dialogos.alMostrar = [&] { deshabilitado = !boton->isEnabled(); };

    boton->click();

    ASSERT_EQ(dialogos.textos().size(), 1) << mensajesTexto();
    const QString mensaje = dialogos.textos().first();
    for (const char *parte : {"Rodal \"2\": tiene menos de dos parcelas", "Rodal \"3\": no tiene plantas vivas",
                              "Rodal \"4\": no tiene fila de resultados estadísticos"})
        EXPECT_TRUE(mensaje.contains(QString::fromUtf8(parte))) << mensaje.toStdString();
    EXPECT_FALSE(mensaje.contains(QStringLiteral("\"1\""))) << mensaje.toStdString();
    EXPECT_TRUE(deshabilitado);
    EXPECT_TRUE(boton->isEnabled());
    EXPECT_EQ(filas(QStringLiteral("SELECT num, media, desv, coef, err_std, err_muest FROM zuri_res_cal_est ORDER BY Id")),
              (QStringList{QStringLiteral("1|1200|282.84|24|200|211.77"), QStringLiteral("2|null|null|null|null|null"),
                           QStringLiteral("3|null|null|null|null|null")}));
    EXPECT_EQ(filas(QStringLiteral("SELECT den_real FROM zuri_res_plan WHERE num='1'")), QStringList{QStringLiteral("1200")});
    EXPECT_EQ(filas(QStringLiteral("SELECT den_actual FROM zuri_car_for WHERE num='1'")), QStringList{QStringLiteral("1200")});
    EXPECT_EQ(filas(QStringLiteral("SELECT den_real FROM zuri_res_plan WHERE num='4'")), QStringList{QStringLiteral("null")});
}
