#pragma once
// A HARPE norm beside its DORVO request, with the rows a consultant types: stands (their
// regeneration rows made with them) and the regeneration of each.
#include "anexoprueba.h"

class HarpeFixture : public AnexoDorvoFixture
{
public: // the tables of cases drive the fixture from their own lambdas
    HarpeFixture()
        : AnexoDorvoFixture(QStringLiteral("HARPE"), QStringLiteral(BRENVIK_HARPE_PLUGIN), 41)
    {
    }

    // A stand cut in `ano`, 800 lenga and no coigüe unless told.
    bool rodal(const QString &num, const QString &sup, const QString &ano = QStringLiteral("2098"),
               const QString &lenga = QStringLiteral("800"), const QString &coigue = QString())
    {
        return agregar(QStringLiteral("car"), {{"num", num}, {"sup", sup}, {"sit", "1"}, {"dmc", "42"}, {"pen", "18"},
                                               {"ano_cor", ano}, {"alt", "24,5"}, {"den_ini_len", lenga},
                                               {"den_ini_coi", coigue}, {"rango", "2"}});
    }
    bool regeneracion(const QString &num, const QString &densidad)
    {
        return modificar(QStringLiteral("car_reg"), "num", num,
                         {{"den", densidad}, {"alt", "35"}, {"dis", "1"}, {"esp", QStringLiteral("Lenga (Nothofagus pumilio)")}});
    }
};
