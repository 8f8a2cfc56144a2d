#pragma once
// The lookup lists of coded grid columns and combo boxes: each kind names the query that
// gives its (code, description) rows in the main database. TCustomMDIChild::ComboExterno
// fills a column or combo from it.
#include <QString>
#include <QVariantList>

// A list's SELECT and the values bound to its ? placeholders.
struct ConsultaLista
{
    QString sql;
    QVariantList params;
};

// In their fixed order (forms and stored documents rely on the ordinals).
enum TTipoComboExterno {
    tceVariablesClimaticas,
    tceFormasRelieve,
    tceExposicion,
    tceTemporalidad,
    tceEstadoSanitario,
    tceVegetacion,
    tceMagnitudRiesgo,
    tceMagnitudPeligro,
    tcePrioridad,
    tceMasasAgua,
    tceRecursosHidricos,
    tceUsoActual,
    tceRestriccion,
    tcePosicionamiento,
    tceGradoRestriccion,
    tceRegeneracionNatural,
    tceSueloSiempreverde,
    tceRoca,
    tceProfundidadEfectiva,
    tceVarSueloFragil,
    tceVarSueloNadis,
    tceOrigen,
    tceOrigenIncendio,
    tceForma,
    tceDiseno,
    tceTipoParcela,
    tceVariableDasometrica,
    tceVarSueloDegradado,
    tceVarDunas,
    tceEstructura,
    tceValorPotencial,
    tceEstadoDesarrollo,
    tcePendiente,
    tceDensidad,
    tceRegeneracionAlerce,
    tceCobertura,
    tceCuasaMuerte,
    tceCondicion,
    tceSueloAlerce,
    tceExplotacion,
    tceVegetacion2,
    tcePlanta,
    tceProteccion,
    tceForestal,
    tceCorta,
    tceReforestacion,
    tceSuelo,
    tceSueloZURI,
    tceSueloNirka,
    tceSueloESKA,
    tceRechazo,
    tceSituacionLenga,
    tceDuna,
    tceControlDunas,
    tceRoce,
    tceEstabilizacionDunas,
    tceBosque,
    tceCategoriaConservacion,
    tceSituacionSiempreVerde,
    tceRoraco,
    tceObra,
    tceObraRecSuelos,
    tceObraDunas,
    tceObraDunasZURI,
    tceEntidad,
    tceSerieSuelos,
    tceTipoTransporte,
    tceRangoCobertura,
    tceDistribucion,
    tceSintomas,
    tceMetodoForestacion,
    tceMetodoReforestacion,
    tceMetodoReforestacionProsopis,
    tceMetodoCorta,
    tceMetodoCortaProsopis,
    tceMetodoCortaVerde,
    tceMetodoCortaProteccion,
    tceTipoResolucionZURI,
    tceErosion,
    tceBonificacion,
    tceUMed,
    tceUMedClimaticas,
    tceCapacidadUso,
    tceCapacidadUsoNIRKA,
    tceEspecie,
    tceFlora,
    tceFauna,
    tceAnos,
    tceAnosActual,
    tceEspecieTAMVO,
    tceEspecieQUIREL,
    tceEspecieCOBA,
    tceEspecieERTIV,
    tceEspecieKELU,
    tceTesoreria,
    tceSexo,
    tceCondicionProteccionJOREV,
    tceEspecieDALU,
    tceEspecieNativo,
    tceProducto,
    tceRegion,
    tceTipoPredio,
    tceActividad,
    tceActividadTisa,
    tceActividadPodaRaleo,
    tceActividadOtraLOSMI,
    tceActividadKELU,
    tceActividadDALU,
};

constexpr int kCantidadTiposCombo = int(tceActividadDALU) + 1;

// The kind's name as written in code ("tceEspecie"); the table `otros` files the free
// "other" descriptions of a list under it.
QString NombreTipoCombo(TTipoComboExterno tipo);

// The kind named `nombre` ("tceEspecie", exact case); false when there is none.
bool TipoComboPorNombre(const QString &nombre, TTipoComboExterno &tipo);

// The kind's SELECT of (code, description) rows, for the main database. `anoActual` bounds
// the list of tceAnosActual.
ConsultaLista ConsultaTipoCombo(TTipoComboExterno tipo, int anoActual);

// A description that stands for "other" ("OTRO", "OTROS", "OTRA", "OTRAS",
// "OTRAS (INDICAR)", "OTRAS CORTAS"): choosing it asks for a free description.
bool EsEntradaOtro(const QString &descripcion);
