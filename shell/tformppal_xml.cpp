// The exchange file that the consultant delivers to the agency: the checks of every form,
// the save of the document, the file itself (a comment header, the integrity line and the
// exchange XML of every form, sealed with MD5 hashes), its entry in the document index and
// the offer to print the forms that go with it.
#include "tformppal.h"

#include "dialogservice.h"
#include "fallaprogramacion.h"
#include "formulariosdocumento.h"
#include "nombredocumento.h"
#include "util_archivo.h"
#include "util_bbdd.h"
#include "xml/txml.h"

#include "abort.h"
#include "dataset.h"
#include "datasource.h"
#include "dbgrid.h"
#include "field.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QSaveFile>

#include <stdexcept>
#include <utility>

namespace {

const QString kIncompleto = QStringLiteral(
    "No se puede generar un archivo de intercambio con un formulario incompleto, verifique si ha guardado el archivo.");
const QString kSinPropietario =
    QStringLiteral("No se puede generar un archivo de intercambio con un formulario sin propietario");
const QString kOfertaImpresion = QStringLiteral(
    "Es conveniente generar una impresión de los formularios para presentarla junto al documento XML que acaba de "
    "guardar.\n\n¿Desea imprimir los formularios?");

// The forms that carry the property, its owners and representatives.
bool esSolicitud(const QString &codigo)
{
    static const QStringList solicitudes = {QStringLiteral("DORVO"), QStringLiteral("WIRO"),  QStringLiteral("FERUN"),
                                            QStringLiteral("BEXA"),  QStringLiteral("DUVI"),  QStringLiteral("YOLVA"),
                                            QStringLiteral("FENRA"), QStringLiteral("TROZEL")};
    return solicitudes.contains(codigo, Qt::CaseInsensitive);
}

bool esPrincipal(const TCustomMDIChild *f)
{
    return !esSolicitud(f->Codigo) && f->Codigo.compare(f->CodigoPpal, Qt::CaseInsensitive) == 0;
}

bool esMarpo(const TCustomMDIChild *f)
{
    return f->Codigo.compare(QLatin1String("marpo"), Qt::CaseInsensitive) == 0;
}

// The owners' table of a form: "ads" + code + "_pro", or "adt" + code + "_pro" as the form
// descriptions name their tables.
bool esTablaPropietarios(const Dataset *ds, const QString &codigo)
{
    const QString nombre = ds->objectName();
    return nombre.size() == codigo.size() + 7 && nombre.endsWith(QLatin1String("_pro"), Qt::CaseInsensitive)
           && nombre.mid(3, codigo.size()).compare(codigo, Qt::CaseInsensitive) == 0
           && (nombre.startsWith(QLatin1String("ads"), Qt::CaseInsensitive)
               || nombre.startsWith(QLatin1String("adt"), Qt::CaseInsensitive));
}

bool tieneTexto(const Dataset *ds, const char *campo)
{
    const Field *f = ds ? ds->FindField(QLatin1String(campo)) : nullptr;
    return f && !f->IsNull() && !f->AsString().isEmpty();
}

bool superficieAfectadaPositiva(const Dataset *ds)
{
    const Field *f = ds ? ds->FindField(QStringLiteral("sup_afe")) : nullptr;
    return f && !f->IsNull() && f->AsFloat() > 0;
}

// ValidarTodo, then ValidarFormulario when it passed. The main data source's change handler
// is detached meanwhile, so that what validation posts does not mark the document modified;
// a check that aborts counts as failed.
bool validar(TCustomMDIChild *f, DataSource *fuente)
{
    struct Desconexion
    {
        DataSource *fuente;
        std::function<void(DataSource *, Field *)> manejador = std::exchange(fuente->OnDataChange, nullptr);
        ~Desconexion() { fuente->OnDataChange = std::move(manejador); }
    } desconexion{fuente};
    bool valido = false;
    const bool completo = catchAbort([&] { valido = f->ValidarTodo() && f->ValidarFormulario(); });
    return completo && valido;
}

enum class Revision {
    Completa,      // the exchange file may be written
    SinIntercambio, // a form without a part of its own failed: saved, but no exchange file
    Rechazada,     // told the user; nothing is saved or written
};

// The checks of every form in MDI order, component by component.
Revision revisar(const QList<QPointer<TCustomMDIChild>> &formularios)
{
    Revision revision = Revision::Completa;
    for (TCustomMDIChild *f : formularios) {
        if (!f)
            continue;
        for (QObject *componente : f->findChildren<QObject *>()) {
            if (auto *fuente = qobject_cast<DataSource *>(componente);
                fuente && fuente->objectName().compare(QLatin1String("dsrcPpal"), Qt::CaseInsensitive) == 0) {
                bool valido = validar(f, fuente);
                const Dataset *ds = fuente->DataSet();
                const bool solicitud = esSolicitud(f->Codigo);
                if (solicitud)
                    valido = valido && tieneTexto(ds, "nom_pre") && tieneTexto(ds, "com") && tieneTexto(ds, "sup");
                else if (esPrincipal(f))
                    valido = valido && superficieAfectadaPositiva(ds);
                if (!valido && (solicitud || esPrincipal(f))) {
                    DialogoWin32(mtError, kIncompleto, MB::OK);
                    return Revision::Rechazada;
                }
                if (!valido)
                    revision = Revision::SinIntercambio;
            } else if (auto *ds = qobject_cast<Dataset *>(componente);
                       ds && esTablaPropietarios(ds, f->Codigo) && ds->IsEmpty()) {
                DialogoWin32(mtError, kSinPropietario, MB::OK);
                return Revision::Rechazada;
            }
        }
    }
    return revision;
}

// The agency's code of a form's type; the generic form's depends on its variant.
QString codigoTipo(const TCustomMDIChild *f)
{
    if (f->TisoCodigo == 999) {
        switch (f->Tag) {
        case 31:
            return QStringLiteral("62");
        case 32:
            return QStringLiteral("61");
        case 33:
            return QStringLiteral("60");
        default:
            break;
        }
    }
    return QString::number(f->TisoCodigo);
}

// A consultant's field as it goes into the integrity line: a "|" would open another field
// and a line break would end the line, so both become blanks.
QString campoIntegridad(const QString &valor)
{
    static const QRegularExpression separadores(QStringLiteral("[|\r\n]+"));
    return QString(valor).replace(separadores, QStringLiteral(" "));
}

// What follows the type codes in the integrity line: ten empty fields for profession 4,
// else "|" and RUT-check digit | surname,second surname,names | profession | sex |
// university | year | address | city | telephone | e-mail. Numbers are written as the
// database holds them (no decimals for whole numbers), a Null as nothing.
QString datosConsultor(const QString &bd, int consId)
{
    const QString profesion = Consulta(bd, QStringLiteral("SELECT cons_profesion FROM consultor WHERE cons_id=?"), {consId});
    if (profesion.trimmed() == QLatin1String("4"))
        return QStringLiteral("||||||||||");
    const QList<QStringList> filas = Consulta3(
        bd,
        QStringLiteral("SELECT cons_rut, cons_dv, cons_paterno, cons_materno, cons_nombre, cons_profesion, cons_sexo,"
                       " cons_universidad, cons_ano, cons_domicilio, cons_ciudad, cons_telefono, cons_correo"
                       " FROM consultor WHERE cons_id=?"),
        {consId});
    if (filas.isEmpty())
        return QStringLiteral("|");
    QStringList c;
    for (const QString &valor : filas.first())
        c.append(campoIntegridad(valor));
    const QStringList campos = {c.value(0) + QLatin1Char('-') + c.value(1),
                                c.value(2) + QLatin1Char(',') + c.value(3) + QLatin1Char(',') + c.value(4),
                                c.value(5), c.value(6), c.value(7), c.value(8), c.value(9), c.value(10), c.value(11),
                                c.value(12)};
    return QLatin1Char('|') + campos.join(QLatin1Char('|'));
}

QByteArray armarArchivo(const QString &h, const QString &codigos, const QString &consultor, const QByteArray &cuerpos)
{
    QByteArray texto = QString::fromUtf8("# NO MODIFICAR ESTE ARCHIVO DIRECTAMENTE. SOLAMENTE SE PUEDE CREAR\r\n"
                                         "# UN ARCHIVO VÁLIDO DESDE LA BRENVIK.\r\n"
                                         "#\r\n")
                           .toLatin1();
    texto += (QStringLiteral("#@1|") + h + QLatin1Char('|') + codigos + consultor + QStringLiteral("\r\n#\r\n")).toLatin1();
    texto += cuerpos;
    return texto;
}

// Writes the whole file or leaves what was there; false with the cause in `error`.
bool escribirArchivo(const QString &archivo, const QByteArray &texto, QString &error)
{
    QSaveFile f(archivo);
    if (f.open(QIODevice::WriteOnly) && f.write(texto) == texto.size() && f.commit())
        return true;
    error = f.errorString();
    return false;
}

// One body of a form: its XML text, with the notes its writer collected shown to the user.
// False when the form's code failed (told as a programming fault) or aborted.
bool cuerpoDe(TCustomMDIChild *f, QByteArray (TCustomMDIChild::*preparar)(), QByteArray &cuerpo)
{
    bool preparado = false;
    try {
        preparado = catchAbort([&] { cuerpo = (f->*preparar)(); });
    } catch (const std::logic_error &e) {
        FallaProgramacion(QString::fromUtf8(e.what()), "ppal_xml", __LINE__);
        return false;
    }
    if (f->XML) {
        for (const QString &aviso : f->XML->Avisos())
            DialogoWin32(mtInformation, aviso, MB::OK);
    }
    return preparado;
}

// The exchange file's bodies, the joined hashes of the bodies and the type codes, in MDI
// order; false when a form could not give its XML.
bool cuerpos(const QList<QPointer<TCustomMDIChild>> &formularios, QByteArray &texto, QByteArray &hashes, QString &codigos)
{
    auto agregar = [&](TCustomMDIChild *f, QByteArray (TCustomMDIChild::*preparar)(), const QString &codigo) {
        QByteArray cuerpo;
        if (!cuerpoDe(f, preparar, cuerpo))
            return false;
        texto += cuerpo;
        hashes += TXML::HashDe(cuerpo).toLatin1();
        codigos += codigo + QLatin1Char(',');
        return true;
    };
    for (TCustomMDIChild *f : formularios) {
        if (!f)
            continue;
        if (!agregar(f, &TCustomMDIChild::PrepararXML, codigoTipo(f)))
            return false;
        if (esMarpo(f) && !agregar(f, &TCustomMDIChild::PrepararSolXML, QStringLiteral("98")))
            return false;
        f->Modificado = false;
    }
    codigos.chop(1);
    return true;
}

// Prints the active form and then its siblings, once the user asks for it.
void ofrecerImpresion(QPrintDialog *dialogo, TCustomMDIChild *activo)
{
    if (DialogoWin32(mtConfirmation, kOfertaImpresion, MB::YESNO) != ID::YES)
        return;
    TformPpal::PrepararDialogoImpresion(dialogo, activo);
    if (dialogo->exec() != QDialog::Accepted)
        return;
    QList<QPointer<TCustomMDIChild>> orden = {activo};
    orden += activo->Hermanos;
    for (const QPointer<TCustomMDIChild> &f : std::as_const(orden)) {
        if (!f)
            continue;
        QString error;
        bool impreso = false;
        try {
            impreso = f->Imprimir(&error);
        } catch (const std::exception &e) {
            error = QString::fromUtf8(e.what());
        }
        if (!impreso && !error.isEmpty()) {
            DialogoWin32(mtError, QStringLiteral("No se pudo imprimir el formulario %1:\n%2").arg(f->Codigo, error), MB::OK);
            return;
        }
    }
}

} // namespace

bool TformPpal::ValidarSoloTablas(TCustomMDIChild *formulario)
{
    QList<QPointer<TCustomMDIChild>> orden = {formulario};
    orden += formulario->Hermanos;
    for (const QPointer<TCustomMDIChild> &f : std::as_const(orden)) {
        if (!f)
            continue;
        for (DBGrid *grilla : f->findChildren<DBGrid *>()) {
            Dataset *ds = grilla->DataSet();
            if (!ds || (ds->State() != DatasetState::Edit && ds->State() != DatasetState::Insert))
                continue;
            if (!ds->Modified()) {
                ds->Cancel();
                continue;
            }
            bool publicado = false;
            if (!catchAbort([ds, &publicado] { publicado = ds->Post(); }))
                return false;
            if (!publicado) {
                f->DialogoError(ds->lastError().text());
                grilla->setFocus();
                return false;
            }
        }
    }
    return true;
}

void TformPpal::archGuardarXMLExecute()
{
    TCustomMDIChild *activo = formularioActivo(mdiArea);
    if (!activo || !ValidarSoloTablas(activo))
        return;
    const Revision revision = revisar(formularios(mdiArea));
    if (revision == Revision::Rechazada)
        return;

    archGuardarExecute(this);
    const QList<QPointer<TCustomMDIChild>> lista = formularios(mdiArea);
    // A document that is not on disk as it stands gets no exchange file.
    bool guardado = !activo->ArchivoDocumento.isEmpty();
    for (TCustomMDIChild *f : lista)
        guardado = guardado && f && !f->Modificado;
    if (revision == Revision::SinIntercambio || !guardado)
        return;

    struct Terminado
    {
        const QList<QPointer<TCustomMDIChild>> &lista;
        TformPpal *ppal;
        ~Terminado()
        {
            for (TCustomMDIChild *f : lista) {
                if (f)
                    f->Modificado = false;
            }
            ppal->setEnabled(true);
        }
    } terminado{lista, this};
    const Ocupados ocupados(mdiArea);

    const QString carpeta = GetMisDocumentos() + QStringLiteral("Formularios/Archivos Intercambio Okran/");
    QDir().mkpath(carpeta);
    QString parteCodigo;
    for (TCustomMDIChild *f : lista) {
        if (f && esPrincipal(f)) {
            parteCodigo = ParteCodigoDocumento(f->Codigo, f->Tag);
            break;
        }
    }
    const QString inicial = NombreDocumentoPorDefecto(activo->PredNombre, parteCodigo, carpeta, QStringLiteral("xml"));
    const QString filtro = QStringLiteral("Archivo XML (*.xml);;Todos los Archivos (*)");
    const QString xml = QStringLiteral("xml");
    const QString elegido =
        ConExtension(dlgGuardarXML ? dlgGuardarXML(inicial, filtro) : PedirArchivoGuardar(this, inicial, filtro, xml), xml);
    if (elegido.isEmpty())
        return;

    setEnabled(false);
    QByteArray texto;
    QByteArray hashes;
    QString codigos;
    if (!cuerpos(lista, texto, hashes, codigos))
        return;
    const QString h = TXML::HashDe(hashes);
    texto = armarArchivo(h, codigos, datosConsultor(baseDatosPpal(), ConsultorDocumento), texto);
    QString error;
    if (!escribirArchivo(elegido, texto, error)) {
        DialogoWin32(mtError, QStringLiteral("No se pudo escribir el archivo de intercambio \"%1\": %2").arg(elegido, error),
                     MB::OK);
        return;
    }

    QDir::setCurrent(DirAplicacion);
    const QString documento = activo->ArchivoDocumento;
    if (documento.size() > 4 && QFileInfo::exists(documento))
        Operacion(baseDatosPpal(),
                  QStringLiteral("UPDATE formPredio SET foco_estado=1, foco_XML=?, foco_hashXml=?, foco_consultorId=?"
                                 " WHERE foco_archivo=?"),
                  true, {elegido, h, ConsultorDocumento, documento});
    for (TCustomMDIChild *f : lista) {
        if (f)
            f->HashXML = h;
    }
    activo->ActualizarTitulo();
    setEnabled(true);
    ofrecerImpresion(dlgImprimir, activo);
}
