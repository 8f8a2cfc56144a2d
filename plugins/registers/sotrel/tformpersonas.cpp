#include "tformpersonas.h"

#include "classregistry.h"
#include "ordenlistas.h"

BRENVIK_REGISTER_WINDOW(TFormPersonas, "TFormPersonas");

TFormPersonas::TFormPersonas(QWidget *owner)
    : TRegistroTabla(descripcion(), owner)
{
}

DescripcionRegistro TFormPersonas::descripcion()
{
    using C = CampoRegistro;
    DescripcionRegistro d;
    d.nombre = QStringLiteral("FormPersonas");
    d.titulo = QStringLiteral("Base de Datos de Personas");
    d.tabla = QStringLiteral("persona");
    d.clave = QStringLiteral("pers_codigo");
    d.orden = QLatin1String(kOrdenPersonas);
    d.tituloLista = QStringLiteral("Personas existentes:");
    d.tituloGrupo = QStringLiteral(" Información de la Persona ");
    d.campoRut = QStringLiteral("pers_rut");
    d.campoDv = QStringLiteral("pers_dv");
    // A deleted person is no longer anybody's owner or representative.
    d.tablasHijas = {QStringLiteral("propietario"), QStringLiteral("representante")};
    d.campos = {
        C::Edit(QStringLiteral("pers_rut"), QStringLiteral("R.U.T.:"), {tvNoVacio, tvPositivo}, true),
        C::Edit(QStringLiteral("pers_dv"), QStringLiteral("-"), {tvNoVacio}),
        C::Edit(QStringLiteral("pers_paterno"), QStringLiteral("Apellido Paterno o Razón Social:"), {tvNoVacio}, true),
        C::Edit(QStringLiteral("pers_materno"), QStringLiteral("Apellido Materno:"), {}, true),
        C::Edit(QStringLiteral("pers_nombre"), QStringLiteral("Nombres:"), {}, true),
        C::Lookup(QStringLiteral("pers_sexo"), QStringLiteral("Sexo:"),
                  QStringLiteral("SELECT sexo_id, sexo_descripcion FROM sexo ORDER BY sexo_id"), QStringLiteral("sexo_id"),
                  QStringLiteral("sexo_descripcion")),
        C::Edit(QStringLiteral("pers_direccion"), QStringLiteral("Dirección:")),
        C::Lookup(QStringLiteral("pers_comuna"), QStringLiteral("Comuna:"),
                  QStringLiteral("SELECT loca_codigo, loca_descripcion FROM localidad WHERE loca_tipo='C'"
                                 " ORDER BY loca_descripcion COLLATE ESPANOL"),
                  QStringLiteral("loca_codigo"), QStringLiteral("loca_descripcion")),
        C::Edit(QStringLiteral("pers_ciudad"), QStringLiteral("Ciudad:")),
        C::Edit(QStringLiteral("pers_telefono"), QStringLiteral("Teléfono:")),
    };
    return d;
}
