#pragma once
// An ILVA study beside its DORVO request, with the rows a consultant types: sectors and
// their curtains.
#include "anexoprueba.h"

class IlvaFixture : public AnexoDorvoFixture
{
protected:
    IlvaFixture()
        : AnexoDorvoFixture(QStringLiteral("ILVA"), QStringLiteral(BRENVIK_ILVA_PLUGIN), 55)
    {
    }

    bool sector(const QString &num)
    {
        return agregar(QStringLiteral("uso"), {{"num_sect", num}, {"tip_veg", "1"}, {"uso", "2"}, {"cap_uso", "4"}});
    }
    bool cortina(const QString &sector, const QString &num, const QString &sup, const QString &hileras = QStringLiteral("2"))
    {
        return agregar(QStringLiteral("car"), {{"num_sect", sector}, {"num_cort", num}, {"sup", sup}, {"long", "0,6"},
                                               {"num_hil", hileras}, {"dis", "3"}, {"ano", "2025"}});
    }
};
