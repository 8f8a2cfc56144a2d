#pragma once
// A HARPE norm with its DORVO request typed into their working databases: the property
// with an owner, a roll, an adjoining roll and a coordinate; two stands and their
// regeneration rows entered in the other order (stand 2's first); the regeneration's
// observations.
#include "harpefixture.h"

class HarpeLlena : public HarpeFixture
{
protected:
    void SetUp() override
    {
        HarpeFixture::SetUp();
        if (!HasFatalFailure())
            llenarDocumento(kNorma, kSolicitud, 74, QStringLiteral("18181818, '5', 'Vera', 'Soto', 'Camila', '1'"));
    }

    static constexpr const char *kSolicitud =
        "UPDATE dorvo SET nom_pre='Estancia Río Verde', sup=410, sup_tit=400, sup_sii=405.5,"
        " via='Ruta 9 Norte, km 45, camino a Río Verde', com='12101', prv='121', reg='12', ciu='Punta Arenas',"
        " fec='2026-09-14 00:00:00', fir=15151515;"
        "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 15151515, '1', 'Tomás', 'Díaz', 'O''Ryan', 'Bories 890', 'Punta Arenas', '12101', 1, 1, 0);"
        "INSERT INTO dorvo_rol (id, rol, com) VALUES (1, '310-4', '12101');"
        "INSERT INTO dorvo_rol_con (id, rol) VALUES (1, '310-5');"
        "INSERT INTO dorvo_coo (id, pun, n, e) VALUES (1, 'Puesto El Ñandú', 4100500, 380200);";

    static constexpr const char *kNorma =
        "UPDATE harpe SET sup_afe=60.5, obs1='Regeneración de lenga bajo dosel en el rodal 1';"
        "INSERT INTO harpe_car (Id, num, sup, sit, dmc, pen, ano_cor, alt, den_ini_len, den_ini_coi, den_init_tot, rango)"
        " VALUES (1, '1', 35.5, 1, 48.5, 12, 2027, 24, 420, 30, 450, 2),"
        "        (2, '2', 25, 2, 36, 22.5, 2028, 19.5, 800, 0, 800, 1);"
        "INSERT INTO harpe_car_reg (Id, num, den, alt, dis, esp) VALUES"
        " (1, '2', 1200, 15, 2, 'Lenga (Nothofagus pumilio)'),"
        " (2, '1', 5400, 60, 1, 'Lenga (Nothofagus pumilio), Canelo (Drimys winteri)');";
};
