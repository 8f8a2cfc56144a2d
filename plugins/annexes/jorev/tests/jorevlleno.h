#pragma once
// A JOREV study with its DORVO request typed into their working databases: the property
// with an owner, a roll, an adjoining roll and a coordinate; three areas with none, one and
// two soil-fragility rows (one of them with a risk code missing from its list); water
// rows, one of them a free "other" entry of the water list; the three observations.
#include "jorevfixture.h"

#include "connection.h"
#include "gridcolumn.h"

class JorevLleno : public JorevFixture
{
protected:
    void SetUp() override
    {
        JorevFixture::SetUp();
        if (HasFatalFailure())
            return;
        llenarDocumento(kEstudio, kPredio, 72,
                        QStringLiteral("16161616, 'K', 'Fuentes', 'Lagos', 'Tomás', '1'"));
        // The water list offers "OTRO" and the entry the consultant typed in it.
        GridColumn *curso = grilla(QStringLiteral("ant_rec_hid"))->ColumnByFieldName(QStringLiteral("curso"));
        ASSERT_NE(curso, nullptr);
        curso->setKeyList(curso->KeyList() << QStringLiteral("99") << QStringLiteral("-2"));
        curso->setPickList(curso->PickList() << QStringLiteral("OTRO") << QStringLiteral("Canal de regadío"));
        curso->setMinWidth(-99);
    }

    static constexpr const char *kPredio =
        "UPDATE dorvo SET nom_pre='Fundo El Maitén', sup=120.5, sup_tit=120, sup_sii=121,"
        " via='Ruta 5 Sur, desvío a Quilleco km 8', com='08301', prv='083', reg='08', ciu='Mulchén',"
        " fec='2026-06-02 00:00:00', fir=12121212;"
        "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat, dom, ciu, com, firm, sexo, usuf) VALUES"
        " (1, 12121212, '5', 'Marta Elena', 'Sepúlveda', 'Rojas', 'Balmaceda 120', 'Mulchén', '08301', 1, 2, 0);"
        "INSERT INTO dorvo_rol (id, rol, com) VALUES (1, '210-4', '08301');"
        "INSERT INTO dorvo_rol_con (id, rol) VALUES (1, '210-5');"
        "INSERT INTO dorvo_coo (id, pun, n, e) VALUES (1, 'Casa patronal', 5821400, 741200);";

    static constexpr const char *kEstudio =
        "UPDATE jorev SET sup_afe=31.5, obs='Áreas en ladera de exposición sur',"
        " obs2='Muestreo de suelos en marzo', obs3='Esteros permanentes';"
        "INSERT INTO jorev_car (Id, num_area, cap_sii, cap_et, cond, sup, tip_bos) VALUES"
        " (1, '1', 6, 7, 'b) Cercano a recursos hídricos', 10, 1),"
        " (2, '2', 7, 7, 'a) Suelos frágiles con pendiente superior a 45%', 12.5, 1),"
        " (3, '3', 7, 8, 'c) Suelos frágiles con pendiente superior a 45% y Cercano a recursos hídricos', 9, 2);"
        "INSERT INTO jorev_ant_frag_suelo (Id, num_area, pend, text, estr, prof, pedr, rocos, ries_des, ries_eros) VALUES"
        " (1, '3', 62, 'Franco arenosa', 'Granular', 25, 15, 5, 3, 2),"
        " (2, '2', 48.5, 'Arcillosa', 'Bloques', 40, 0, 0, 1, 77),"
        " (3, '3', 55, 'Franca', 'Laminar', 30, 10, 2, 2, 1);"
        "INSERT INTO jorev_ant_rec_hid (Id, num_area, curso, nom_curso, temp, ancho_max, ancho_faja, sup) VALUES"
        " (1, '1', 2, 'Estero Pilén', 1, 4, 20, NULL),"
        " (2, '3', -2, 'Canal Las Mercedes', 2, 1.5, 10, NULL);";
};
