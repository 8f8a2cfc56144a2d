#pragma once
// A KIFO accreditation with its FERUN request typed into their working databases: the
// property with an owner, a roll and a coordinate, an assignee, the treasury; two
// resolutions; curtain A-1 with two rows (the second of two species) and curtain B-1 with
// one.
#include "kifofixture.h"

#include "connection.h"

class KifoLleno : public KifoFixture
{
protected:
    void SetUp() override
    {
        KifoFixture::SetUp();
        if (HasFatalFailure())
            return;
        llenarDocumento(kAcreditacion, kPredio, 64,
                        QStringLiteral("11223344, '4', 'Cárcamo', 'Reyes', 'Luis', '1'"));
    }

    static constexpr const char *kPredio =
        "UPDATE ferun SET nom_pre='Hijuela Las Dunas', sup=36, sup_tit=36, sup_sii=35.5,"
        " via='Ruta costera km 31', com='07102', prv='071', reg='07', ciu='Constitución',"
        " fec='2026-09-14 00:00:00', fir=10101010;"
        "INSERT INTO ferun_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 10101010, 'K', 'Hernán', 'Aguilera', 'Toro', 'Camino Putú s/n', 'Constitución', '07102', 1, 1, 0);"
        "INSERT INTO ferun_rol (id, rol, com) VALUES (1, '318-22', '07102');"
        "INSERT INTO ferun_coo (id, pun, n, e) VALUES (1, 'Casa', 6086200, 748900);"
        "INSERT INTO ferun_ces (id, rut, dv, nom, pat, mat, firm) VALUES (1, 9090909, '1', 'Inés', 'Bravo', 'Mora', 0);";

    static constexpr const char *kAcreditacion =
        "UPDATE kifo SET tes=1, sup_afe=1.25;"
        "INSERT INTO kifo_ant_resol (Id, num_res, fec) VALUES (1, 'R-204', '2023-03-05 00:00:00'),"
        " (2, 'R-219', '2023-11-20 00:00:00');"
        "INSERT INTO kifo_car_cort (Id_car, num_sect, num_cort, long, num_hil, dist_hil, ano) VALUES"
        " (1, 'A', '1', 0.8, 2, 3, 2024), (2, 'B', '1', 0.45, 1, 0, 2025);"
        "INSERT INTO kifo_car_cort_det (Id, id_car, num_hil, esp, tip_planta, dist, num_arb) VALUES"
        " (1, 1, '1', 'Pino radiata (Pinus radiata)', 1, 2.5, 400),"
        " (2, 1, '2', 'Eucalipto (Eucalyptus globulus), Ciprés macrocarpa (Cupressus macrocarpa)', 2, 3, 333),"
        " (3, 2, '1', 'Ciprés macrocarpa (Cupressus macrocarpa)', 1, 2, 500);";
};
