#pragma once
// A generic-form document of a combination with its DORVO form, both typed into their
// working databases: the property with an owner, a roll, an adjoining roll and a
// coordinate; three stands; three climate variables with none, one and two sources;
// physiography, hydrography, a flora row in three stands and a fauna row; activities in
// four of the eight activity tables; a protection measure; the frames' rows (two burned
// rows for stand 1, a resolution, two prospections). Combination 90 is a test combination
// showing every fixed page and every frame.
#include "lumofixture.h"

#include "connection.h"

class LumoLleno : public LumoFixture
{
protected:
    static constexpr int kTodas = 90;

    // A new document of combination `id`, filled.
    void abrir(int id)
    {
        combinacion = id;
        if (id == kTodas) {
            QList<QStringList> filas = {{"0", "FORMULARIO DE PRUEBA", "0", "", "", ""}};
            for (int p = 1; p <= 18; ++p)
                filas << QStringList{QString::number(p), QStringLiteral("Página %1").arg(p), QStringLiteral("1"), QString::number(p), QString(), QString()};
            int n = 19;
            for (const char *marco : {"lumoFrm_titulo", "lumoFrm_plga", "lumoFrm_srex", "lumoFrm_bqmd"})
                filas << QStringList{QString::number(n++), QStringLiteral("Marco %1").arg(QLatin1String(marco)), QStringLiteral("1"), QString(),
                                     QLatin1String(marco), QString()};
            secciones(kTodas, filas, QStringLiteral("FORMULARIO\\DE PRUEBA"));
        }
        abrirDocumento();
        ASSERT_TRUE(form && dorvo);
        llenar(form, kLumo);
        llenar(dorvo, kSolicitud);
        if (!m_consultor)
            ElegirConsultor(app, form, 72, QStringLiteral("15151515, '6', 'Riquelme', 'Soto', 'Valentina', '1'"));
        form->ConsultorId = 72;
        m_consultor = true;
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

    bool m_consultor = false; // registered in the program's main database

    static constexpr const char *kSolicitud =
        "UPDATE dorvo SET nom_pre='Fundo Las Quilas', sup=48.5, sup_tit=48, sup_sii=49.1,"
        " via='Ruta 215, km 30, camino a Puyehue', com='10301', prv='103', reg='10', ciu='Osorno',"
        " fec='2026-03-16 00:00:00', fir=13131313;"
        "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 13131313, '4', 'Jorge Andrés', 'Müller', 'Paredes', 'Los Carrera 1020', 'Osorno', '10301', 1, 1, 0);"
        "INSERT INTO dorvo_rol (id, rol, com) VALUES (1, '455-12', '10301');"
        "INSERT INTO dorvo_rol_con (id, rol) VALUES (1, '455-13');"
        "INSERT INTO dorvo_coo (id, pun, n, e) VALUES (1, 'Puente sur', 5497300, 672100);";

    static constexpr const char *kLumo =
        "UPDATE lumo SET sup_afe=24, mepr_plag='Recorridos de inspección en primavera', meco_plag='Corta sanitaria',"
        " mepr_inc='Cortafuegos perimetral', meco_inc='Brigada propia', obs='Acceso en todo el año';"
        "INSERT INTO lumo_car (id, num, sup, tipo_for, esp, pen, ano, den, est_desa, est_sani, cap_uso, ano_bonif) VALUES"
        " (1, '1', 12.5, 1, 'Pino radiata (Pinus radiata)', 10, 2005, 1250, '2', '1', '3', 2006),"
        " (2, '2', 7.5, 1, 'Pino radiata (Pinus radiata), Eucalipto (Eucalyptus globulus)', 22.5, 2008, 1100, '2', '2', '4', NULL),"
        " (3, '3', 4, 1, NULL, 5, 2010, 833, '1', '1', '3', NULL);"
        "INSERT INTO lumo_var_cli (id, var, val, uni) VALUES (1, 1, '11,5', 21), (2, 4, '1.450', 22), (3, 2, '19', 21);"
        "INSERT INTO lumo_fte_inf (id, var, fte, per, n, e) VALUES"
        " (1, 4, 'Estación Remehue', '1990-2020', 5510000, 660000),"
        " (2, 2, 'Estación Cañal Bajo', '1980-2010', 5512000, 662000), (3, 2, 'Atlas agroclimático', '1990-2020', NULL, NULL);"
        "INSERT INTO lumo_fis (id, num, for, pen, alt, exp, pos) VALUES (1, '1', '1', 10, 120, '2', '1');"
        "INSERT INTO lumo_hid (id, num, mas, tmp, dis, anc) VALUES (1, '2', 1, 1, 40, 3.5);"
        "INSERT INTO lumo_flo (id, esp, cat, rod, den) VALUES (1, 105, 2, '1,2,3', 15);"
        "INSERT INTO lumo_fau (id, esp, cat) VALUES (1, 2, 1);"
        "INSERT INTO lumo_pod (id, num, esp, num_poda, den_tot, den_pod, porc_poda, alt, ano) VALUES"
        " (1, '1', '1', '1', 1250, 600, 48, 2, 2026);"
        "INSERT INTO lumo_raleo (id, num, tipo_raleo, dap, den_antes, den_despues, inten, ano) VALUES"
        " (1, '1', '60', 18, 1250, 800, 36, 2026), (2, '2', '501', 22, 1100, 700, 36.4, 2027);"
        "INSERT INTO lumo_corta (id, num, sec, ano, met_cor, ab, arb, alt) VALUES (1, '3', 1, 2028, 1, 25.5, 400, 18);"
        "INSERT INTO lumo_cor_int (id, num, tip_cor, esp, ant_den, res_den, ant_ab, res_ab) VALUES"
        " (1, '2', 1, 'Eucalipto (Eucalyptus globulus)', 1100, 700, 30, 21);"
        "INSERT INTO lumo_regen (id, num, esp, act) VALUES (1, '3', 'Pino radiata (Pinus radiata)', 'Control de malezas');"
        "INSERT INTO lumo_mepr (id, num, tipo_rest, trozel) VALUES (1, '2', 1, 'Franja de protección del estero');"
        "INSERT INTO lumo_frmLumo (id, num, cmp1, cmp2, cmp3, date1) VALUES"
        " (1, '1', '1', 'Sirex noctilio', 'Avispa de la madera', '2025-02-14 00:00:00'),"
        " (2, '1', '2', NULL, NULL, '2025-12-30 00:00:00');"
        "INSERT INTO lumo_frmLumo2 (id, num, int1) VALUES (1, '1', 2026), (2, '2', 2027);";
};
