#pragma once
// A TISA document with its DORVO form and a small plan typed into their working databases:
// the property with an owner, a roll, an adjoining roll and two coordinates; two stands
// (forest types 45 and 80) whose objectives and climate sources were entered in another
// order than the stands and variables; soils of one stand; a flora row on both stands and a
// fauna row; fires and risk zones; three cuts and two other activities; two protection
// measures and the fire measures.
#include "tisafixture.h"

#include "connection.h"

class TisaPlanLleno : public TisaFixture
{
protected:
    void SetUp() override
    {
        TisaFixture::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(form->ConexionBD->execScript(QString::fromUtf8(kPlan))) << form->ConexionBD->lastError().text().toStdString();
        for (Dataset *ds : form->ConexionBD->datasets())
            ds->Refresh();
        ASSERT_TRUE(dorvo->ConexionBD->execScript(QString::fromUtf8(kSolicitud)))
            << dorvo->ConexionBD->lastError().text().toStdString();
        // Opened again, as after loading a document: the signatory is read anew.
        for (Dataset *ds : dorvo->ConexionBD->datasets()) {
            ds->Close();
            ds->Open();
        }
        ElegirConsultor(app, form, 71, QStringLiteral("15151515, '0', 'Riquelme', 'Soto', 'Camila', '1'"));
        dialogos.boxes.clear();
    }

    static constexpr const char *kSolicitud =
        "UPDATE dorvo SET nom_pre='Parcela Santa Inés', sup=48.75, sup_tit=48, sup_sii=49.5,"
        " via='Camino Los Ángeles - Santa Bárbara, km 23', com='08301', prv='083', reg='08', ciu='Los Ángeles',"
        " fec='2026-05-14 00:00:00', fir=13131313;"
        "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 13131313, '6', 'Luis Alberto', 'Henríquez', 'Paredes', 'Colón 455', 'Los Ángeles', '08301', 1, 1, 0);"
        "INSERT INTO dorvo_rol (id, rol, com) VALUES (1, '456-12', '08301');"
        "INSERT INTO dorvo_rol_con (id, rol) VALUES (1, '456-13');"
        "INSERT INTO dorvo_coo (id, pun, n, e) VALUES (1, 'Puente Duqueco', 5843100, 752300), (2, 'Cerco sur', 5842200, 751900);";

    static constexpr const char *kPlan =
        "UPDATE tisa SET sup_afe=11.5, mepr_inc='Cortafuegos perimetral de 6 m antes de la quema',"
        " meco_inc='Estanque de 5000 l y bomba de espalda en faena';"
        "INSERT INTO tisa_car_bos (Id, num, sup, tip_for, esp_dom, esp_arb) VALUES"
        " (1, '1', 8, 45, 'Roble (Nothofagus obliqua), Raulí (Nothofagus alpina)', 'Laurel (Laurelia sempervirens)'),"
        " (2, '2', 3.5, 80, 'Roble (Nothofagus obliqua)', NULL);"
        "INSERT INTO tisa_obj (Id, num, obj) VALUES (1, '2', 'Habilitar potrero'), (2, '1', 'Recuperar suelo para cultivo de trigo');"
        "INSERT INTO tisa_var_cli (id, var, val, unidad) VALUES (1, 1, '12,8', 21), (2, 4, '1200', 22);"
        "INSERT INTO tisa_fte_inf (id, var, fte, per, coor_nte, coor_este) VALUES"
        " (1, 4, 'Estación Los Ángeles', '1991-2020', 5846000, 748000),"
        " (2, 1, 'Dirección Meteorológica', '1981-2010', 5845000, 747000);"
        "INSERT INTO tisa_hidr (Id, num, masa, temp, dist, ancho) VALUES (1, '1', 2, 1, 80, 4.5);"
        "INSERT INTO tisa_car_sue (Id, num, cap_uso, sup, simb, pen, exp, prof, alt) VALUES"
        " (1, '1', 3, NULL, 'SA-3', 8.5, 2, 3, 210);"
        "INSERT INTO tisa_flo (Id, cat, esp, den, num) VALUES (1, 2, 105, 12.5, '1, 2');"
        "INSERT INTO tisa_fau (Id, cat, esp) VALUES (1, 2, 1);"
        "INSERT INTO tisa_ocu (Id, lug, sup, causa, ano, origen) VALUES (1, 'Borde del camino', 0.8, 'Quema agrícola', '2018, 2022', '1');"
        "INSERT INTO tisa_det (Id, zona, mag_riesgo, mag_pel, pri) VALUES (1, 'Sector poniente', 2, 1, 2);"
        "INSERT INTO tisa_prog_corta (Id, num, sup, ano_cor) VALUES (1, '1', NULL, 2027), (2, '2', NULL, 2027), (3, '1', NULL, 2028);"
        "INSERT INTO tisa_prog_act (Id, num, sup, ano_prog, act) VALUES (1, '1', NULL, 2028, '201'), (2, '2', NULL, 2029, '205');"
        "INSERT INTO tisa_mepr (Id, num, tip_rest, mepr) VALUES"
        " (1, '1', 55, 'Se conservan los individuos de hualo en una franja de 20 m'),"
        " (2, '2', 52, 'Franja de protección de 15 m al estero');";
};
