#include "ttipocomboexterno.h"

#include <QStringList>
#include <array>

namespace {

struct Lista
{
    const char *nombre;
    QString cola; // what follows "SELECT "
};

QString att(int n)
{
    return QStringLiteral("att_codigo,att_descripcion FROM atributotipo WHERE att_tipo=%1").arg(n);
}

QString tipo(int n, const char *mas = "")
{
    return QStringLiteral("tipo_codigo, tipo_descripcion FROM tipo WHERE titi_codigo=%1").arg(n) + QLatin1String(mas);
}

QString metodo(int n)
{
    return QStringLiteral("meto_codigo, meto_descripcion FROM metodo WHERE time_codigo=%1").arg(n);
}

QString especieOrden(const char *codigo)
{
    return QStringLiteral("espe_codigo, espe_descripcion FROM especie ORDER BY espe_%1,espe_descripcion").arg(QLatin1String(codigo));
}

// In the order of TTipoComboExterno. tceAnosActual binds the current year.
const std::array<Lista, kCantidadTiposCombo> &listas()
{
    static const std::array<Lista, kCantidadTiposCombo> l{{
        {"tceVariablesClimaticas", att(1)},
        {"tceFormasRelieve", att(2)},
        {"tceExposicion", att(14)},
        {"tceTemporalidad", att(4)},
        {"tceEstadoSanitario", att(5)},
        {"tceVegetacion", att(6)},
        {"tceMagnitudRiesgo", att(7)},
        {"tceMagnitudPeligro", att(8)},
        {"tcePrioridad", att(9)},
        {"tceMasasAgua", att(10)},
        {"tceRecursosHidricos", att(11)},
        {"tceUsoActual", att(12)},
        {"tceRestriccion", att(13)},
        {"tcePosicionamiento", att(3)},
        {"tceGradoRestriccion", att(15)},
        {"tceRegeneracionNatural", att(16)},
        {"tceSueloSiempreverde", att(17)},
        {"tceRoca", att(18)},
        {"tceProfundidadEfectiva", att(19)},
        {"tceVarSueloFragil", att(20)},
        {"tceVarSueloNadis", att(21)},
        {"tceOrigen", att(27)},
        {"tceOrigenIncendio", att(31)},
        {"tceForma", att(30)},
        {"tceDiseno", att(32)},
        {"tceTipoParcela", att(33)},
        {"tceVariableDasometrica", att(34)},
        {"tceVarSueloDegradado", att(22)},
        {"tceVarDunas", att(23)},
        {"tceEstructura", att(26)},
        {"tceValorPotencial", att(24)},
        {"tceEstadoDesarrollo", att(25)},
        {"tcePendiente", att(39)},
        {"tceDensidad", att(40)},
        {"tceRegeneracionAlerce", att(35)},
        {"tceCobertura", att(36)},
        {"tceCuasaMuerte", att(37)},
        {"tceCondicion", att(38)},
        {"tceSueloAlerce", att(41)},
        {"tceExplotacion", tipo(1)},
        {"tceVegetacion2", tipo(2)},
        {"tcePlanta", tipo(3)},
        {"tceProteccion", tipo(4)},
        {"tceForestal", tipo(5, " ORDER BY tipo_descripcion")},
        {"tceCorta", tipo(6)},
        {"tceReforestacion", tipo(7)},
        {"tceSuelo", tipo(8)},
        {"tceSueloZURI", tipo(8, " AND tipo_suelo_zuri")},
        {"tceSueloNirka", tipo(8, " AND tipo_suelo_nirka")},
        {"tceSueloESKA", tipo(8, " AND tipo_suelo_eska")},
        {"tceRechazo", tipo(9)},
        {"tceSituacionLenga", tipo(10)},
        {"tceDuna", tipo(12)},
        {"tceControlDunas", tipo(13)},
        {"tceRoce", tipo(14)},
        {"tceEstabilizacionDunas", tipo(15)},
        {"tceBosque", tipo(16)},
        {"tceCategoriaConservacion", tipo(18)},
        {"tceSituacionSiempreVerde", tipo(19)},
        {"tceRoraco", tipo(80)},
        {"tceObra", tipo(20)},
        {"tceObraRecSuelos", tipo(20, " AND tipo_obra_rec")},
        {"tceObraDunas", tipo(20, " AND tipo_obra_dun")},
        {"tceObraDunasZURI", tipo(20, " AND tipo_obra_duna_zuri")},
        {"tceEntidad", tipo(21, " order by tipo_descripcion")},
        {"tceSerieSuelos", tipo(22, " order by tipo_descripcion")},
        {"tceTipoTransporte", tipo(90, " order by tipo_descripcion")},
        {"tceRangoCobertura", att(28)},
        {"tceDistribucion", att(29)},
        {"tceSintomas", tipo(-10)},
        {"tceMetodoForestacion", metodo(1)},
        {"tceMetodoReforestacion", metodo(4)},
        {"tceMetodoReforestacionProsopis", metodo(5)},
        {"tceMetodoCorta", metodo(7)},
        {"tceMetodoCortaProsopis", metodo(8)},
        {"tceMetodoCortaVerde", metodo(10)},
        {"tceMetodoCortaProteccion", metodo(11)},
        {"tceTipoResolucionZURI", "tiso_codigo, tiso_desccompleta FROM tiposolicitud WHERE tiso_resolucion_ZURI"},
        {"tceErosion", "cate_codigo, cate_descripcion FROM categoria WHERE tica_codigo=2"},
        {"tceBonificacion", "tibo_codigo, tibo_descripcion FROM tipobon"},
        {"tceUMed", "unme_codigo, unme_descripcion FROM unidadmedida WHERE NOT unme_climatica"},
        {"tceUMedClimaticas", "unme_codigo, unme_descripcion FROM unidadmedida WHERE unme_climatica"},
        {"tceCapacidadUso", "clas_codigo, clas_descripcion FROM clase where clas_codigo<>9"},
        {"tceCapacidadUsoNIRKA", "clas_codigo, clas_descripcion FROM clase"},
        {"tceEspecie", "espe_codigo, espe_descripcion FROM especie ORDER BY espe_primera,espe_descripcion"},
        {"tceFlora", "espe_codigo, espe_descripcion FROM especie WHERE espe_conservacion = 1 ORDER BY espe_descripcion"},
        {"tceFauna", "faun_codigo, IFNULL(faun_descripcion,'') || ' (' || IFNULL(faun_nombrecomun,'') || ') ' FROM fauna ORDER BY faun_descripcion"},
        {"tceAnos", "id_ano, ano FROM anos"},
        {"tceAnosActual", "id_ano, ano FROM anos WHERE id_ano<=?"},
        {"tceEspecieTAMVO", especieOrden("tamvo")},
        {"tceEspecieQUIREL", especieOrden("quirel")},
        {"tceEspecieCOBA", especieOrden("coba")},
        {"tceEspecieERTIV", especieOrden("ertiv")},
        {"tceEspecieKELU", especieOrden("kelu")},
        {"tceTesoreria", "teso_codigo, teso_nombre FROM tesoreria ORDER BY teso_nombre"},
        {"tceSexo", "sexo_id, sexo_descripcion FROM sexo ORDER BY sexo_id"},
        {"tceCondicionProteccionJOREV", "exce_descripcion, exce_descripcion FROM excepciones WHERE exce_codigo=1"},
        {"tceEspecieDALU", "espe_codigo, espe_descripcion FROM especie ORDER BY espe_tipo desc, espe_primera,espe_descripcion"},
        {"tceEspecieNativo", "espe_codigo, espe_descripcion FROM especie WHERE espe_tipo=2 ORDER BY espe_primera,espe_descripcion"},
        {"tceProducto", "prod_codigo, prod_descripcion FROM producto ORDER BY prod_descripcion"},
        {"tceRegion", "loca_codigo, loca_descripcion FROM localidad WHERE loca_tipo = 'R' ORDER BY loca_codigo"},
        {"tceTipoPredio", "tpre_codigo, tpre_descripcion FROM tipopredio ORDER BY tpre_descripcion"},
        {"tceActividad", "tiac_codigo, tiac_descripcion FROM tipoactividad ORDER BY tiac_descripcion"},
        {"tceActividadTisa", "tiac_codigo, tiac_descripcion FROM tipoactividad WHERE tiac_codigo>=200 and tiac_codigo<=205 ORDER BY tiac_descripcion"},
        {"tceActividadPodaRaleo", "tiac_codigo, tiac_descripcion FROM tipoactividad WHERE tiac_act_podral ORDER BY tiac_descripcion"},
        {"tceActividadOtraLOSMI", "tiac_codigo, tiac_descripcion FROM tipoactividad WHERE tiac_act_losmi ORDER BY tiac_descripcion"},
        {"tceActividadKELU", "tapl_codigo, tapl_descripcion FROM tipoactividad_pl ORDER BY tapl_descripcion"},
        {"tceActividadDALU", "tabn_codigo, tabn_descripcion FROM tipoactividad_bn ORDER BY tabn_descripcion"},
    }};
    return l;
}

} // namespace

QString NombreTipoCombo(TTipoComboExterno tipo)
{
    return QLatin1String(listas().at(std::size_t(tipo)).nombre);
}

bool TipoComboPorNombre(const QString &nombre, TTipoComboExterno &tipo)
{
    for (int i = 0; i < kCantidadTiposCombo; ++i) {
        if (nombre == QLatin1String(listas().at(std::size_t(i)).nombre)) {
            tipo = TTipoComboExterno(i);
            return true;
        }
    }
    return false;
}

ConsultaLista ConsultaTipoCombo(TTipoComboExterno tipo, int anoActual)
{
    ConsultaLista c{QStringLiteral("SELECT ") + listas().at(std::size_t(tipo)).cola, {}};
    if (tipo == tceAnosActual)
        c.params << anoActual;
    return c;
}

bool EsEntradaOtro(const QString &descripcion)
{
    static const QStringList otros{QStringLiteral("OTRO"), QStringLiteral("OTROS"), QStringLiteral("OTRA"),
                                   QStringLiteral("OTRAS"), QStringLiteral("OTRAS (INDICAR)"), QStringLiteral("OTRAS CORTAS")};
    return otros.contains(descripcion);
}
