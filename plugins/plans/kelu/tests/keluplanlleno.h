#pragma once
// A KELU document with its DORVO form (unless a test asks for none), and a small plan
// typed into their working databases: the property with two owners, two rolls, an
// adjoining roll and two coordinates; two stands and a sector; the climate with its
// sources listed in another order than the variables; a stand and a sector in the
// diagnosis; two management units with activities of the five classes; a road with its
// log yard and a log yard alone; protection measures of a stand and of a sector.
#include "kelufixture.h"

#include "connection.h"

class KeluPlanLleno : public KeluFixture
{
protected:
    KeluPlanLleno() { conDorvo = true; }

    void SetUp() override
    {
        KeluFixture::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(form->ConexionBD->execScript(QString::fromUtf8(kPlan))) << form->ConexionBD->lastError().text().toStdString();
        for (Dataset *ds : form->ConexionBD->datasets())
            ds->Refresh();
        if (TCustomMDIChild *dorvo = form->BuscarFormulario(QStringLiteral("dorvo"))) {
            ASSERT_TRUE(dorvo->ConexionBD->execScript(QString::fromUtf8(kSolicitud)))
                << dorvo->ConexionBD->lastError().text().toStdString();
            // Opened again, as after loading a document: the signatory is read anew.
            for (Dataset *ds : dorvo->ConexionBD->datasets()) {
                ds->Close();
                ds->Open();
            }
        }
        ElegirConsultor(app, form, 70, QStringLiteral("9876543, 'K', 'Fuentes', 'Lagos', 'María', '1'"));
        if (HasFatalFailure())
            return;
        dialogos.boxes.clear();
    }

    static constexpr const char *kSolicitud =
        "UPDATE dorvo SET nom_pre='Fundo Los Quillayes', sup=120.5, sup_tit=118, sup_sii=121.25,"
        " via='Ruta M-50, km 12, camino a Putú', com='07102', prv='071', reg='07', ciu='Constitución',"
        " fec='2026-03-02 00:00:00', fir=11111111;"
        "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 11111111, '1', 'Ana María', 'Soto', 'Díaz', 'Freire 120', 'Constitución', '07102', 1, 2, 0),"
        " (2, 22222222, '2', 'José', 'Muñoz', 'Vera', 'Portales 44', 'Talca', '07101', 0, 1, 0);"
        "INSERT INTO dorvo_rol (id, rol, com) VALUES (1, '123-45', '07102'), (2, '123-46', '07102');"
        "INSERT INTO dorvo_rol_con (id, rol) VALUES (1, '123-40');"
        "INSERT INTO dorvo_coo (id, pun, n, e) VALUES (1, 'Portón de acceso', 6085200, 742100),"
        " (2, 'Esquina norte', 6086400, 743000);";

    static constexpr const char *kPlan =
        "UPDATE kelu SET sup_afe=55.5, uso_rec_pla=30.5, uso_rec_bos=5, sue_for=10, sue_ref=2,"
        " mepr_plag='Monitoreo anual de Sirex', meco_plag='Liberación de controladores biológicos',"
        " mepr_inc='Cortafuegos de 10 m', meco_inc='Brigada propia', desc_tec_cam='Camino ripiado de 4 m',"
        " desc_tec_can='Canchas de 50 x 100 m', resJud_tiene=1, resJud_desc='Causa rol 123-2024, Juzgado de Constitución';"
        "INSERT INTO kelu_desc (Id, num, sup, ano, esp, est_san, cap, ano_bon) VALUES"
        " (1, '1', 20.5, 2010, 'Pino radiata (Pinus radiata)', 1, 3, NULL),"
        " (2, '2', 10, 2015, 'Pino radiata (Pinus radiata), Eucalipto (Eucalyptus globulus)', 2, 4, 2016);"
        "INSERT INTO kelu_det_sec (Id, num_sec, sup, cap, num_res, tip_veg) VALUES (1, 'A', 15, 6, 'R-12/2024', 3);"
        "INSERT INTO kelu_var_cli (id, var, val, unidad) VALUES (1, 1, 11.5, 21), (2, 4, 750, 22);"
        "INSERT INTO kelu_fte_inf (id, var, fte, per, n, e) VALUES"
        " (1, 4, 'Estación Constitución', '1990-2020', 6087000, 745000),"
        " (2, 1, 'Dirección Meteorológica', '1981-2010', 6080000, 740000);"
        "INSERT INTO kelu_fis (Id, num, num_sec, form, pen, alt, exp, pos) VALUES"
        " (1, '1', NULL, '3', 12.5, 150, 2, '2'), (2, NULL, 'A', '1', 3, 80, 9, '3');"
        "INSERT INTO kelu_hidr (Id, num, num_sec, masa, temp, dist, ancho) VALUES (1, '2', NULL, 2, 1, 150, 3.5);"
        "INSERT INTO kelu_ocu_inc (Id, num, lug, sup, ano, causa, origen) VALUES"
        " (1, '1', 'Ladera norte', 2.5, '2019, 2021', 'Quema de desechos', '1');"
        "INSERT INTO kelu_det_mag (Id, zona, mag_riesgo, mag_pel, prior) VALUES"
        " (1, 'Zona poniente', 3, 2, 3), (2, 'Zona oriente', 1, 1, 1);"
        "INSERT INTO kelu_rest_var (Id, num, top, suelo, rec_hid, esp_flora, esp_fauna) VALUES"
        " (1, '1', 35, NULL, '47', 'Hualo (Nothofagus glauca)', 'Pudu puda (Pudú) , Puma concolor (Puma) ');"
        "INSERT INTO kelu_obj (Id_obj, obj, num, num_sec, unidad, sup_tot) VALUES"
        " (1, 'Producción de madera aserrable', '1, 2', 'A', 'UM-1', 45.5), (2, 'Protección', '2', NULL, 'UM-2', 10);"
        "INSERT INTO kelu_desc_esq (Id_desc, Id_obj, unidad, act, edad, pres) VALUES"
        " (1, 1, 'UM-1', 2, 8, 'Poda hasta 2,5 m'), (2, 1, 'UM-1', 5, 12, 'Raleo a 700 árboles por hectárea'),"
        " (3, 2, 'UM-2', 8, 24, 'Tala rasa'), (4, 2, 'UM-2', 9, 25, 'Reforestar con pino'),"
        " (5, 1, 'UM-1', 1, 0, 'Plantación del sector A');"
        "INSERT INTO kelu_for (Id, Id_desc, esp, den, tip_planta, unidad) VALUES"
        " (1, 5, 'Eucalipto (Eucalyptus globulus)', 1600, 2, 'UM-1');"
        "INSERT INTO kelu_poda (Id, Id_desc, esp, num_poda, den, arb_pod, unidad, alt) VALUES"
        " (1, 1, 'Pino radiata (Pinus radiata)', '1', 1250, 100, 'UM-1', 2.5);"
        "INSERT INTO kelu_ral (Id, Id_desc, esp, num_raleo, den, ab, arb_ral, ab_ral, unidad) VALUES"
        " (1, 2, 'Pino radiata (Pinus radiata)', '1', 1200, 28, 40, 35, 'UM-1');"
        "INSERT INTO kelu_cor (Id, Id_desc, esp, met, den, arb_cor, ab_cor, unidad) VALUES"
        " (1, 3, 'Pino radiata (Pinus radiata), Eucalipto (Eucalyptus globulus)', 71, 700, 100, 100, 'UM-2');"
        "INSERT INTO kelu_ref (Id, Id_desc, esp, met, den, tip_planta, unidad) VALUES"
        " (1, 4, 'Pino radiata (Pinus radiata)', 41, 1600, 2, 'UM-2');"
        "INSERT INTO kelu_plan_cam (Id, cam_id, num_cam, long, ancho, can_id, num_can, sup) VALUES"
        " (1, 'C-1', '1', 2.5, 4, 'K-1', '1', 0.5), (2, NULL, NULL, NULL, NULL, 'K-2', '2', 0.3);"
        "INSERT INTO kelu_mepr (Id, id_restVar, num, num_sec, tip_rest, med_prot) VALUES"
        " (1, 1, '1', NULL, 54, 'Curvas de nivel'), (2, 1, '1', NULL, 55, 'Franja de protección de 20 m'),"
        " (3, 1, '1', NULL, 56, 'Corredor biológico'), (4, NULL, NULL, 'A', 53, 'Zanjas de infiltración');";
};

// The same plan in a document without its request form.
class KeluSinDorvo : public KeluPlanLleno
{
protected:
    KeluSinDorvo() { conDorvo = false; }
};
