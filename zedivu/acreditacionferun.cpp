#include "acreditacionferun.h"

#include "componentesformulario.h"
#include "dbcombobox.h"
#include "entrada/ttipocomboexterno.h"
#include "impresion/impresionformulario.h"
#include "tformdescrito.h"
#include "validarpares.h"
#include "xml/txml.h"

namespace AcreditacionFerun {

namespace {

const QString kTesoreria = QStringLiteral("cbo_tes");

} // namespace

bool ListaTesorerias(TCustomMDIChild *form)
{
    DBComboBox *combo = componentes::componente<DBComboBox>(form, kTesoreria);
    return combo && form->ComboExterno(combo, tceTesoreria);
}

bool ParesDeResolucion(TCustomMDIChild *form, Dataset *ds)
{
    return ValidarPares(form, ds, {{QStringLiteral("num_cal"), QStringLiteral("fec_cal")},
                                   {QStringLiteral("num_plan"), QStringLiteral("fec_plan")}});
}

void ImprimirBonificacion(ImpresionFormulario &p)
{
    p.subtitulo(QStringLiteral("II. ANTECEDENTES PARA EL PAGO DE LA BONIFICACION"));
    p.texto(QStringLiteral("Señale Tesorería donde desea recibir la bonificación :"));
    // The treasury's name as the combo shows it, not its stored code.
    const DBComboBox *tesoreria = componentes::componente<DBComboBox>(p.form(), kTesoreria);
    p.campo(QString(), tesoreria ? tesoreria->currentText() : QString());
    p.texto(QStringLiteral("Nombre del (de la) cesionario(a)/ beneficiario(a):"));
    p.tabla(QStringLiteral("dbgCesionarios"));
    p.imp()->Seccion();
}

void LineaFirmante(ImpresionFormulario &p)
{
    for (int i = 0; i < 3; ++i)
        p.imp()->Lf();
    p.campo(QString(), p.form()->FirmanteNombre);
    for (int i = 0; i < 3; ++i)
        p.imp()->Lf();
    p.imp()->Seccion();
}

void NodosBonificacion(TXML &xml, TFormDescrito *form)
{
    const DBComboBox *tesoreria = componentes::componente<DBComboBox>(form, kTesoreria);
    const Field *codigo = tesoreria ? tesoreria->field() : nullptr;
    xml.AbrirNodo(QStringLiteral("TESORERIA"));
    // The stored code, written as the integer it is (a text code would carry its format).
    if (codigo && !codigo->IsNull())
        xml.Hijo(QStringLiteral("TESO_CODIGO"), codigo->AsInteger());
    xml.Hijo(QStringLiteral("TESO_NOMBRE"), tesoreria ? tesoreria->currentText() : QString());
    xml.CerrarNodo();

    componentes::CursoresGuardados cursores;
    Dataset *cesionarios = form->Padre() ? cursores(form->PadreTabla(QStringLiteral("ces"))) : nullptr;
    if (!cesionarios || !cesionarios->Active())
        return;
    xml.AbrirNodo(QStringLiteral("CESIONARIO"), cesionarios);
    xml.HijoCampo(QStringLiteral("PERS_RUT"), QStringLiteral("rut"));
    xml.HijoCampo(QStringLiteral("PERS_DV"), QStringLiteral("dv"));
    xml.HijoCampo(QStringLiteral("PERS_NOMBRE"), QStringLiteral("nom"));
    xml.HijoCampo(QStringLiteral("PERS_PATERNO"), QStringLiteral("pat"));
    xml.HijoCampo(QStringLiteral("PERS_MATERNO"), QStringLiteral("mat"));
    xml.CerrarNodo();
}

void Resoluciones(TXML &xml, Dataset *resoluciones)
{
    if (!resoluciones || !resoluciones->Active())
        return;
    componentes::CursoresGuardados cursores;
    xml.AbrirNodo(QStringLiteral("RESOLUCION"), cursores(resoluciones));
    xml.HijoCampo(QStringLiteral("NRO_CALIFICACION"), QStringLiteral("num_cal"));
    xml.HijoCampo(QStringLiteral("FECHA_CALIFICACION"), QStringLiteral("fec_cal"));
    xml.HijoCampo(QStringLiteral("NRO_PLANMANEJO"), QStringLiteral("num_plan"));
    xml.HijoCampo(QStringLiteral("FECHA_PLANMANEJO"), QStringLiteral("fec_plan"));
    xml.CerrarNodo();
}

} // namespace AcreditacionFerun
