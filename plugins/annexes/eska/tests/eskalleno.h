#pragma once
// An ESKA request with its DORVO request typed into their working databases: the property
// with an owner, a roll and a coordinate; sectors entered 2 then 1 and a sector 3, with
// justifications entered for 1 then 2 and none for 3; a resolution and a bonus.
#include "eskafixture.h"

#include "connection.h"

class EskaLleno : public EskaFixture
{
protected:
    void SetUp() override
    {
        EskaFixture::SetUp();
        if (HasFatalFailure())
            return;
        llenarDocumento(kDesafectacion, kPropiedad, 73,
                        QStringLiteral("17171717, '8', 'Araya', 'Pinto', 'Valeria', '1'"));
    }

    static constexpr const char *kPropiedad =
        "UPDATE dorvo SET nom_pre='Hijuela Los Robles', sup=64, sup_tit=64, sup_sii=63.5,"
        " via='Camino a Cabrero km 4', com='08301', prv='083', reg='08', ciu='Yumbel',"
        " fec='2026-07-20 00:00:00', fir=14141414;"
        "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 14141414, '3', 'Jorge', 'Muñoz', 'Salas', 'O''Higgins 77', 'Yumbel', '08301', 1, 1, 0);"
        "INSERT INTO dorvo_rol (id, rol, com) VALUES (1, '88-2', '08301');"
        "INSERT INTO dorvo_coo (id, pun, n, e) VALUES (1, 'Portón norte', 5866000, 711500);";

    static constexpr const char *kDesafectacion =
        "INSERT INTO eska_ant_des (Id, num_sect, sup_cal, sup_des, cap, sue, veg) VALUES"
        " (1, '2', 15, 6.5, 4, 1, 1), (2, '1', 20, 8, 3, 2, 2), (3, '3', 5, 1, 4, 1, 1);"
        "INSERT INTO eska_jus (Id, num_sect, cau) VALUES (1, '1', 'Ampliación de cultivos de trigo'),"
        " (2, '2', 'Construcción de bodegas');"
        "INSERT INTO eska_ant_res (Id, num_sect, ctapf_no, ctapf_fec, pm_no, pm_fec) VALUES"
        " (1, '1', 'C-331', '2012-08-14 00:00:00', NULL, NULL);"
        "INSERT INTO eska_ant_bon (Id, num_sect, tip_bon, num_res, fec, sup, mon) VALUES"
        " (1, '2', '1', 'B-77', '2015-11-02 00:00:00', 4, 380000);";
};
