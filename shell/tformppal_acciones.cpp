// The main window's actions, menus, tool bars, status bar and command enabling.
#include "tformppal.h"

#include "bloqueodocumento.h"

#include "iconos.h"
#include "registerwindows.h"
#include "tformppalacercade.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

// "short|long": the short part is the tool tip, the long one the status-bar text; a hint
// without "|" serves as both.
void ponerHint(QAction *accion, const QString &hint)
{
    const qsizetype barra = hint.indexOf(QLatin1Char('|'));
    accion->setToolTip(barra < 0 ? hint : hint.left(barra));
    accion->setStatusTip(barra < 0 ? hint : hint.mid(barra + 1));
}

} // namespace

void TformPpal::crearAcciones()
{
    struct Definicion
    {
        QAction **accion;
        const char *nombre;
        const char *texto;
        QKeySequence atajo;
        bool habilitada;
        const char *hint;
    };
    const Definicion definiciones[] = {
        {&archNuevo, "archNuevo", "&Nuevo", QKeySequence(QStringLiteral("Ctrl+N")), true, "Nuevo Formulario|Crea un nuevo formulario vacío"},
        {&archAbrir, "archAbrir", "&Abrir Formulario", QKeySequence(QStringLiteral("Ctrl+A")), true, nullptr},
        {&archGuardar, "archGuardar", "&Guardar", QKeySequence(QStringLiteral("Ctrl+G")), false, "Guardar Formulario|Graba el formulario actual en un archivo"},
        {&archGuardarComo, "archGuardarComo", "Guardar &como...", QKeySequence(), false, "Guardar Formulario con otro nombre|Graba el formulario actual en un archivo nuevo con otro nombre"},
        {&archGuardarXML, "archGuardarXML", "Generar archivo &intercambio para Okran", QKeySequence(), false, nullptr},
        {&archCerrar, "archCerrar", "Cerrar", QKeySequence(), false, "Cerrar Formulario|Cierra sin guardar el formulario actual"},
        {&archImp, "archImp", "&Importar Archivo", QKeySequence(QStringLiteral("Ctrl+I")), true, "Imporar Formulario|Abre un formulario desde un archivo"},
        {&archImprimir, "archImprimir", "&Imprimir", QKeySequence(QStringLiteral("Ctrl+P")), false, "Imprimir Formulario|Imprime la información del formulario actual con el formato oficial"},
        {&archConfImpresion, "archConfImpresion", "Configurar Impresión", QKeySequence(), false, "Configurar Formato de Impresión"},
        {&archVistaPreliminar, "archVistaPreliminar", "Vista &Preliminar", QKeySequence(), false, "Previsualizar Formulario|Permite ver en pantalla una impresión preliminar del formulario actual"},
        {&archSalir, "archSalir", "&Salir", QKeySequence(QStringLiteral("Ctrl+S")), true, "Salir|Sale de la aplicación cerrando los formularios abiertos"},
        {&ventCascada, "ventCascada", "Cascada", QKeySequence(), false, "Organizar en Cascada|Reordena las ventanas abiertas apilándolas una tras otra"},
        {&ventMosaHorizontal, "ventMosaHorizontal", "Mosaico Horizontal", QKeySequence(), false, "Organizar en Mosaico Horizontal|Reordena las ventanas una abajo de la otra maximizando su ancho"},
        {&ventMosaVertical, "ventMosaVertical", "Mosaico Vertical", QKeySequence(), false, "Organizar en Mosaico Vertical|Reordena las ventanas una al lado de la otra maximizando su alto"},
        {&confPredios, "confPredios", "P&redios", QKeySequence(), true, "Base de Datos de Predios|Abre el asistente de mantención de la información relativa a un predio y sus datos asociados"},
        {&confPersonas, "confPersonas", "&Personas", QKeySequence(), true, "Base de Datos de Personas|Abre el asistente de mantención de la información relativa a los propietarios y representantes de predios"},
        {&confConsultores, "confConsultores", "&Consultores", QKeySequence(), true, "Base de Datos de Consultores|Abre el asistente de mantención de la información personal de los consultores que utilizan esta aplicación"},
        {&EditCut1, "EditCut1", "Cor&tar", QKeySequence(QStringLiteral("Ctrl+X")), true, "Cut|Cuts the selection and puts it on the Clipboard"},
        {&EditCopy1, "EditCopy1", "&Copiar", QKeySequence(QStringLiteral("Ctrl+C")), true, "Copy|Copies the selection and puts it on the Clipboard"},
        {&EditPaste1, "EditPaste1", "&Pegar", QKeySequence(QStringLiteral("Ctrl+V")), true, "Paste|Inserts Clipboard contents"},
        {&difrolVistaPreliminar, "difrolVistaPreliminar", "Vista &Preliminar de la Carta", QKeySequence(), false, nullptr},
        {&difrolImprimir, "difrolImprimir", "&Imprimir Carta", QKeySequence(), false, nullptr},
        {&acercaDe, "acercaDe", "Acerca de ...", QKeySequence(), true, nullptr},
    };
    for (const Definicion &d : definiciones) {
        QAction *accion = new QAction(QString::fromUtf8(d.texto), this);
        accion->setObjectName(QLatin1String(d.nombre));
        accion->setShortcut(d.atajo);
        accion->setEnabled(d.habilitada);
        if (d.hint)
            ponerHint(accion, QString::fromUtf8(d.hint));
        *d.accion = accion;
    }
    const std::pair<QAction *, Icono> iconos[] = {
        {archNuevo, Icono::Nuevo}, {archAbrir, Icono::Abrir}, {archGuardar, Icono::Guardar},
        {archImprimir, Icono::Imprimir}, {EditCut1, Icono::Cortar}, {EditCopy1, Icono::Copiar},
        {EditPaste1, Icono::Pegar}, {ventCascada, Icono::Cascada}, {ventMosaHorizontal, Icono::MosaicoHorizontal},
        {ventMosaVertical, Icono::MosaicoVertical}, {confPredios, Icono::Predios}, {confPersonas, Icono::Personas},
        {confConsultores, Icono::Consultores},
    };
    for (const auto &[accion, icono] : iconos)
        accion->setIcon(iconoDe(icono));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(400);
    connect(Timer1, &QTimer::timeout, this, [this] {
        ActualizarBotones();
        Timer1->stop();
        Timer1->setInterval(400);
    });
}

void TformPpal::crearMenus()
{
    QMenu *archivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    archivo->addActions({archNuevo, archAbrir, archGuardar, archGuardarComo, archGuardarXML, archCerrar, archImp});
    archivo->addSeparator();
    archivo->addActions({archImprimir, archConfImpresion, archVistaPreliminar});
    archivo->addSeparator();
    archivo->addAction(archSalir);

    menuBar()->addMenu(QStringLiteral("&Edición"))->addActions({EditCut1, EditCopy1, EditPaste1});
    menuBar()->addMenu(QStringLiteral("&Bases de Datos"))->addActions({confPredios, confPersonas, confConsultores});
    mnuVentana = menuBar()->addMenu(QStringLiteral("Ve&ntana"));
    connect(mnuVentana, &QMenu::aboutToShow, this, &TformPpal::actualizarMenuVentana);
    actualizarMenuVentana();
    menuBar()->addMenu(QStringLiteral("Carta Difrol"))->addActions({difrolVistaPreliminar, difrolImprimir});
    menuBar()->addMenu(QStringLiteral("?"))->addAction(acercaDe);
}

void TformPpal::crearBarras()
{
    struct Barra
    {
        QToolBar **barra;
        const char *nombre;
        QList<QAction *> acciones;
    };
    const Barra barras[] = {
        {&tlbArchivo, "tlbArchivo", {archNuevo, archAbrir, archGuardar, archImprimir}},
        {&tlbEdicion, "tlbEdicion", {EditCut1, EditCopy1, EditPaste1}},
        {&tlbVentana, "tlbVentana", {ventCascada, ventMosaHorizontal, ventMosaVertical}},
        {&tlbConfiguracion, "tlbConfiguracion", {confPredios, confPersonas, confConsultores}},
    };
    for (const Barra &b : barras) {
        QToolBar *barra = addToolBar(QLatin1String(b.nombre));
        barra->setObjectName(QLatin1String(b.nombre));
        barra->setIconSize(QSize(20, 20));
        barra->addActions(b.acciones);
        *b.barra = barra;
    }

    stbPanel1 = new QLabel(this);
    stbPanel1->setObjectName(QStringLiteral("stbPanel1"));
    stbPanel1->setFixedWidth(550);
    stbPanel2 = new QLabel(this);
    stbPanel2->setObjectName(QStringLiteral("stbPanel2"));
    stbPanel2->setFixedWidth(200);
    for (QLabel *panel : {stbPanel1, stbPanel2})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->setObjectName(QStringLiteral("stbBarra"));
    statusBar()->addWidget(stbPanel1);
    statusBar()->addWidget(stbPanel2);
}

void TformPpal::conectarAcciones()
{
    connect(archSalir, &QAction::triggered, this, &QWidget::close);
    connect(ventCascada, &QAction::triggered, mdiArea, &QMdiArea::cascadeSubWindows);
    connect(ventMosaHorizontal, &QAction::triggered, this, [this] { mosaico(Qt::Horizontal); });
    connect(ventMosaVertical, &QAction::triggered, this, [this] { mosaico(Qt::Vertical); });
    connect(EditCut1, &QAction::triggered, this, [this] { enviarPortapapeles("cut"); });
    connect(EditCopy1, &QAction::triggered, this, [this] { enviarPortapapeles("copy"); });
    connect(EditPaste1, &QAction::triggered, this, [this] { enviarPortapapeles("paste"); });
    connect(confPredios, &QAction::triggered, this, [this] { MostrarModal(QStringLiteral("TFormPredios"), DirAplicacion, this); });
    connect(confPersonas, &QAction::triggered, this, [this] { MostrarModal(QStringLiteral("TFormPersonas"), DirAplicacion, this); });
    connect(confConsultores, &QAction::triggered, this, &TformPpal::ElegirConsultor);
    connect(acercaDe, &QAction::triggered, this, [this] {
        if (m_acercaDe)
            m_acercaDe->exec();
    });
    connect(archNuevo, &QAction::triggered, this, &TformPpal::archNuevoExecute);
    connect(archAbrir, &QAction::triggered, this, &TformPpal::archAbrirExecute);
    connect(archImp, &QAction::triggered, this, &TformPpal::archImpExecute);
    connect(archCerrar, &QAction::triggered, this, &TformPpal::archCerrarExecute);
    connect(archGuardar, &QAction::triggered, this, [this] { archGuardarExecute(this); });
    connect(archGuardarComo, &QAction::triggered, this, [this] { archGuardarComoExecute(this); });
    conectarImpresion();
    connect(archGuardarXML, &QAction::triggered, this, &TformPpal::archGuardarXMLExecute);
}

bool TformPpal::documentoAbierto() const
{
    return !mdiArea->subWindowList().isEmpty();
}

void TformPpal::ActualizarBotones()
{
    const bool abierto = documentoAbierto();
    // Windows closed on their own leave no document for this copy to hold.
    if (!abierto)
        m_bloqueo.reset();
    archNuevo->setEnabled(!abierto);
    archAbrir->setEnabled(!abierto);
    for (QAction *accion : {archGuardar, archGuardarXML, archGuardarComo, archCerrar, archImprimir, archConfImpresion,
                            archVistaPreliminar, ventCascada, ventMosaHorizontal, ventMosaVertical})
        accion->setEnabled(abierto);
    const bool difrol = abierto && CodigoPpal.compare(QStringLiteral("MARPO"), Qt::CaseInsensitive) != 0;
    difrolImprimir->setEnabled(difrol);
    difrolVistaPreliminar->setEnabled(difrol);
}

void TformPpal::ActualizarBotones2()
{
    Timer1->setInterval(600);
    Timer1->start();
}
