#include "tformferun.h"

#include "classregistry.h"
#include "dataset.h"
#include "dbgrid.h"
#include "formcomponents.h"
#include "impresion/timpresion.h"
#include "predio/seccionpredio.h"
#include "xml/txml.h"

BRENVIK_REGISTER_WINDOW(TFormFERUN, "TFormFERUN");

namespace {

const QString kCesionarios = QStringLiteral("adtFERUN_ces");

} // namespace

TFormFERUN::TFormFERUN(QWidget *owner)
    : TFormSolicitudPredio(owner, QStringLiteral("FERUN"), ConfiguracionPredio::solicitud(QStringLiteral("ferun")),
                           QStringLiteral("SOLICITUD DE PAGO DE BONIFICACIÓN FORESTAL, D.L. Nº 701, DE 1974"))
{
}

void TFormFERUN::Nuevo()
{
    TFormSolicitudPredio::Nuevo();
    // An assignee is checked as an owner is, without an address.
    if (auto *ces = findComponent<Dataset>(this, kCesionarios)) {
        auto anterior = ces->BeforePost;
        ces->BeforePost = [this, anterior](Dataset *ds) {
            if (anterior)
                anterior(ds);
            Predio()->validarPersona(ds, false);
        };
    }
}

void TFormFERUN::ImprimirAdicional(TImpresion *imp, int &numero)
{
    auto *grilla = findComponent<DBGrid>(this, QStringLiteral("dbgFERUN_ces"));
    if (!grilla || !grilla->DataSet() || grilla->DataSet()->IsEmpty())
        return;
    imp->SubTitulo(QStringLiteral("%1. CESIONARIO(A) O BENEFICIARIO(A)").arg(numero++), taIzquierda);
    imp->Cr();
    imp->CrLf();
    imp->Tabla(grilla);
    imp->CrLf();
    imp->Seccion();
}

void TFormFERUN::XmlAdicional(TXML &xml)
{
    auto *ces = findComponent<Dataset>(this, kCesionarios);
    if (!ces)
        return;
    xml.AbrirNodo(QStringLiteral("CESIONARIO"), ces);
    xml.HijoCampo(QStringLiteral("PERS_CODIGO"), QStringLiteral("id"));
    xml.HijoCampo(QStringLiteral("PERS_RUT"), QStringLiteral("rut"));
    xml.HijoCampo(QStringLiteral("PERS_DV"), QStringLiteral("dv"));
    xml.HijoCampo(QStringLiteral("PERS_NOMBRE"), QStringLiteral("nom"));
    xml.HijoCampo(QStringLiteral("PERS_PATERNO"), QStringLiteral("pat"));
    xml.HijoCampo(QStringLiteral("PERS_MATERNO"), QStringLiteral("mat"));
    xml.HijoCampo(QStringLiteral("PERS_FIRMA"), QStringLiteral("firm"));
    xml.CerrarNodo();
}
