#pragma once
// An ERTIV norm beside its DORVO request, with the rows a consultant types: stands in the
// summary (their soil rows made with them), their characterisation by species, cuts and
// reforestations.
#include "anexoprueba.h"

class ErtivFixture : public AnexoDorvoFixture
{
public: // the tables of cases drive the fixture from their own lambdas
    ErtivFixture()
        : AnexoDorvoFixture(QStringLiteral("ERTIV"), QStringLiteral(BRENVIK_ERTIV_PLUGIN), 40)
    {
    }

    bool rodal(const QString &num, const QString &sup)
    {
        return agregar(QStringLiteral("res"), {{"num", num}, {"sup", sup}, {"sit", "1"}, {"dmc", "46"}, {"pen", "22"},
                                               {"por", "35"}, {"num_estr", "2"}, {"reg", "2"}});
    }
    // Ulmo unless told.
    bool especie(const QString &num, const QString &esp = QStringLiteral("116"))
    {
        return agregar(QStringLiteral("car"), {{"num", num}, {"esp", esp}, {"nah_m20_int", "120"}, {"nah_m20_tol", "340"},
                                               {"nah_tot_int", "180"}, {"ab_tot_int", "32,5"}});
    }
    bool corta(const QString &num, const QString &sec)
    {
        return agregar(QStringLiteral("act_cor"),
                       {{"num", num}, {"sec", sec}, {"ano_cor", "2027"}, {"met_cor", "101"}, {"ab", "18,5"}});
    }
    bool reforestacion(const QString &num, const QString &sec)
    {
        return agregar(QStringLiteral("act_ref"), {{"num", num}, {"sec", sec}, {"ano_ref", "2028"}, {"met_reg", "41"},
                                                   {"den", "1100"}, {"esp", QStringLiteral("Ulmo (Eucryphia cordifolia)")}});
    }
};
