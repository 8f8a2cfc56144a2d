#include "reservatemporal.h"

#include "shelllog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QStringList kSufijos = {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")};
const char kSufijoLista[] = ".lista";
const char kSufijoNueva[] = ".nueva";

// The open file `fd` is the one `ruta` names now.
bool mismoArchivo(int fd, const QByteArray &ruta)
{
    struct stat abierto;
    struct stat nombrado;
    return ::fstat(fd, &abierto) == 0 && ::stat(ruta.constData(), &nombrado) == 0 && abierto.st_dev == nombrado.st_dev
           && abierto.st_ino == nombrado.st_ino;
}

QString normalizada(const QString &ruta)
{
    return QDir::cleanPath(QFileInfo(ruta).absoluteFilePath());
}

// The files a list names, one per line.
QStringList leerLista(int fd)
{
    QByteArray contenido;
    char buffer[4096];
    ::lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        contenido.append(buffer, n);
    QStringList archivos;
    for (const QByteArray &linea : contenido.split('\n')) {
        if (!linea.isEmpty())
            archivos << normalizada(QFile::decodeName(linea));
    }
    return archivos;
}

bool borrarConDiarios(const QString &archivo, QStringList &borrados)
{
    bool ok = true;
    for (const QString &sufijo : kSufijos) {
        const QString nombre = archivo + sufijo;
        if (!QFileInfo::exists(nombre))
            continue;
        if (QFile::remove(nombre))
            borrados << nombre;
        else
            ok = false;
    }
    return ok;
}

} // namespace

ReservaTemporal::ReservaTemporal(const QString &carpeta)
    : m_carpeta(QDir::cleanPath(QDir(carpeta).absolutePath()))
{
    if (!QDir().mkpath(m_carpeta))
        return;
    // A list is created and locked under a name no clean-up reads, and only then put in
    // place: a clean-up never sees this copy's list unlocked, so it can neither take it
    // for abandoned nor hold its lock while this copy starts. A name used before (by a
    // copy that had this pid) is never reused, so a clean-up that locked an old list
    // cannot remove this one in its place.
    for (int intento = 0; intento < 16 && m_fd < 0; ++intento) {
        const QString nombre = QStringLiteral("brenvik-%1-%2")
                                   .arg(QCoreApplication::applicationPid())
                                   .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const QByteArray nueva = QFile::encodeName(m_carpeta + QLatin1Char('/') + nombre + QLatin1String(kSufijoNueva));
        const QString lista = m_carpeta + QLatin1Char('/') + nombre + QLatin1String(kSufijoLista);
        const int fd = ::open(nueva.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            break;
        }
        const QByteArray destino = QFile::encodeName(lista);
        // The lock fails, or the file goes, when a clean-up took the new file for one
        // left by a copy that crashed while starting: then try again under another name.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && std::rename(nueva.constData(), destino.constData()) == 0
            && mismoArchivo(fd, destino)) {
            m_lista = lista;
            m_fd = fd;
            break;
        }
        ::unlink(nueva.constData());
        ::close(fd);
    }
    if (m_fd < 0)
        qCWarning(lcShell) << "cannot claim a list in" << m_carpeta;
}

ReservaTemporal::~ReservaTemporal()
{
    if (m_fd < 0)
        return;
    ::unlink(QFile::encodeName(m_lista).constData());
    ::close(m_fd);
}

void ReservaTemporal::Anotar(const QStringList &archivos)
{
    if (m_fd < 0)
        return;
    QByteArray contenido;
    for (const QString &archivo : archivos)
        contenido += QFile::encodeName(normalizada(archivo)) + '\n';
    if (::ftruncate(m_fd, 0) != 0 || ::pwrite(m_fd, contenido.constData(), size_t(contenido.size()), 0) != contenido.size())
        qCWarning(lcShell) << "cannot write" << m_lista;
}

QStringList ReservaTemporal::LimpiarAbandonados(std::chrono::seconds gracia)
{
    QStringList borrados;
    if (m_fd < 0)
        return borrados;
    const QDir dir(m_carpeta);
    QSet<QString> enUso;
    for (const QString &archivo : leerLista(m_fd))
        enUso.insert(archivo);

    const QStringList listas = dir.entryList({QStringLiteral("brenvik-*") + QLatin1String(kSufijoLista)}, QDir::Files);
    for (const QString &nombre : listas) {
        const QString lista = dir.filePath(nombre);
        if (normalizada(lista) == normalizada(m_lista))
            continue;
        const int fd = ::open(QFile::encodeName(lista).constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0)
            continue;
        const QStringList archivos = leerLista(fd);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            // A running copy holds it: its files stay.
            for (const QString &archivo : archivos)
                enUso.insert(archivo);
            ::close(fd);
            continue;
        }
        bool todos = true;
        for (const QString &archivo : archivos) {
            // Only working databases of this folder, whatever a damaged list may say.
            if (QFileInfo(archivo).absolutePath() == m_carpeta)
                todos = borrarConDiarios(archivo, borrados) && todos;
        }
        if (todos && ::unlink(QFile::encodeName(lista).constData()) == 0)
            borrados << lista;
        ::close(fd);
    }

    // A list a copy was creating when it ended; one a copy is creating now is locked (or,
    // not locked yet, it makes that copy try another name).
    const QDateTime limite = QDateTime::currentDateTime().addSecs(-gracia.count());
    for (const QFileInfo &info : dir.entryInfoList({QStringLiteral("brenvik-*") + QLatin1String(kSufijoNueva)}, QDir::Files)) {
        const QByteArray ruta = QFile::encodeName(info.filePath());
        if (info.lastModified() >= limite)
            continue;
        const int fd = ::open(ruta.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(ruta.constData()) == 0)
            borrados << info.filePath();
        ::close(fd);
    }

    // A working database "<n>.db", a document being expanded or copied beside it
    // ("<n>.db.XXXXXX", left behind when a load was killed), and the journals of either,
    // also once their database is gone.
    static const QRegularExpression baseTrabajo(
        QStringLiteral("^([0-9]+\\.db)(\\.[A-Za-z0-9]{6})?(-journal|-wal|-shm)?$"));
    for (const QFileInfo &info : dir.entryInfoList({QStringLiteral("*.db*")}, QDir::Files)) {
        const QRegularExpressionMatch m = baseTrabajo.match(info.fileName());
        if (!m.hasMatch() || enUso.contains(normalizada(dir.filePath(m.captured(1)))))
            continue;
        const QDateTime cambio = qMax(info.lastModified(), info.metadataChangeTime());
        if (cambio >= limite || !QFileInfo::exists(info.filePath()))
            continue;
        if (m.captured(3).isEmpty())
            borrarConDiarios(info.filePath(), borrados);
        else if (!QFileInfo::exists(dir.filePath(m.captured(1) + m.captured(2))) && QFile::remove(info.filePath()))
            borrados << info.filePath();
    }
    return borrados;
}
