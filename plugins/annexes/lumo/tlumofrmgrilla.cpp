#include "tlumofrmgrilla.h"

#include "builtform.h"
#include "componentesformulario.h"
#include "connection.h"
#include "fallaprogramacion.h"
#include "formbuilder.h"
#include "formdescriptionparser.h"
#include "impresion/timpresion.h"
#include "reglasformulario.h"

#include <QVBoxLayout>

TlumoFrmGrilla::TlumoFrmGrilla(QWidget *parent, const QString &nombreDiseno, const QString &archivo, const QString &grilla)
    : TFrameLumo(parent, nombreDiseno)
    , m_archivo(archivo)
    , m_grilla(grilla)
{
    new QVBoxLayout(this);
    layout()->setContentsMargins(0, 0, 0, 0);
}

void TlumoFrmGrilla::InicializarConexion(Connection *conexion, TCustomMDIChild *form)
{
    if (m_formulario)
        return;
    const QString ruta = QStringLiteral(":/frames/%1.form").arg(m_archivo);
    QStringList errores;
    const auto descripcion = FormDescriptionParser::parseFile(ruta, &errores);
    if (!descripcion) {
        FallaProgramacion(ruta + QStringLiteral(": ") + errores.join(QLatin1Char('\n')), "lumoFrm", __LINE__);
        return;
    }
    m_formulario = FormBuilder::build(*descripcion, this, conexion, form ? form->ConexionBDPpal : nullptr);
    prepararTabla(form);
    // A frame made after the working database opened opens with what it shows.
    if (conexion && conexion->isOpen())
        m_formulario->openDatasets(&errores);
}

void TlumoFrmGrilla::prepararTabla(TCustomMDIChild *)
{
}

void TlumoFrmGrilla::buscarEnRodales(TCustomMDIChild *form, const QString &campo, const QString &resultado)
{
    Dataset *rodales = form ? findComponent<Dataset>(form, QStringLiteral("adtLUMO_car")) : nullptr;
    Dataset *propia = Tabla();
    // Without the form's stands the column stays empty; the frame still opens.
    if (rodales && propia && !propia->Active())
        propia->makeLookupField(campo, QStringLiteral("num"), rodales, QStringLiteral("num"), resultado);
}

Dataset *TlumoFrmGrilla::Tabla() const
{
    return m_formulario ? m_formulario->mainDataset() : nullptr;
}

DBGrid *TlumoFrmGrilla::Grilla() const
{
    return findComponent<DBGrid>(this, m_grilla);
}

void TlumoFrmGrilla::Refrescar()
{
    ReglasFormulario::refrescar(Tabla());
}

void TlumoFrmGrilla::getImpresion(const QString &, const QString &titulo, TImpresion *impresion)
{
    DBGrid *g = Grilla();
    impresion->Seccion();
    impresion->SubTitulo(titulo, taIzquierda);
    impresion->CrLf4();
    if (g && g->DataSet() && g->DataSet()->Active())
        impresion->Tabla(g);
    impresion->CrLf();
}
