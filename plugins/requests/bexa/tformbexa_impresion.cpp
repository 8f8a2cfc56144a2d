// The printed BEXA request: the property with its registrar entries and rolls, owners and
// representatives, the qualifying resolutions and the activities, the observations, the
// sworn declaration and the closing signatures. A table without rows is left out with its
// heading.
#include "tformbexa.h"

#include "componentesformulario.h"
#include "dblookupcombobox.h"
#include "impresion/declaracionnorma.h"
#include "impresion/impresionformulario.h"
#include "impresion/timpresion.h"
#include "predio/seccionpredio.h"

void TFormBEXA::ComponerImpresion(TImpresion *imp)
{
    SeccionPredio *predio = Predio();
    if (!imp || !predio)
        return;
    ImpresionFormulario p(this, imp, 5);
    const auto conFilas = [this](const char *sufijo) {
        const Dataset *ds = componentes::tabla(this, QLatin1String(sufijo));
        return ds && ds->Active() && !ds->IsEmpty();
    };
    const auto tablaSiHay = [&](const char *sufijo, const QString &titulo) {
        if (!conFilas(sufijo))
            return;
        p.tablaConTitulo(titulo, QStringLiteral("dbgBEXA_") + QLatin1String(sufijo));
        imp->Seccion();
    };

    imp->IniDocumento();
    ImprimirEncabezado(imp, DirAplicacion, Codigo);
    SeccionPredio::imprimirRecepcion(imp);
    imp->Titulo(QStringLiteral("SOLICITUD RELATIVA AL D.L. Nº 701, DE 1974, SOBRE CERTIFICACIÓN DE\nFUTURA BONIFICACION "));
    imp->Cr();
    imp->CrLf();
    imp->Seccion();

    p.subtitulo(QStringLiteral("I. ANTECEDENTES DEL PREDIO:"));
    p.campo<const Field *>(QStringLiteral("Nombre:"), predio->campo(QStringLiteral("nom_pre")));
    imp->Seccion();
    tablaSiHay("con", QStringLiteral("Inscripciones en fojas del Conservador de Bienes Raíces:"));
    tablaSiHay("cer", QStringLiteral("Inscripciones en certificados del Ministerio de Bienes Nacionales:"));
    tablaSiHay("rol", QStringLiteral("Roles de Avalúo Nº:"));
    p.campos<const DBLookupComboBox *>({{QStringLiteral("Comuna:"), predio->combo(QStringLiteral("com"))},
                                        {QStringLiteral("Provincia:"), predio->combo(QStringLiteral("prv"))},
                                        {QStringLiteral("Región:"), predio->combo(QStringLiteral("reg"))}},
                                       lpLeft);
    p.campo<const Field *>(QStringLiteral("Superficie total del predio (há):"), predio->campo(QStringLiteral("sup")));
    p.campo<const Field *>(QStringLiteral("Superficie afecta a la Solicitud (há):"), predio->campo(QStringLiteral("sup_afe")));
    imp->Seccion();

    p.subtitulo(QStringLiteral("II. ANTECEDENTES DEL(DE LA) PROPIETARIO(A) O POSEEDOR(A) EN TRÁMITE DE SANEAMIENTO DE "
                               "TÍTULOS:"));
    predio->imprimirPersonas(imp, QStringLiteral("pro"));
    if (conFilas("rep")) {
        p.subtitulo(QStringLiteral("III. ANTECEDENTES DEL (DE LA) REPRESENTANTE LEGAL"));
        predio->imprimirPersonas(imp, QStringLiteral("rep"));
    }

    tablaSiHay("cal", QStringLiteral("IV. ANTECEDENTES DE LA CALIFICACIÓN DE TERRENOS DE APTITUD PREFERENTEMENTE FORESTAL "
                                     "O RECONOCIMIENTO DE SUELOS FORESTALES"));
    // Section V heads the other activities too when they come alone.
    if (conFilas("bon") || conFilas("bon_otr"))
        p.subtitulo(QStringLiteral("V. ANTECEDENTES DE ACTIVIDADES SUSCEPTIBLES DE BONIFICACIÓN"));
    tablaSiHay("bon", QStringLiteral("Antecedentes de Actividades de Forestación Susceptibles de Bonificación Forestal:"));
    tablaSiHay("bon_otr", QStringLiteral("Antecedentes de otras Actividades Susceptibles de Bonificación Forestal: "));

    p.memo(QStringLiteral("Observaciones"), QStringLiteral("dbmBexa_obs"));
    imp->Seccion();

    imp->CrLf();
    const QString declaracion = DeclaracionJuradaDL701();
    imp->CuadroTexto(imp->AnchoUtil, imp->AlturaCuadroTexto(imp->AnchoUtil, declaracion), declaracion, taIzquierda, 0, false);
    imp->Cr();
    imp->Seccion();

    prtUltimaSeccion(imp, ConsultorId, DatasetPpal, Codigo);
    imp->Seccion();
    imp->FinDocumento();
}
