#pragma once
// A JOREV study beside its DORVO request, with the rows a consultant types: areas, their
// soil-fragility evidence and their water resources.
#include "anexoprueba.h"

class JorevFixture : public AnexoDorvoFixture
{
protected:
    JorevFixture()
        : AnexoDorvoFixture(QStringLiteral("JOREV"), QStringLiteral(BRENVIK_JOREV_PLUGIN), 53)
    {
    }

    bool agregarArea(const QString &num, const QString &sup)
    {
        return agregar(QStringLiteral("car"), {{"num_area", num}, {"cap_sii", "6"}, {"cap_et", "7"},
                                               {"cond", "b) Cercano a recursos hídricos"}, {"sup", sup}, {"tip_bos", "1"}});
    }
    bool fragilidad(const QString &num, const QString &riesgoDes = QStringLiteral("1"))
    {
        return agregar(QStringLiteral("ant_frag_suelo"),
                       {{"num_area", num}, {"pend", "48,5"}, {"text", "Franco arcillosa"}, {"estr", "Bloques subangulares"},
                        {"prof", "35"}, {"pedr", "10"}, {"rocos", "0"}, {"ries_des", riesgoDes}, {"ries_eros", "2"}});
    }
    bool agua(const QString &num, const QString &nombre = QStringLiteral("Estero Las Vertientes"))
    {
        return agregar(QStringLiteral("ant_rec_hid"), {{"num_area", num}, {"curso", "1"}, {"nom_curso", nombre},
                                                       {"temp", "1"}, {"ancho_max", "3,5"}, {"ancho_faja", "20"}});
    }
};
