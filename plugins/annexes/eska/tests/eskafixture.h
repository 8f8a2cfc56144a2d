#pragma once
// An ESKA request beside its DORVO request, with the rows a consultant types: sectors and
// their resolutions, bonuses and justifications.
#include "anexoprueba.h"

class EskaFixture : public AnexoDorvoFixture
{
protected:
    EskaFixture()
        : AnexoDorvoFixture(QStringLiteral("ESKA"), QStringLiteral(BRENVIK_ESKA_PLUGIN), 54)
    {
    }

    bool sector(const QString &num, const QString &supDes)
    {
        return agregar(QStringLiteral("ant_des"), {{"num_sect", num}, {"sup_cal", "20"}, {"sup_des", supDes},
                                                   {"cap", "4"}, {"sue", "1"}, {"veg", "1"}});
    }
    bool justificacion(const QString &num, const QString &causa)
    {
        return agregar(QStringLiteral("jus"), {{"num_sect", num}, {"cau", causa}});
    }
    bool bono(const QString &num)
    {
        return agregar(QStringLiteral("ant_bon"), {{"num_sect", num}, {"tip_bon", "1"}, {"num_res", "R-118"},
                                                   {"fec", "12-03-2019"}, {"sup", "3,5"}, {"mon", "450000"}});
    }
};
