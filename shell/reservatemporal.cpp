#include "reservatemporal.h"

#include "shelllog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QStringList kSufijos = {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")};

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
    m_lista = m_carpeta + QStringLiteral("/brenvik-%1.lista").arg(QCoreApplication::applicationPid());
    const int fd = ::open(QFile::encodeName(m_lista).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        qCWarning(lcShell) << "cannot claim" << m_lista;
        return;
    }
    m_fd = fd;
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

    const QStringList listas = dir.entryList({QStringLiteral("brenvik-*.lista")}, QDir::Files);
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

    static const QRegularExpression baseTrabajo(QStringLiteral("^[0-9]+\\.db$"));
    const QDateTime limite = QDateTime::currentDateTime().addSecs(-gracia.count());
    for (const QFileInfo &info : dir.entryInfoList({QStringLiteral("*.db")}, QDir::Files)) {
        if (!baseTrabajo.match(info.fileName()).hasMatch() || enUso.contains(normalizada(info.filePath())))
            continue;
        const QDateTime cambio = qMax(info.lastModified(), info.metadataChangeTime());
        if (cambio < limite)
            borrarConDiarios(info.filePath(), borrados);
    }
    return borrados;
}
