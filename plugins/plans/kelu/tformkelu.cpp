#include "tformkelu.h"

#include "builtform.h"
#include "classregistry.h"
#include "connection.h"
#include "dataset.h"
#include "formbuilder.h"
#include "formdescriptionparser.h"

BRENVIK_REGISTER_WINDOW(TFormKELU, "TFormKELU");

TFormKELU::TFormKELU(QWidget *owner)
    : TCustomMDIChild(owner)
    , m_conexion(new Connection(this))
    , m_conexionPpal(new Connection(this))
{
    setObjectName(QStringLiteral("FormKELU"));
    QStringList errores;
    const auto descripcion = FormDescriptionParser::parseFile(QStringLiteral(":/forms/KELU.form"), &errores);
    if (!descripcion) {
        qWarning("KELU.form: %s", qPrintable(errores.join(QLatin1Char('\n'))));
        return;
    }
    m_formulario = FormBuilder::build(*descripcion, this, m_conexion, m_conexionPpal);
}

void TFormKELU::Nuevo()
{
    if (!m_formulario)
        return;
    Secciones = m_formulario->description().secciones();
    HojaActual = 0;
    ConexionBD = m_conexion;
    ConexionBDPpal = m_conexionPpal;
    DatasetPpal = m_formulario->mainDataset();
    Paginas = m_formulario->pages();
}

void TFormKELU::InicializarDatasetPpal(const QString &)
{
}

void TFormKELU::ConexionesExternas()
{
}

bool TFormKELU::ValidarFormulario()
{
    return true;
}
