#include "tformdescrito.h"

#include "builtform.h"
#include "connection.h"
#include "formbuilder.h"
#include "formcomponents.h"

#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>

TFormDescrito::TFormDescrito(QWidget *owner, const QString &codigo)
    : TCustomMDIChild(owner)
    , m_conexion(new Connection(this))
    , m_conexionPpal(new Connection(this))
{
    setObjectName(QStringLiteral("Form") + codigo);
    m_formulario = FormBuilder::buildEmbedded(codigo, this, m_conexion, m_conexionPpal);
}

bool TFormDescrito::NuevoDescrito()
{
    if (!m_formulario)
        return false;
    const FormDescription &d = m_formulario->description();
    Secciones = d.secciones();
    HojaActual = 0;
    ConexionBD = m_conexion;
    ConexionBDPpal = m_conexionPpal;
    DatasetPpal = m_formulario->mainDataset();
    Paginas = m_formulario->pages();
    // The described size is what the window scrolls over at least; a page taller than it
    // keeps its own minimum, or its rows would be squeezed together.
    Paginas->setMinimumSize(Paginas->minimumSizeHint().expandedTo(QSize(d.ancho, d.alto)));
    if (auto *boton = findComponent<QPushButton>(this, QStringLiteral("btnLlenarPredio")))
        connect(boton, &QPushButton::clicked, this, [this] { FrmEventoOnSeleccionPredio(); });
    return true;
}

void TFormDescrito::Maximizar()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->setWindowState(sub->windowState() | Qt::WindowMaximized);
    else
        setWindowState(windowState() | Qt::WindowMaximized);
}
