#include "bloqueodocumento.h"

#include "shelllog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The descriptor `fd` is still the file `ruta` names (a copy that released the document
// may have removed the file between our open and our lock).
bool sigueSiendo(int fd, const QByteArray &ruta)
{
    struct stat abierto;
    struct stat nombrado;
    return ::fstat(fd, &abierto) == 0 && ::stat(ruta.constData(), &nombrado) == 0 && abierto.st_dev == nombrado.st_dev
           && abierto.st_ino == nombrado.st_ino;
}

} // namespace

QString BloqueoDocumento::ArchivoBloqueo(const QString &carpeta, const QString &documento)
{
    const QFileInfo info(documento);
    const QString ruta = info.exists() ? info.canonicalFilePath() : QDir::cleanPath(info.absoluteFilePath());
    const QByteArray huella = QCryptographicHash::hash(QFile::encodeName(ruta), QCryptographicHash::Sha1).toHex();
    return QDir::cleanPath(carpeta) + QStringLiteral("/documento-") + QString::fromLatin1(huella) + QStringLiteral(".bloqueo");
}

std::unique_ptr<BloqueoDocumento> BloqueoDocumento::Tomar(const QString &carpeta, const QString &documento, bool *ocupado)
{
    if (ocupado)
        *ocupado = false;
    if (!QDir().mkpath(carpeta))
        return nullptr;
    const QString archivo = ArchivoBloqueo(carpeta, documento);
    const QByteArray ruta = QFile::encodeName(archivo);
    for (int intento = 0; intento < 16; ++intento) {
        const int fd = ::open(ruta.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            break;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int causa = errno;
            ::close(fd);
            if (causa == EWOULDBLOCK) {
                if (ocupado)
                    *ocupado = true;
                return nullptr;
            }
            break;
        }
        if (sigueSiendo(fd, ruta))
            return std::unique_ptr<BloqueoDocumento>(new BloqueoDocumento(documento, archivo, fd));
        ::close(fd);
    }
    qCWarning(lcShell) << "cannot lock" << archivo << "for" << documento;
    return nullptr;
}

BloqueoDocumento::BloqueoDocumento(const QString &documento, const QString &archivo, int fd)
    : m_documento(documento)
    , m_archivo(archivo)
    , m_fd(fd)
{
}

BloqueoDocumento::~BloqueoDocumento()
{
    // Removed while still locked: a copy waiting for it then finds the name gone and
    // makes a new file, never two copies holding two files for one document.
    ::unlink(QFile::encodeName(m_archivo).constData());
    ::close(m_fd);
}
