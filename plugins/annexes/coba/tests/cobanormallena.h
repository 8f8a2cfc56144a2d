#pragma once
// A COBA document with its DORVO form and a small norm typed into their working databases:
// the property with an owner, a roll, an adjoining roll and a coordinate; two stands (the
// first with two species); two thinnings of the first stand and one harvest of the second;
// the observations of the stands and of the thinnings.
#include "cobafixture.h"

#include "connection.h"

class CobaNormaLlena : public CobaFixture
{
protected:
    void SetUp() override
    {
        CobaFixture::SetUp();
        if (HasFatalFailure())
            return;
        llenar(form, kNorma);
        llenar(dorvo, kSolicitud);
        ElegirConsultor(app, form, 72, QStringLiteral("16161616, '2', 'Fuentealba', 'Mora', 'Ignacio', '1'"));
        dialogos.boxes.clear();
    }

    // Written behind the windows' back, then read again as after loading a document.
    static void llenar(TCustomMDIChild *f, const char *sql)
    {
        ASSERT_TRUE(f->ConexionBD->execScript(QString::fromUtf8(sql))) << f->ConexionBD->lastError().text().toStdString();
        for (Dataset *ds : f->ConexionBD->datasets()) {
            ds->Close();
            ds->Open();
        }
    }

    static constexpr const char *kSolicitud =
        "UPDATE dorvo SET nom_pre='Fundo El Maitén', sup=35.5, sup_tit=35, sup_sii=36.2,"
        " via='Ruta 5 Sur, km 412, camino a Quilaco', com='08301', prv='083', reg='08', ciu='Mulchén',"
        " fec='2026-06-02 00:00:00', fir=14141414;"
        "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 14141414, '3', 'Rosa Elena', 'Carrasco', 'Vidal', 'Villagrán 210', 'Mulchén', '08301', 1, 2, 0);"
        "INSERT INTO dorvo_rol (id, rol, com) VALUES (1, '210-7', '08301');"
        "INSERT INTO dorvo_rol_con (id, rol) VALUES (1, '210-8');"
        "INSERT INTO dorvo_coo (id, pun, n, e) VALUES (1, 'Portón norte', 5820400, 741800);";

    static constexpr const char *kNorma =
        "UPDATE coba SET sup_afe=20.5, obs1='Rodales en lomaje suave', obs2='Raleo a desecho en el rodal 1', obs3=NULL;"
        "INSERT INTO coba_car (id, num, esp, sup, pen, ano, den) VALUES"
        " (1, '1', 'Pino radiata (Pinus radiata), Pino oregón (Pseudotsuga menziesii)', 12.5, 18, 2008, 1400),"
        " (2, '2', 'Pino radiata (Pinus radiata)', 8, 35.5, 2001, 950);"
        "INSERT INTO coba_act_ral (id, num, dap, den_des, int, ano) VALUES"
        " (1, '1', 16.5, 900, 35.7, 2026), (2, '1', 22, 600, 33.3, 2028);"
        "INSERT INTO coba_act_cor_ref (id, num, ano_cor, ano_ref, esp, den) VALUES"
        " (1, '2', 2027, 2028, 'Pino radiata (Pinus radiata)', 1250);";
};
