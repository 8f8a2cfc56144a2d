#pragma once
// A PELTO accreditation with its FERUN request typed into their working databases: the
// property with an owner, a roll, a coordinate and two assignees; the treasury; two
// resolutions (one with only the plan's pair); stands 1, 2 and 3, and their pruning and
// thinning rows: stand 2 both, stand 1 pruning only, stand 3 thinning only, stand 1 again
// neither.
#include "peltofixture.h"

#include "connection.h"

class PeltoLleno : public PeltoFixture
{
protected:
    void SetUp() override
    {
        PeltoFixture::SetUp();
        if (HasFatalFailure())
            return;
        llenarDocumento(kPoda, kPropiedad, 61,
                        QStringLiteral("15151515, '5', 'Ortiz', 'Vera', 'Camila', '1'"));
    }

    static constexpr const char *kPropiedad =
        "UPDATE ferun SET nom_pre='Parcela El Maitén', sup=18.5, sup_tit=18, sup_sii=18.25,"
        " via='Camino a Quirihue km 9', com='08401', prv='084', reg='08', ciu='Quirihue',"
        " fec='2026-09-14 00:00:00', fir=12121212;"
        "INSERT INTO ferun_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 12121212, '0', 'Rosa', 'Fuentes', 'Lagos', 'Los Aromos 5', 'Quirihue', '08401', 1, 2, 0);"
        "INSERT INTO ferun_rol (id, rol, com) VALUES (1, '301-7', '08401');"
        "INSERT INTO ferun_rol_con (id, rol) VALUES (1, '301-8');"
        "INSERT INTO ferun_coo (id, pun, n, e) VALUES (1, 'Puente Lonquén', 5980100, 735400);"
        "INSERT INTO ferun_ces (id, rut, dv, nom, pat, mat, firm) VALUES"
        " (1, 13131313, 'k', 'Luis', 'Ñancupil', 'Rivas', 1), (2, 14141414, '2', 'Ana', 'O''Ryan', NULL, 0);";

    static constexpr const char *kPoda =
        "UPDATE pelto SET tes=12;"
        "INSERT INTO pelto_ant_res (Id, num_cal, fec_cal, num_plan, fec_plan) VALUES"
        " (1, 'R-14/2011', '2004-03-05 00:00:00', 'PM-77', '2011-06-20 00:00:00'),"
        " (2, NULL, NULL, 'PM-91', '2013-01-08 00:00:00');"
        "INSERT INTO pelto_ant_plan (Id, num, ano, sup, esp, ab, den) VALUES"
        " (1, '2', 2011, 4.5, 'Pino radiata (Pinus radiata), Eucalipto (Eucalyptus globulus)', 22.5, 1300),"
        " (2, '1', 2012, 3, 'Pino radiata (Pinus radiata)', 18, 1250),"
        " (3, '3', 2010, 2.25, 'Pino oregón (Pseudotsuga menziesii)', 30, 1100);"
        "UPDATE pelto SET sup_afe=9.75;"
        "INSERT INTO pelto_car (Id, num, ano_pod, num_arb_pod, alt_pod, ano_ral, num_arb_ral, area_ral) VALUES"
        " (1, '2', 2024, 450, 2.5, 2025, 600, 8.5),"
        " (2, '1', 2023, 400, 2, NULL, NULL, NULL),"
        " (3, '3', 0, NULL, NULL, 2025, 500, 7.25),"
        " (4, '1', NULL, NULL, NULL, 0, NULL, NULL);";
};
