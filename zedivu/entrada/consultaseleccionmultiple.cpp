#include "consultaseleccionmultiple.h"

#include <array>

namespace {

QString especieOrden(const char *codigo)
{
    return QStringLiteral("SELECT espe_descripcion FROM especie ORDER BY espe_%1,espe_descripcion").arg(QLatin1String(codigo));
}

const std::array<const char *, kCantidadTiposSeleccionMultiple> &nombres()
{
    static const std::array<const char *, kCantidadTiposSeleccionMultiple> n{
        "tsmNinguno",       "tsmAnoActualMax", "tsmEspecie",     "tsmEspecieTAMVO", "tsmEspecieQUIREL",
        "tsmEspecieCOBA",   "tsmEspecieERTIV", "tsmEspecieKELU", "tsmEspecieNativo", "tsmEspecieDALU",
        "tsmEspecieMARPO",  "tsmFlora",        "tsmFauna",       "tsmEspecieHARPE"};
    return n;
}

} // namespace

QString NombreSeleccionMultiple(TTipoSeleccionMultiple tipo)
{
    return QLatin1String(nombres().at(std::size_t(tipo)));
}

bool TipoSeleccionMultiplePorNombre(const QString &nombre, TTipoSeleccionMultiple &tipo)
{
    for (int i = 0; i < kCantidadTiposSeleccionMultiple; ++i) {
        if (nombre == QLatin1String(nombres().at(std::size_t(i)))) {
            tipo = TTipoSeleccionMultiple(i);
            return true;
        }
    }
    return false;
}

ConsultaLista ConsultaSeleccionMultiple(TTipoSeleccionMultiple tipo, bool paraGrilla, int anoActual)
{
    switch (tipo) {
    case tsmNinguno:
        return {};
    case tsmAnoActualMax:
        return {QStringLiteral("SELECT ano FROM anos WHERE id_ano<=?"), {anoActual}};
    case tsmEspecie:
        return {QStringLiteral("SELECT espe_descripcion FROM especie ORDER BY espe_primera,espe_descripcion"), {}};
    case tsmEspecieTAMVO:
        return {especieOrden("tamvo"), {}};
    case tsmEspecieQUIREL:
        return {especieOrden("quirel"), {}};
    case tsmEspecieCOBA:
        return {especieOrden("coba"), {}};
    case tsmEspecieERTIV:
        return {especieOrden("ertiv"), {}};
    case tsmEspecieKELU:
        return {especieOrden("kelu"), {}};
    case tsmEspecieNativo:
        return {paraGrilla ? QStringLiteral("SELECT espe_descripcion FROM especie WHERE espe_tipo=2 ORDER BY espe_primera,espe_descripcion")
                           : QStringLiteral("SELECT espe_descripcion FROM especie WHERE espe_tipo = 2 ORDER BY espe_primera,espe_descripcion"),
                {}};
    case tsmEspecieDALU:
        return {QStringLiteral("SELECT espe_descripcion FROM especie ORDER BY espe_tipo desc, espe_primera,espe_descripcion"), {}};
    case tsmEspecieMARPO:
        return {QStringLiteral("SELECT espe_descripcion FROM especie ORDER BY espe_descripcion"), {}};
    case tsmFlora:
        if (!paraGrilla)
            return {};
        return {QStringLiteral("SELECT espe_descripcion FROM especie WHERE espe_conservacion = 1 ORDER BY espe_descripcion"), {}};
    case tsmFauna:
        if (!paraGrilla)
            return {};
        return {QStringLiteral("SELECT IFNULL(faun_descripcion,'') || ' (' || IFNULL(faun_nombrecomun,'') || ') ' FROM fauna ORDER BY faun_descripcion"), {}};
    case tsmEspecieHARPE:
        return {QStringLiteral("SELECT espe_descripcion FROM especie WHERE espe_harpe = true ORDER BY espe_primera,espe_descripcion"), {}};
    }
    return {};
}
