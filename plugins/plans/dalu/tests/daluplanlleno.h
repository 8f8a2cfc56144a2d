#pragma once
// A DALU document with its DORVO form (unless a test asks for none), and a native-forest
// plan written into their working databases: the property with an owner, a roll, an
// adjoining roll and two coordinates; two stands, the first with three diameter classes
// (two with estimated final variables) and the second without classes; climate sources
// entered in another order than their variables; the natural setting; an objective with
// activities of the five classes, a criterion and two prescriptions; a non-silvicultural
// activity; an inventory of both stands with trees; a judicial resolution. The inventory
// statistics are written as they stand, not computed.
#include "dalufixture.h"
#include "imprimirpdf.h"

class DaluPlanLleno : public DaluFixture
{
protected:
    void SetUp() override
    {
        if (!conDorvo) {
            // The plan alone: the document is made again without its request form.
            DaluFixture::SetUp();
            if (HasFatalFailure())
                return;
            soloDalu();
        } else {
            DaluFixture::SetUp();
        }
        if (HasFatalFailure() || !form)
            return;
        ASSERT_TRUE(form->ConexionBD->execScript(QString::fromUtf8(kPlan))) << form->ConexionBD->lastError().text().toStdString();
        if (TCustomMDIChild *dorvo = form->BuscarFormulario(QStringLiteral("dorvo"))) {
            ASSERT_TRUE(dorvo->ConexionBD->execScript(QString::fromUtf8(kSolicitud)))
                << dorvo->ConexionBD->lastError().text().toStdString();
            for (Dataset *ds : dorvo->ConexionBD->datasets()) {
                ds->Close();
                ds->Open();
            }
        }
        refrescar();
        ElegirConsultor(app, form, 71, QStringLiteral("12345678, '5', 'Riquelme', 'Paredes', 'Tomás', '1'"));
        if (HasFatalFailure())
            return;
        dialogos.boxes.clear();
    }

    // Every dataset of the plan reads its rows again, as after a change by SQL.
    void refrescar()
    {
        for (Dataset *ds : form->ConexionBD->datasets())
            ds->Refresh();
    }

    // Runs SQL on the plan's working database and re-reads the datasets.
    void cambiar(const char *sql)
    {
        ASSERT_TRUE(form->ConexionBD->execScript(QString::fromUtf8(sql))) << form->ConexionBD->lastError().text().toStdString();
        refrescar();
    }

    bool conDorvo = true;

    static constexpr const char *kSolicitud =
        "UPDATE dorvo SET nom_pre='Fundo El Manzano', sup=310.5, sup_tit=305, sup_sii=312.75,"
        " via='Camino Cunco - Los Laureles, km 8', com='09103', prv='091', reg='09', ciu='Temuco',"
        " fec='2026-05-14 00:00:00', fir=15151515;"
        "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 15151515, '0', 'Carmen', 'Huenchul', 'Rivas', 'Prat 455', 'Temuco', '09101', 1, 2, 0);"
        "INSERT INTO dorvo_rol (id, rol, com) VALUES (1, '210-12', '09103');"
        "INSERT INTO dorvo_rol_con (id, rol) VALUES (1, '210-13');"
        "INSERT INTO dorvo_coo (id, pun, n, e) VALUES (1, 'Puente Allipén', 5685400, 760200),"
        " (2, 'Cerro Redondo', 5687100, 761900);";

    static constexpr const char *kPlan =
        "UPDATE dalu SET sup_afe=19.75, car_sue='Trumaos profundos de buen drenaje',"
        " fac_lim='Pendientes sobre 45% en el sector alto', des_pro_san='Cancro en roble, menos del 5%',"
        " mepr_plag='Monitoreo anual de cancro', meco_plag='Extracción de árboles enfermos',"
        " mepr_inc='Cortafuegos perimetral de 8 m', meco_inc='Brigada de la comuna',"
        " resJud_tiene=1, resJud_desc='Causa rol 45-2025, Juzgado de Pucón';"
        "INSERT INTO dalu_car (Id, num, sup, exp, altitud, pen_pre, pen_max, cap_uso, nom_ser, for) VALUES"
        " (1, '1', 12.5, 2, 420, 15, 30, '6', '3', 'Franco arcilloso'),"
        " (2, '2', 7.25, 5, 510, 20, 45, '7', NULL, 'Franco limoso');"
        "INSERT INTO dalu_var_cli (id, var, val, uni) VALUES (1, 1, '11,5', 21), (2, 4, '1800', 22);"
        "INSERT INTO dalu_fte_inf (id, var, fte, per, n, e) VALUES"
        " (1, 4, 'Estación Cunco', '1991-2020', 5686000, 761000),"
        " (2, 1, 'Dirección Meteorológica', '1981-2010', 5680000, 755000);"
        "INSERT INTO dalu_fis (Id, num, for, pos) VALUES (1, '1', '3', '2'), (2, '2', '5', '1');"
        "INSERT INTO dalu_hid (Id, num, mas, tmp, dis, anc) VALUES (1, '2', 2, 1, 150, 3.5);"
        "INSERT INTO dalu_flo (Id, esp, cat, rod, den) VALUES (1, 5, 2, '1, 2', 12.5);"
        "INSERT INTO dalu_fau (Id, esp, cat) VALUES (1, 3, 1);"
        "INSERT INTO dalu_ocu_inc (Id, lug, sup, ano, causa, origen) VALUES (1, 'Ladera norte', 2.5, '2019', 'Quema de desechos', '1');"
        "INSERT INTO dalu_mag_inc (Id, zona, mag_rie, mag_pel, val, pri) VALUES (1, 'Sector alto', 3, 2, 1, 3);"
        "INSERT INTO dalu_des_cua (Id, num, sup, tip_for, esp_dom, esp_arb, estr, est_des, est_san) VALUES"
        " (1, '1', 12.5, 81, 'Roble (Nothofagus obliqua), Raulí (Nothofagus alpina)', 'Canelo (Drimys winteri)', 'Regular', 2, 1),"
        " (2, '2', 7.25, 100, 'Lingue (Persea lingue)', NULL, 'Irregular', 3, 2);"
        "INSERT INTO dalu_tab_rod (Id_tab_rod, num, tip_for, esp1, esp2, esp3, esps, clas_min, clas_max) VALUES"
        " (1, '1', 80, 103, 104, 102, 'Lingue (Persea lingue)', 10, 40), (2, '2', NULL, NULL, NULL, NULL, NULL, NULL, NULL);"
        "INSERT INTO dalu_tab_rod_det (Id, Id_tab_rod, clas_men, clas_may, esp1_den, esp2_den, esp3_den, otra_den,"
        " esp1_area, esp2_area, esp3_area, otra_area, esp1_vol, esp2_vol, esp3_vol, otra_vol) VALUES"
        " (1, 1, 10, 20, 400, 250, 100, 50, 4.5, 2.75, 1.1, 0.5, 20, 12.5, 5, 2),"
        " (2, 1, 20, 30, 200, 150, 60, 20, 6.25, 4.5, 1.8, 0.6, 45, 31, 12, 4),"
        " (3, 1, 30, 40, 80, 40, 0, 10, 5.5, 2.8, 0, 0.7, 48, 24, 0, 5);"
        "INSERT INTO dalu_est_var (Id, Id_tab_rod, clas_men, clas_may, esp1_den, esp1_ab, esp2_den, esp2_ab,"
        " esp3_den, esp3_ab, otra_den, otra_ab) VALUES"
        " (1, 1, 10, 20, 300, 3.4, 200, 2.2, 80, 0.9, 20, 0.2), (2, 1, 20, 30, 180, 5.6, 120, 3.6, 50, 1.5, 10, 0.3);"
        "INSERT INTO dalu_res_mue (Id, num, num_uni, num_arb_med, are_bas_med, num_arb_desv, are_bas_desv, num_arb_var,"
        " are_bas_var, num_arb_coef, are_bas_coef, num_arb_err, area_bas_err) VALUES"
        " (1, '1', 2, 1310, 35.2, 141.4, 2.4, 20000, 5.76, 10.8, 6.8, 9.5, 5.9),"
        " (2, '2', 1, 850, 22.5, 0, 0, 0, 0, 0, 0, 0, 0);"
        "INSERT INTO dalu_car_reg (Id, num, esp, origen, men_50, f50_100, f100_200) VALUES"
        " (1, '1', 'Roble (Nothofagus obliqua)', '1', 1200, 600, 250), (2, '2', NULL, NULL, NULL, NULL, NULL);"
        "INSERT INTO dalu_res_gral (Id, num, sup, den, ab, vol) VALUES (1, '1', 12.5, 1310, 35.2, 287.5), (2, '2', 7.25, 850, 22.5, 140);"
        "INSERT INTO dalu_res_inv (Id, num, esp1_den, esp1_ab, esp1_vol, esp2_den, esp2_ab, esp2_vol, esp3_den, esp3_ab,"
        " esp3_vol, otra_den, otra_ab, otra_vol) VALUES"
        " (1, '1', 680, 16.25, 113, 440, 10.05, 67.5, 160, 2.9, 17, 80, 1.8, 11), (2, '2', NULL, NULL, NULL, NULL, NULL,"
        " NULL, NULL, NULL, NULL, NULL, NULL, NULL);"
        "INSERT INTO dalu_rest (Id, num, topo, sue, flora, fauna, pais, otros) VALUES"
        " (1, '1', '2', NULL, '1', NULL, NULL, NULL), (2, '2', NULL, NULL, NULL, NULL, NULL, NULL);"
        "INSERT INTO dalu_obj (Id_obj, obj, estr, num, sup) VALUES (1, 'Producción de madera', 'Regular', '1, 2', 19.75);"
        "INSERT INTO dalu_crit (Id, esp, edad, inc, vol, met, id_obj) VALUES (1, 'Roble (Nothofagus obliqua)', 60, 8.5, 250, 2, 1);"
        "INSERT INTO dalu_desc (Id_desc, jus, id_obj) VALUES (1, 'Favorecer la regeneración de roble', 1);"
        "INSERT INTO dalu_desc_det (Id_desc_det, act, cond, Id_obj) VALUES"
        " (1, 1, 'Densidad sobre 1200 árb/há', 1), (2, 10, 'Altura sobre 6 m', 1), (3, 20, 'Tras la poda', 1),"
        " (4, 40, 'Suelo descubierto', 1), (5, 50, 'Semillación abundante', 1);"
        "INSERT INTO dalu_prescripcion (Id, pres, id_desc_det) VALUES (1, 'Raleo por lo bajo', 1), (2, 'Poda hasta 3 m', 2);"
        "INSERT INTO dalu_cor_int (Id, tip_cor, num_raleo, esp, ant_den, res_den, ant_ab, res_ab, id_desc_det, obj) VALUES"
        " (1, 10, 1, 'Roble (Nothofagus obliqua)', 1400, 900, 32, 24, 1, 'Producción de madera');"
        "INSERT INTO dalu_pod (Id, esp, num_poda, den_tot, den_pod, alt, Id_desc_det, obj) VALUES"
        " (1, 'Raulí (Nothofagus alpina)', '1', 800, 400, 3, 2, 'Producción de madera');"
        "INSERT INTO dalu_cor_reg (Id, met, esp_fav, den_ant, den_res, ab_ant, ab_res, Id_desc_det, obj) VALUES"
        " (1, 2, 'Roble (Nothofagus obliqua)', 600, 150, 28, 8, 3, 'Producción de madera');"
        "INSERT INTO dalu_reg_ref (Id, esp, met, den, tip_planta, Id_desc_det, obj) VALUES"
        " (1, 'Raulí (Nothofagus alpina)', 1, 1600, 2, 4, 'Producción de madera');"
        "INSERT INTO dalu_est_reg (Id, esp, act, id_desc_det, obj) VALUES"
        " (1, 'Coihue (Nothofagus dombeyi)', 'Escarificación del suelo', 5, 'Producción de madera');"
        "INSERT INTO dalu_act_nosil (Id, act, car_tec) VALUES (1, 'Construcción de cercos', 'Cerco de 5 hebras');"
        "INSERT INTO dalu_car_inv (Id, num, lumo_tip_mue, lumo_form_parc, lumo_tam_parc, reg_tip_mue, reg_form_parc, reg_tam_parc)"
        " VALUES (1, '1', 2, 1, 500, 1, 2, 4);"
        "INSERT INTO dalu_inventario (id_inv, num, dis_inv, tip_parc, forma, num_parc, mag) VALUES"
        " (1, '1', 'Sistemático', 2, 'Circular', 2, 500), (2, '2', 'Sistemático', 1, 'Circular', 1, 250);"
        "INSERT INTO dalu_inv_parcela (id_inv_parc, id_inv, id_parc) VALUES (1, 1, 1), (2, 1, 2), (3, 2, 1);"
        "INSERT INTO dalu_parcela (id, id_inv_parc, esp, dap) VALUES"
        " (1, 1, 103, 22.5), (2, 1, 104, 18), (3, 2, 103, 30), (4, 3, 123, 12);";

private:
    void soloDalu()
    {
        for (TCustomMDIChild *f : std::as_const(formularios)) {
            if (f) {
                f->Modificado = false;
                f->Respondido = true;
            }
        }
        formularios.clear();
        const auto hechos = CrearDocumento(area, app, {QStringLiteral("DALU")}, [](const QString &) { return 12; },
                                           QStringLiteral("Plan de prueba"));
        for (TCustomMDIChild *f : hechos)
            formularios << f;
        form = formularios.value(0);
    }
};

// The same plan in a document without its request form.
class DaluSinDorvo : public DaluPlanLleno
{
protected:
    DaluSinDorvo() { conDorvo = false; }
};
