#pragma once
// An ERTIV norm with its DORVO request typed into their working databases: the property
// with an owner, a roll, an adjoining roll and a coordinate; two stands with their soils;
// two characterisation rows of stand 1 and one of a stand 9 that the summary does not
// hold; cuts in both stands and a reforestation of stand 1; the soils' observations.
#include "ertivfixture.h"

class ErtivLlena : public ErtivFixture
{
protected:
    void SetUp() override
    {
        ErtivFixture::SetUp();
        if (!HasFatalFailure())
            llenarDocumento(kNorma, kSolicitud, 75, QStringLiteral("19191919, '3', 'Oyarzún', 'Barría', 'Matías', '1'"));
    }

    static constexpr const char *kSolicitud =
        "UPDATE dorvo SET nom_pre='Fundo Piedra Azul', sup=180, sup_tit=178, sup_sii=181.5,"
        " via='Ruta 7, km 32, camino a Lenca', com='10101', prv='101', reg='10', ciu='Puerto Montt',"
        " fec='2026-10-05 00:00:00', fir=16161616;"
        "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 16161616, '7', 'Ana María', 'Cárcamo', 'Ruiz', 'Urmeneta 455', 'Puerto Montt', '10101', 1, 2, 0);"
        "INSERT INTO dorvo_rol (id, rol, com) VALUES (1, '512-9', '10101');"
        "INSERT INTO dorvo_rol_con (id, rol) VALUES (1, '512-10');"
        "INSERT INTO dorvo_coo (id, pun, n, e) VALUES (1, 'Puente Chamiza', 5405300, 678900);";

    static constexpr const char *kNorma =
        "UPDATE ertiv SET sup_afe=40.5, obs1='Suelos trumao profundos en el rodal 1';"
        "INSERT INTO ertiv_res (Id, num, sup, sit, dmc, pen, por, num_estr, reg) VALUES"
        " (1, '1', 28.5, 1, 52.5, 18, 42, 3, '1'), (2, '2', 12, 2, 38, 31.5, 25, 2, '3');"
        "INSERT INTO ertiv_car_sue (Id, num, prof, tip_sue, roca) VALUES (1, '1', 4, 1, 1), (2, '2', 2, 2, 3);"
        "INSERT INTO ertiv_car (Id, num, nah_m20_int, nah_m20_tol, nah_5_40_int, nah_5_40_tol, nah_tot_int,"
        " nah_tot_tol, ab_tot_int, ab_tot_tol, ab_arb_int, ab_arb_tol, esp) VALUES"
        " (1, '1', 120, 340, 80, 210, 180, 420, 32.5, 21, 18.5, 4, 116),"
        " (2, '1', 0, 150, 0, 95, 0, 160, 0, 12.5, 0, 3, 115),"
        " (3, '9', 10, 10, 10, 10, 10, 10, 1, 1, 1, 1, 118);"
        "INSERT INTO ertiv_act_cor (Id, num, sec, ano_cor, sup_cor, met_cor, ab) VALUES"
        " (1, '1', 'A', 2027, NULL, 101, 22.5), (2, '2', 'B', 2028, NULL, 102, 15);"
        "INSERT INTO ertiv_act_ref (Id, num, sec, ano_ref, sup, met_reg, den, esp) VALUES"
        " (1, '1', 'A', 2028, NULL, 41, 1100, 'Ulmo (Eucryphia cordifolia), Tepa (Laureliopsis philippiana)');";
};
