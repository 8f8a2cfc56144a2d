// The form's working database and its record in the document file.
#include "tcustommdichild.h"

#include "abort.h"
#include "actualizacionmdb.h"
#include "baserecibida.h"
#include "connection.h"
#include "dataset.h"
#include "datasource.h"
#include "dbgrid.h"
#include "registrodocumento.h"
#include "table.h"
#include "transaction.h"
#include "xml/txml.h"
#include "util_archivo.h"
#include "util_bbdd.h"
#include "util_texto.h"
#include "workingdatabases.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <fcntl.h>
#include <cstdio>
#include <cstring>
#include <future>
#include <sqlite3.h>
#include <optional>
#include <vector>

namespace {

Q_LOGGING_CATEGORY(lcDocumento, "brenvik.zedivu.documento", QtWarningMsg)

const QString &imposibleAbrir()
{
    static const QString s = QStringLiteral("Imposible Abrir el Archivo Solicitado");
    return s;
}

bool pendiente(const Dataset *ds)
{
    return ds && (ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert);
}

// Posts a pending edit; false when the post failed or a handler cancelled it.
bool publicar(Dataset *ds, QString &error)
{
    if (!pendiente(ds))
        return true;
    bool ok = false;
    if (!catchAbort([&] { ok = ds->Post(); }))
        return false;
    if (!ok)
        error = ds->lastError().text();
    return ok;
}


// Puts the expanded database in place of the working one, so the file is either the old
// database or the new one. The two names are exchanged where the file system can: a
// rename over an existing file makes ext4 start writing the new one to disk, which a
// working copy does not need and which costs as much as expanding it. The old database
// then goes with the temporary name.
bool reemplazarBaseTrabajo(QTemporaryFile &nueva, const QString &archivo, QString &error)
{
    const QByteArray desde = QFile::encodeName(nueva.fileName());
    const QByteArray hacia = QFile::encodeName(archivo);
#ifdef RENAME_EXCHANGE
    if (::renameat2(AT_FDCWD, desde.constData(), AT_FDCWD, hacia.constData(), RENAME_EXCHANGE) == 0)
        return true;
#endif
    if (std::rename(desde.constData(), hacia.constData()) != 0) {
        error = QStringLiteral("No se pudo reemplazar el archivo %1: %2").arg(archivo, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    nueva.setAutoRemove(false);
    return true;
}

// What a save changes in the main database (the forms' property write-back) is one
// outcome with the document file: it goes through one connection, in one transaction
// committed only once the file is in place. A save that fails, or is killed, before that
// leaves the main database as it was, and the forms forget the codes it gave them.
// The forms are told how the save ended (TerminarGuardarPredio) in any case.
class TransaccionPpal
{
public:
    explicit TransaccionPpal(const QList<TCustomMDIChild *> &formularios)
        : m_formularios(formularios)
    {
        for (TCustomMDIChild *f : formularios) {
            Connection *bd = f ? f->ConexionBDPpal : nullptr;
            if (!bd || !bd->isOpen())
                continue;
            if (!m_bd) {
                m_bd = bd;
            } else if (bd != m_bd && mismaBase(bd, m_bd)) {
                // Each form may hold a connection of its own, and a second writer would
                // wait on the first one's transaction.
                m_propias.append({f, bd});
                f->ConexionBDPpal = m_bd;
            }
        }
        if (m_bd)
            m_tr.emplace(*m_bd);
    }
    ~TransaccionPpal()
    {
        if (m_tr && m_tr->isActive())
            m_tr->rollback();
        for (TCustomMDIChild *f : std::as_const(m_formularios)) {
            if (f)
                f->TerminarGuardarPredio(m_confirmada);
        }
        for (const auto &[f, bd] : std::as_const(m_propias)) {
            if (f)
                f->ConexionBDPpal = bd;
        }
    }
    TransaccionPpal(const TransaccionPpal &) = delete;
    TransaccionPpal &operator=(const TransaccionPpal &) = delete;

    // False (with `error`) when it could not begin.
    bool iniciada(QString &error) const
    {
        if (!m_tr || m_tr->isActive())
            return true;
        error = m_bd->lastError().text();
        return false;
    }
    // Commits the write-back; on failure it is rolled back at once, so that no lock on
    // the main database outlives the failed save, and `error` says so to the consultant
    // (SQLite's own text goes to the log).
    bool confirmar(QString &error)
    {
        m_confirmada = !m_tr || m_tr->commit();
        if (m_confirmada)
            return true;
        const SqlError causa = m_bd->lastError();
        qCWarning(lcDocumento) << "commit of the main database failed:" << causa.text();
        m_tr->rollback();
        const bool ocupada = (causa.code & 0xff) == SQLITE_BUSY || (causa.code & 0xff) == SQLITE_LOCKED;
        error = ocupada ? QStringLiteral("No se pudo guardar el documento: la base de datos central está siendo usada por "
                                         "otro programa.")
                        : QStringLiteral("No se pudo guardar el documento en la base de datos central.");
        error += QStringLiteral("\n\nEl archivo y la base de datos central quedan como estaban; intente guardar nuevamente.");
        return false;
    }

private:
    static bool mismaBase(const Connection *a, const Connection *b)
    {
        return QFileInfo(a->fileName()).canonicalFilePath() == QFileInfo(b->fileName()).canonicalFilePath();
    }

    QList<TCustomMDIChild *> m_formularios;
    Connection *m_bd = nullptr;
    std::optional<Transaction> m_tr;
    bool m_confirmada = false;
    QList<QPair<QPointer<TCustomMDIChild>, Connection *>> m_propias;
};

// Writes the document file and commits the save's main-database write-back as one
// outcome. The new bytes wait in a temporary file beside the document while the main
// database commits; only then does the file take the document's place. A save that fails
// or dies before the commit leaves the old file and the old register; one that dies after
// it leaves a register that knows the property while the file does not yet name it, never
// a file naming a code the register has not kept (which the next property would take).
bool escribirDocumento(const QString &archivo, const QByteArray &bytes, TransaccionPpal &ppal, QString &error)
{
    QSaveFile f(archivo);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush()) {
        error = QStringLiteral("No se pudo escribir el archivo %1: %2").arg(archivo, f.errorString());
        return false;
    }
    if (!ppal.confirmar(error)) {
        f.cancelWriting();
        return false;
    }
    if (TCustomMDIChild::TrasConfirmarGuardado)
        TCustomMDIChild::TrasConfirmarGuardado(archivo);
    if (!f.commit()) {
        error = QStringLiteral("No se pudo escribir el archivo %1: %2").arg(archivo, f.errorString());
        return false;
    }
    return true;
}

// The tables of the working database that hold one row (a document with more is
// damaged): the main dataset's table, unless the form names them in its property
// "tablasDeUnaFila" (a form whose main dataset holds a row per property).
QStringList tablasDeUnaFila(const TCustomMDIChild &formulario)
{
    const QVariant propias = formulario.property("tablasDeUnaFila");
    if (propias.isValid())
        return propias.toStringList();
    if (const auto *tabla = qobject_cast<const Table *>(formulario.DatasetPpal))
        return {tabla->TableName()};
    return {};
}

} // namespace

bool TCustomMDIChild::EstablecerBBDD()
{
    Ocupado = true;
    Guardando = true;
    ArchivoDocumento.clear();
    QString error;
    const QString carpeta = GetMisDocumentos() + QStringLiteral("Formularios/temporal");
    ArchivoMDB = WorkingDatabases::create(DirAplicacion + QStringLiteral("bbdd/") + Codigo + QStringLiteral(".db"), carpeta,
                                          &error);
    if (ArchivoMDB.isEmpty()) {
        Guardando = false;
        Ocupado = false;
        DialogoError(error);
        return false;
    }
    vincularEventosDatasets();
    vincularComponentes();
    if (ConexionBDPpal) {
        if (!setArchivoADO(ConexionBDPpal, DirAplicacion + QStringLiteral("bbdd/bd.db")))
            error = ConexionBDPpal->lastError().text();
    } else {
        for (const QPointer<TCustomMDIChild> &h : std::as_const(Hermanos)) {
            if (h && h->ConexionBDPpal) {
                ConexionBDPpal = h->ConexionBDPpal;
                break;
            }
        }
    }
    delete XML;
    XML = new TXML(ConexionBDPpal);
    if (ConexionBD && !setArchivoADO(ConexionBD, ArchivoMDB) && error.isEmpty())
        error = ConexionBD->lastError().text();
    // Grids get their editing options once their datasets are open.
    vincularGrillas();
    Modificado = false;
    Ocupado = false;
    ActualizarTitulo();
    Guardando = false;
    if (DatasetPpal && DatasetPpal->Active())
        catchAbort([this] { DatasetPpal->Edit(); });
    if (!error.isEmpty()) {
        DialogoError(error);
        return false;
    }
    return true;
}

void TCustomMDIChild::vincularEventosDatasets()
{
    if (!ConexionBD)
        return;
    for (Dataset *ds : ConexionBD->datasets()) {
        if (!ds->AfterPost)
            ds->AfterPost = [this](Dataset *d) { AdsEventoAfterPost(d); };
        if (!ds->AfterDelete)
            ds->AfterDelete = [this](Dataset *d) { AdsEventoAfterPost(d); };
        if (!ds->BeforeDelete)
            ds->BeforeDelete = [this](Dataset *d) { AdsEventoBeforeDelete(d); };
    }
}

void TCustomMDIChild::vincularComponentes()
{
    for (DataSource *fuente : findChildren<DataSource *>()) {
        if (!fuente->OnDataChange)
            fuente->OnDataChange = [this](DataSource *s, Field *f) { DSrcEventoOnDataChange(s, f); };
    }
}

void TCustomMDIChild::vincularGrillas()
{
    for (DBGrid *grilla : findChildren<DBGrid *>()) {
        grilla->OnExit = [this](DBGrid *g) { DbgEventoOnExit(g); };
        if (!grilla->objectName().isEmpty())
            grilla->OnKeyPress = [this](DBGrid *g, QChar &tecla) { DbgEventoOnKeyPress(g, tecla); };
        if (grilla->DataSet() && grilla->DataSet()->Active())
            grilla->setOptions(DBGrid::Editing | DBGrid::AlwaysShowEditor | DBGrid::Indicator | DBGrid::CancelOnExit);
    }
}

bool TCustomMDIChild::prepararBase(const QString &archivo, QByteArray &base)
{
    QString error;
    if (Codigo.compare(QLatin1String("MARPO"), Qt::CaseInsensitive) == 0 && ConexionBDPpal
        && !ConexionBDPpal->exec(QStringLiteral("DELETE FROM formPredio WHERE foco_archivo = ?"), {archivo})) {
        DialogoError(ConexionBDPpal->lastError().text());
        return false;
    }
    const bool guardando = Guardando;
    Guardando = true;
    const bool ppal = publicar(DatasetPpal, error);
    Guardando = guardando;
    if (!ppal) {
        if (!error.isEmpty())
            DialogoError(error);
        return false;
    }
    if (!catchAbort([this] { GuardarPredio(); }))
        return false;
    if (!ConexionBD) {
        DialogoError(QStringLiteral("El formulario no tiene base de datos de trabajo"));
        return false;
    }
    for (Dataset *ds : ConexionBD->datasets()) {
        // A grid row appended and never typed into is no row of the document.
        if (ds != DatasetPpal && ds->State() == DatasetState::Insert && !ds->Modified())
            catchAbort([ds] { ds->Cancel(); });
        if (!publicar(ds, error)) {
            if (!error.isEmpty())
                DialogoError(error);
            return false;
        }
    }
    // Reopening the working database puts the datasets on their first row; a main
    // dataset of several rows (one property each) goes back to the row being edited.
    const Bookmark actual = DatasetPpal && DatasetPpal->Active() ? DatasetPpal->GetBookmark() : Bookmark();
    ConexionBD->close();
    ArchivoDocumento = archivo;
    QFile f(ArchivoMDB);
    bool ok = f.open(QIODevice::ReadOnly);
    if (ok)
        base = f.readAll();
    else
        error = QStringLiteral("No se pudo leer el archivo %1: %2").arg(ArchivoMDB, f.errorString());
    f.close();
    if (!setArchivoADO(ConexionBD, ArchivoMDB) && ok) {
        ok = false;
        error = ConexionBD->lastError().text();
    }
    if (!actual.isNull() && DatasetPpal && DatasetPpal->Active() && DatasetPpal->RecordCount() > 1
        && DatasetPpal->BookmarkValid(actual))
        DatasetPpal->GotoBookmark(actual);
    if (!ok)
        DialogoError(error);
    return ok;
}

bool TCustomMDIChild::prepararRegistro(const QString &archivo, QByteArray &registro)
{
    QByteArray base;
    if (!prepararBase(archivo, base))
        return false;
    QString error;
    if (!RegistroDocumento::escribir(GetProgramVersion(QString()), Codigo, base, registro, &error)) {
        DialogoError(error);
        return false;
    }
    return true;
}

bool TCustomMDIChild::Guardar(const QString &archivo)
{
    TransaccionPpal ppal({this});
    QString error;
    if (!ppal.iniciada(error)) {
        DialogoError(error);
        return false;
    }
    QByteArray registro;
    if (!prepararRegistro(archivo, registro))
        return false;
    QByteArray documento;
    QFile actual(archivo);
    if (actual.exists()) {
        if (!actual.open(QIODevice::ReadOnly)) {
            DialogoError(QStringLiteral("No se pudo leer el archivo %1: %2").arg(archivo, actual.errorString()));
            return false;
        }
        documento = actual.readAll();
        actual.close();
    }
    if (!escribirDocumento(archivo, documento + registro, ppal, error)) {
        DialogoError(error);
        return false;
    }
    return true;
}

bool TCustomMDIChild::GuardarDocumento(const QString &archivo, const QList<TCustomMDIChild *> &formularios)
{
    TransaccionPpal ppal(formularios);
    QString error;
    if (!ppal.iniciada(error)) {
        if (!formularios.isEmpty() && formularios.first())
            formularios.first()->DialogoError(error);
        return false;
    }
    QList<QByteArray> bases(formularios.size());
    for (qsizetype i = 0; i < formularios.size(); ++i) {
        if (!formularios[i] || !formularios[i]->prepararBase(archivo, bases[i]))
            return false;
    }
    // Compression at zlib's level 9 is most of a save and each record stands alone: the
    // records compress on threads of their own and are joined in the forms' order, so the
    // bytes are those one thread would write and the save takes about its largest form.
    struct Compresion
    {
        bool ok = false;
        QByteArray registro;
        QString error;
    };
    const QString version = GetProgramVersion(QString());
    std::vector<std::future<Compresion>> tareas;
    for (qsizetype i = 0; i < formularios.size(); ++i) {
        tareas.push_back(std::async(std::launch::async, [&version, &base = bases[i], codigo = formularios[i]->Codigo] {
            Compresion c;
            c.ok = RegistroDocumento::escribir(version, codigo, base, c.registro, &c.error);
            return c;
        }));
    }
    std::vector<Compresion> registros;
    for (std::future<Compresion> &t : tareas)
        registros.push_back(t.get());
    QByteArray documento;
    for (size_t i = 0; i < registros.size(); ++i) {
        if (!registros[i].ok) {
            formularios[qsizetype(i)]->DialogoError(registros[i].error);
            return false;
        }
        documento += registros[i].registro;
    }
    if (!escribirDocumento(archivo, documento, ppal, error)) {
        if (!formularios.isEmpty())
            formularios.first()->DialogoError(error);
        return false;
    }
    return true;
}

bool TCustomMDIChild::Cargar(const QString &archivo)
{
    // The record is expanded into a file beside the working database, and its data are
    // copied from there into a fresh copy of the form's template; only a sound one takes
    // the working database's place, so a damaged document loses nothing, and neither the
    // database nor any of its values has to be held in memory whole. Whatever went wrong,
    // the consultant is told the document cannot be opened; the log says why.
    auto rechazar = [this, &archivo](const QString &causa) {
        qCWarning(lcDocumento) << "cannot open" << Codigo << "of" << archivo << causa;
        DialogoError(imposibleAbrir());
        return false;
    };
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly))
        return rechazar(f.errorString());
    if (ArchivoMDB.isEmpty())
        return rechazar(QStringLiteral("the form has no working database"));
    QTemporaryFile expandida(ArchivoMDB + QStringLiteral(".XXXXXX"));
    if (!expandida.open())
        return rechazar(expandida.errorString());
    RegistroDocumento::Lectura lectura = RegistroDocumento::leer(f, Codigo, expandida);
    f.close();
    if (!expandida.flush() || expandida.error() != QFileDevice::NoError)
        return rechazar(expandida.errorString());
    expandida.close();
    if (lectura.resultado != RegistroDocumento::Lectura::Encontrado)
        return rechazar(lectura.error);

    QTemporaryFile nueva(ArchivoMDB + QStringLiteral(".XXXXXX"));
    QFile plantilla(DirAplicacion + QStringLiteral("bbdd/") + Codigo + QStringLiteral(".db"));
    if (!plantilla.open(QIODevice::ReadOnly) || !nueva.open())
        return rechazar(plantilla.errorString() + QLatin1Char(' ') + nueva.errorString());
    if (nueva.write(plantilla.readAll()) != plantilla.size() || !nueva.flush())
        return rechazar(nueva.errorString());
    nueva.close();
    const BaseRecibida::Formulario formulario{Codigo.toUpper(), lectura.version, tablasDeUnaFila(*this)};
    QString error;
    switch (BaseRecibida::copiar(expandida.fileName(), nueva.fileName(), formulario, &error)) {
    case BaseRecibida::Resultado::Copiada:
        break;
    case BaseRecibida::Resultado::Danada:
        return rechazar(error);
    case BaseRecibida::Resultado::SinActualizar:
        qCWarning(lcDocumento) << "cannot upgrade" << Codigo << "of" << archivo << error;
        DialogoError(QStringLiteral("No se pudo actualizar la version para el formulario indicado."));
        return false;
    }
    expandida.remove();

    if (pendiente(DatasetPpal))
        DatasetPpal->Cancel();
    if (ConexionBD)
        ConexionBD->close();
    if (!reemplazarBaseTrabajo(nueva, ArchivoMDB, error)) {
        if (ConexionBD)
            setArchivoADO(ConexionBD, ArchivoMDB);
        return rechazar(error);
    }
    ArchivoDocumento = archivo;
    const bool actualizado =
        ActualizaMDB(ArchivoMDB, Codigo, lectura.version, QStringLiteral("v") + GetProgramVersion(QString()));
    if (!actualizado)
        DialogoError(QStringLiteral("No se pudo actualizar la version para el formulario indicado."));
    else if (QString faltante; !CompletarBaseTrabajo(ArchivoMDB, &faltante))
        qCWarning(lcDocumento) << faltante;
    if (ConexionBD && !setArchivoADO(ConexionBD, ArchivoMDB)) {
        if (actualizado)
            return rechazar(ConexionBD->lastError().text());
        return false;
    }
    return actualizado;
}

bool TCustomMDIChild::CompletarBaseTrabajo(const QString &, QString *)
{
    return true;
}

bool TCustomMDIChild::ActualizaMDB(const QString &mdb, const QString &codigo, const QString &versionArchivo,
                                   const QString &versionPrograma)
{
    Q_UNUSED(versionPrograma);
    QString error;
    if (ActualizacionMDB::actualizar(mdb, codigo.toUpper(), versionArchivo, &error))
        return true;
    qCWarning(lcDocumento) << "cannot upgrade" << mdb << "from" << versionArchivo << error;
    return false;
}
