#pragma once
// An ILVA study with its DORVO request typed into their working databases: the property
// with an owner, a roll, an adjoining roll and a coordinate; sector 1 with two curtains and
// sector 2 with one, the first curtain with two rows (the second of two species); the
// degradation and two of the four protection measures, the others left empty.
#include "ilvafixture.h"

#include "connection.h"

class IlvaLleno : public IlvaFixture
{
protected:
    void SetUp() override
    {
        IlvaFixture::SetUp();
        if (HasFatalFailure())
            return;
        llenarDocumento(kEstudio, kPredio, 81,
                        QStringLiteral("15151515, '2', 'Vidal', 'Ortega', 'Camila', '1'"));
    }

    static constexpr const char *kPredio =
        "UPDATE dorvo SET nom_pre='Parcela El Ventarrón', sup=48.5, sup_tit=48, sup_sii=49,"
        " via='Camino a Chanco km 12', com='07301', prv='073', reg='07', ciu='Cauquenes',"
        " fec='2026-08-03 00:00:00', fir=13131313;"
        "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 13131313, '5', 'Rosa', 'Núñez', 'Fariña', 'Los Aromos 14', 'Cauquenes', '07301', 1, 2, 0);"
        "INSERT INTO dorvo_rol (id, rol, com) VALUES (1, '142-7', '07301');"
        "INSERT INTO dorvo_rol_con (id, rol) VALUES (1, '142-8');"
        "INSERT INTO dorvo_coo (id, pun, n, e) VALUES (1, 'Bodega', 6010500, 742300);";

    static constexpr const char *kEstudio =
        "UPDATE ilva SET sup_afe=25.5, est_deg='Erosión eólica en lomajes arenosos', mepr_sue='Labranza mínima',"
        " mepr_veg='Se conserva el matorral de la quebrada';"
        "INSERT INTO ilva_uso (Id, num_sect, tip_veg, uso, cap_uso) VALUES (1, '1', 1, '2', 6), (2, '2', 2, '1', 7);"
        "INSERT INTO ilva_car (Id_car, num_sect, num_cort, sup, long, num_hil, dis, ano) VALUES"
        " (1, '1', 1, 12.5, 0.8, 2, 3, 2025), (2, '2', 1, 5, 0.3, 1, 4, 2026), (3, '1', 2, 8, 0.45, 1, 3.5, 2025);"
        "INSERT INTO ilva_car_det (Id, Id_car, hil, esp, tip_pla, dis) VALUES"
        " (1, 1, 1, 'Pino radiata (Pinus radiata)', 1, 2.5),"
        " (2, 1, 2, 'Eucalipto (Eucalyptus globulus), Ciprés macrocarpa (Cupressus macrocarpa)', 2, 3),"
        " (3, 2, 1, 'Ciprés macrocarpa (Cupressus macrocarpa)', 1, 2),"
        " (4, 3, 1, 'Eucalipto (Eucalyptus globulus)', 2, 2.5);";
};
