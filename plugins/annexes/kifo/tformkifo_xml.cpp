// The KIFO part of the exchange file: the head of an accreditation bound to FERUN with the
// request's city, the bonus payment, the resolutions, and each curtain as an activity with
// its rows and then their species.
#include "tformkifo.h"

#include "acreditacionferun.h"
#include "componentesformulario.h"
#include "predio/nodospredioxml.h"
#include "xml/txml.h"

namespace {

using componentes::campo;

} // namespace

QByteArray TFormKIFO::PrepararXML()
{
    Dataset *resoluciones = tabla(QStringLiteral("ant_resol"));
    if (!XML || !resoluciones || !resoluciones->Active())
        return {};
    // Without a resolution the accreditation cannot be read; the export refuses it before
    // it gets here (ValidarFormulario).
    if (resoluciones->IsEmpty()) {
        XML->Limpiar();
        return QByteArrayLiteral("XML MALO");
    }
    return NodosPredioXML::Exportacion(this, NodosPredioXML::CabeceraEstudio(true), [&](TXML &x, componentes::CursoresGuardados &cursores) {
        AcreditacionFerun::NodosBonificacion(x, this);

        Dataset *res = cursores(resoluciones);
        x.AbrirNodo(QStringLiteral("RESOLUCION"), res);
        x.HijoCampo(QStringLiteral("NRO_CALIFICACION"), QStringLiteral("num_res"));
        x.HijoCampo(QStringLiteral("FECHA_CALIFICACION"), QStringLiteral("fec"));
        x.CerrarNodo();

        // Each curtain made current shows its own rows; its nodes are written record by
        // record, since a repeated node nested in another repeats in the first record only.
        Dataset *cortinas = cursores(tabla(QStringLiteral("car_cort")));
        Dataset *filas = cursores(tabla(QStringLiteral("car_cort_det")));
        componentes::paraCadaRegistro(cortinas, [&](int) {
            x.AbrirNodo(QStringLiteral("ACTIVIDAD"));
            x.Hijo(QStringLiteral("SECTOR"), campo(cortinas, QStringLiteral("num_sect")));
            x.Hijo(QStringLiteral("TIPO_ACTIVIDAD"), QStringLiteral("100"));
            x.Hijo(QStringLiteral("SUTI_CODIGO"), QStringLiteral("1"));
            x.Hijo(QStringLiteral("ACSO_CORTINA"), campo(cortinas, QStringLiteral("num_cort")));
            x.Hijo(QStringLiteral("ACSO_LONGITUD"), campo(cortinas, QStringLiteral("long")));
            x.Hijo(QStringLiteral("AREA_BASAL"), campo(cortinas, QStringLiteral("num_hil")));
            x.Hijo(QStringLiteral("ACSO_AREA_RESIDUAL"), campo(cortinas, QStringLiteral("dist_hil")));
            x.Hijo(QStringLiteral("ANO"), campo(cortinas, QStringLiteral("ano")));
            componentes::paraCadaRegistro(filas, [&](int) {
                x.AbrirNodo(QStringLiteral("HILERA"));
                x.Hijo(QStringLiteral("NUM_HILERA"), campo(filas, QStringLiteral("num_hil")));
                x.Hijo(QStringLiteral("DIST_IN_HILERA"), campo(filas, QStringLiteral("dist")));
                x.Hijo(QStringLiteral("TIPO_PLANTA"), campo(filas, QStringLiteral("tip_planta")));
                x.Hijo(QStringLiteral("ESPECIE"), campo(filas, QStringLiteral("esp")), tsmEspecieKELU);
                x.Hijo(QStringLiteral("ARB_POR_KM"), campo(filas, QStringLiteral("num_arb")));
                x.CerrarNodo();
            });
            componentes::paraCadaRegistro(filas, [&](int) {
                x.Hijo(QStringLiteral("ESPECIE"), campo(filas, QStringLiteral("esp")), tsmEspecieKELU);
            });
            x.CerrarNodo();
        });
    });
}
