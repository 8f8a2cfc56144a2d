#include "tformconsultores.h"

#include "classregistry.h"
#include "ordenlistas.h"
#include "util_texto.h"

BRENVIK_REGISTER_WINDOW(TFormConsultores, "TFormConsultores");

TFormConsultores::TFormConsultores(QWidget *owner)
    : TRegistroTabla(descripcion(), owner)
{
}

DescripcionRegistro TFormConsultores::descripcion()
{
    using C = CampoRegistro;
    const QStringList profesiones{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    QStringList nombresProfesion;
    for (const QString &codigo : profesiones)
        nombresProfesion << getNombreProfesionConsultor(codigo);

    // The consultant goes into the exchange file's integrity line: fields between "|",
    // surnames and names between ",".
    const QString campos = QStringLiteral("|");
    const QString nombres = QStringLiteral(",|");

    DescripcionRegistro d;
    d.nombre = QStringLiteral("FormConsultores");
    d.titulo = QStringLiteral("Base de Datos de Consultores");
    d.tabla = QStringLiteral("consultor");
    d.clave = QStringLiteral("cons_id");
    d.orden = QLatin1String(kOrdenConsultores);
    d.tituloLista = QStringLiteral("Consultores existentes:");
    d.tituloGrupo = QStringLiteral(" Información del Consultor ");
    d.campoRut = QStringLiteral("cons_rut");
    d.campoDv = QStringLiteral("cons_dv");
    d.avisoSinFilas = QStringLiteral("No hay consultores registrados. Ingrese sus datos, presione \"Guardar\" y luego "
                                     "\"Seleccionar y Cerrar\".");
    d.campos = {
        C::Edit(QStringLiteral("cons_rut"), QStringLiteral("R.U.T.:"), {tvNoVacio, tvPositivo}, true),
        C::Edit(QStringLiteral("cons_dv"), QStringLiteral("-"), {tvNoVacio}).exportado(campos),
        C::Edit(QStringLiteral("cons_paterno"), QStringLiteral("Apellido Paterno:"), {tvNoVacio}, true).exportado(nombres),
        C::Edit(QStringLiteral("cons_materno"), QStringLiteral("Apellido Materno:"), {}, true).exportado(nombres),
        C::Edit(QStringLiteral("cons_nombre"), QStringLiteral("Nombres:"), {tvNoVacio}, true).exportado(nombres),
        C::Combo(QStringLiteral("cons_profesion"), QStringLiteral("Profesión:"), nombresProfesion, profesiones, {tvNoVacio}),
        C::Lookup(QStringLiteral("cons_sexo"), QStringLiteral("Sexo:"),
                  QStringLiteral("SELECT sexo_id, sexo_descripcion FROM sexo ORDER BY sexo_id"), QStringLiteral("sexo_id"),
                  QStringLiteral("sexo_descripcion")),
        C::Edit(QStringLiteral("cons_universidad"), QStringLiteral("Universidad:")).exportado(campos),
        C::Edit(QStringLiteral("cons_ano"), QStringLiteral("Año de Titulación:"), {tvAnoActualMax}).exportado(campos),
        C::Edit(QStringLiteral("cons_domicilio"), QStringLiteral("Domicilio:")).exportado(campos),
        C::Edit(QStringLiteral("cons_ciudad"), QStringLiteral("Ciudad:")).exportado(campos),
        C::Edit(QStringLiteral("cons_telefono"), QStringLiteral("Teléfono:")).exportado(campos),
        C::Edit(QStringLiteral("cons_correo"), QStringLiteral("Correo Electrónico:")).exportado(campos),
    };
    return d;
}
