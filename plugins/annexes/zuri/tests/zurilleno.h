#pragma once
// A ZURI accreditation with its FERUN request typed into their working databases: the
// property with an owner, a roll, a coordinate and an assignee; the treasury; a resolution
// of 5 March 2004; stands 1 (degraded soil, erosion 2) and 2 (no erosion) with two
// soil-recovery rows of stand 1, one of a stand that no longer exists and a dune row of
// stand 2; the sampling of both stands (stand 2's statistics with the 90 % code) and
// their results and forestation.
#include "zurifixture.h"

#include "connection.h"
#include "dataset.h"

class ZuriLleno : public ZuriFixture
{
public:
    void SetUp() override
    {
        ZuriFixture::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(form->ConexionBD->execScript(QString::fromUtf8(kAcreditacion)))
            << form->ConexionBD->lastError().text().toStdString();
        releer(form);
        ASSERT_TRUE(ferun->ConexionBD->execScript(QString::fromUtf8(kPropiedad))) << ferun->ConexionBD->lastError().text().toStdString();
        releer(ferun);
        ElegirConsultor(app, form, 62, QStringLiteral("16161616, '6', 'Sepúlveda', 'Mora', 'Tomás', '1'"));
        dialogos.boxes.clear();
    }

    // Every table of the form opened again, as a load does.
    static void releer(TCustomMDIChild *f)
    {
        for (Dataset *ds : f->ConexionBD->datasets()) {
            ds->Close();
            ds->Open();
        }
    }

    static constexpr const char *kPropiedad =
        "UPDATE ferun SET nom_pre='Fundo Las Vertientes', sup=42.5, sup_tit=42, sup_sii=43.1,"
        " via='Ruta O-60, km 18', com='08106', prv='081', reg='08', ciu='Coronel',"
        " fec='2026-10-02 00:00:00', fir=9876543;"
        "INSERT INTO ferun_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 9876543, '3', 'Héctor', 'Valdés', 'Aránguiz', 'Los Castaños 40', 'Coronel', '08106', 1, 1, 0);"
        "INSERT INTO ferun_rol (id, rol, com) VALUES (1, '512-3', '08106');"
        "INSERT INTO ferun_rol_con (id, rol) VALUES (1, '512-4');"
        "INSERT INTO ferun_coo (id, pun, n, e) VALUES (1, 'Casa patronal', 5895200, 668300);"
        "INSERT INTO ferun_ces (id, rut, dv, nom, pat, mat, firm) VALUES (1, 11222333, '9', 'Marta', 'Quiroz', 'Peña', 1);";

    static constexpr const char *kAcreditacion =
        "UPDATE zuri SET tes=11, met_mue='Parcelas circulares', fec_mue='2026-05-18 00:00:00', sup_afe=7.5,"
        " act_for_obs='Plantación en curvas de nivel';"
        "INSERT INTO zuri_ant_resol (Id, num_cal, fec_cal, num_plan, fec_plan) VALUES"
        " (1, 'CT-88/2003', '2004-03-05 00:00:00', 'PM-12', '2004-06-01 00:00:00');"
        "INSERT INTO zuri_sec_for (Id, num_sec, num, tip_res, cat_suelo, car_erosion) VALUES"
        " (1, '1', '1', 10, 12, 2), (2, '1', '2', 10, 3, NULL);"
        "INSERT INTO zuri_car_rec_sue (Id, num, sup, ano, obra, unid, cant, val) VALUES"
        " (1, '1', 2.5, 2024, 1, 11, 40, 125000), (2, '9', 1, 2024, 1, 11, 5, 1000),"
        " (3, '1', 1.25, 2025, 2, 11, 12.5, 98000.5);"
        "INSERT INTO zuri_car_est_dun (Id, num, sup, ano, act_ej, unid, cant) VALUES (1, '2', 3, 2024, 6, 11, 2);"
        "INSERT INTO zuri_tam_num_parc (Id_par, num, sup, num_par) VALUES (1, '1', 100, 2), (2, '2', 200, 3);"
        "INSERT INTO zuri_ant_muest (Id, Id_par, num_parc, num_plan) VALUES"
        " (1, 1, 1, 10), (2, 1, 2, 14), (3, 2, 1, 30), (4, 2, 2, 28), (5, 2, 3, 33);"
        "INSERT INTO zuri_res_cal_est (Id, num, sup_for, num_parc, media, desv, coef, err_std, err_muest, t_stud) VALUES"
        " (1, '1', 4.5, 2, 1200, 282.84, 24, 200, 211.77, 196), (2, '2', 3, 3, 1516.67, 126.29, 8, 72.92, 20.68, 164);"
        "INSERT INTO zuri_res_plan (Id, num, sup, den_ini, den_real, porc_pren) VALUES"
        " (1, '1', 4.5, 1600, 1200, 0), (2, '2', 3, 1600, 1516.67, 0);"
        "INSERT INTO zuri_car_for (Id, num, sup_for, sup_bon_total, sup_bon_men_100, sup_bon_may_100, ano_plan, esp,"
        " tip_planta, den_ini, den_actual, cercos, cerco_repara, seguro_for, subsolado) VALUES"
        " (1, '1', 4.5, 4.5, 0, 1.5, 2023, 'Pino radiata (Pinus radiata), Eucalipto (Eucalyptus globulus)', 1, 1600, 1200,"
        " 0.8, 0, 1, 0),"
        " (2, '2', 3, 3, 0, 0, 2023, 'Pino radiata (Pinus radiata)', 2, 1600, 1516.67, 0, 0.2, 0, 1);";
};
