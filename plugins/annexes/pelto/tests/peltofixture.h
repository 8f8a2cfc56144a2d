#pragma once
// A PELTO accreditation beside its FERUN request, with the rows a consultant types:
// stands and their pruning and thinning.
#include "anexoprueba.h"

class PeltoFixture : public AnexoFerunFixture
{
protected:
    PeltoFixture()
        : AnexoFerunFixture(QStringLiteral("PELTO"), QStringLiteral(BRENVIK_PELTO_PLUGIN), 51)
    {
    }

public:
    bool rodal(const QString &num, const QString &sup)
    {
        return agregar(QStringLiteral("ant_plan"), {{"num", num}, {"ano", "2012"}, {"sup", sup},
                                                    {"esp", "Pino radiata (Pinus radiata)"}, {"ab", "24"}, {"den", "1250"}});
    }
    // A pruning and thinning row of stand `num`; an empty year leaves that activity out.
    bool poda(const QString &num, const QString &anoPoda, const QString &anoRaleo)
    {
        return agregar(QStringLiteral("car"), {{"num", num}, {"ano_pod", anoPoda}, {"num_arb_pod", "450"}, {"alt_pod", "2,5"},
                                               {"ano_ral", anoRaleo}, {"num_arb_ral", "600"}, {"area_ral", "8,5"}});
    }
};
