#pragma once
// A KIFO accreditation beside its FERUN request, with the rows a consultant types:
// resolutions and curtains.
#include "anexoprueba.h"

class KifoFixture : public AnexoFerunFixture
{
protected:
    KifoFixture()
        : AnexoFerunFixture(QStringLiteral("KIFO"), QStringLiteral(BRENVIK_KIFO_PLUGIN), 52)
    {
    }

    bool resolucion(const QString &numero, const QString &fecha = QStringLiteral("14-05-2024"))
    {
        return agregar(QStringLiteral("ant_resol"), {{"num_res", numero}, {"fec", fecha}});
    }
    bool cortina(const QString &sector, const QString &num, const QString &largo, const QString &ano = QStringLiteral("2024"))
    {
        return agregar(QStringLiteral("car_cort"), {{"num_sect", sector}, {"num_cort", num}, {"long", largo},
                                                    {"num_hil", "2"}, {"dist_hil", "3"}, {"ano", ano}});
    }
};
