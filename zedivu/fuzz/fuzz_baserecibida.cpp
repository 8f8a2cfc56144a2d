// Feeds arbitrary bytes as the working database a document brings, to be copied into the
// template of the test form PRUEBA (its tables as the build makes them, and a table of
// every other column type). The seeds are sound and hostile databases of that form, so
// mutations reach the schema, the declared types and the values. Whatever the input, the
// copy ends within its bounds and, when it succeeds, holds only the template's objects.
#include "baserecibida.h"
#include "connection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

const char kPlantilla[] =
    "CREATE TABLE \"prueba\" (\"id\" INTEGER PRIMARY KEY AUTOINCREMENT, \"nombre\" VARCHAR(40), \"obs\" TEXT,"
    " \"tipo\" INTEGER, \"cod_pre\" INTEGER DEFAULT -1);"
    "INSERT INTO \"prueba\" (\"nombre\", \"obs\", \"tipo\") VALUES ('inicial', '', 1);"
    "CREATE TABLE \"prueba_det\" (\"id\" INTEGER PRIMARY KEY AUTOINCREMENT, \"num\" VARCHAR(10), \"tipo\" INTEGER,"
    " \"sup\" DOUBLE);"
    "CREATE TABLE \"tipos\" (\"codigo\" INTEGER, \"descripcion\" VARCHAR(30));"
    "INSERT INTO \"tipos\" VALUES (1, 'Uno'), (2, 'Dos');"
    "CREATE TABLE \"persona_rep\" (\"id\" INTEGER PRIMARY KEY AUTOINCREMENT, \"rut\" INTEGER, \"dv\" VARCHAR(1),"
    " \"pat\" VARCHAR(30), \"mat\" VARCHAR(30), \"nom\" VARCHAR(30), \"dom\" VARCHAR(60), \"com\" INTEGER,"
    " \"ciu\" VARCHAR(30), \"sexo\" INTEGER, \"fono\" VARCHAR(20));"
    "INSERT INTO \"persona_rep\" (\"rut\") VALUES (12345678);"
    "CREATE TABLE \"otros\" (\"n\" SMALLINT, \"si\" BOOLEAN, \"fec\" DATETIME, \"libre\");";

struct Entorno
{
    QTemporaryDir dir;
    QString origen, destino;
    QByteArray plantilla;
    QString esquema;
};

QString esquema(const QString &archivo)
{
    Connection c;
    if (!c.open(archivo, Connection::ReadOnly))
        return QString();
    QString texto;
    for (const QVariantList &fila : c.select(QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY name")).rows)
        texto += fila.value(0).toString() + fila.value(1).toString() + fila.value(2).toString() + QLatin1Char('\n');
    return texto;
}

Entorno &entorno()
{
    static Entorno e = [] {
        Entorno e;
        const QString plantilla = e.dir.filePath(QStringLiteral("PRUEBA.db"));
        {
            Connection c;
            if (!c.open(plantilla, Connection::ReadWriteCreate) || !c.execScript(QString::fromLatin1(kPlantilla)))
                __builtin_trap();
        }
        QFile f(plantilla);
        if (!f.open(QIODevice::ReadOnly))
            __builtin_trap();
        e.plantilla = f.readAll();
        e.esquema = esquema(plantilla);
        e.origen = e.dir.filePath(QStringLiteral("1.db.origen"));
        e.destino = e.dir.filePath(QStringLiteral("1.db"));
        return e;
    }();
    return e;
}

bool escribir(const QString &archivo, const char *datos, qsizetype largo)
{
    QFile f(archivo);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(datos, largo) == largo;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Entorno &e = entorno();
    if (!escribir(e.origen, reinterpret_cast<const char *>(data), qsizetype(size))
        || !escribir(e.destino, e.plantilla.constData(), e.plantilla.size()))
        __builtin_trap();
    const BaseRecibida::Formulario formulario{QStringLiteral("PRUEBA"), QStringLiteral("v2.5"), {QStringLiteral("prueba")}};
    if (BaseRecibida::copiar(e.origen, e.destino, formulario) == BaseRecibida::Resultado::Copiada
        && esquema(e.destino) != e.esquema)
        __builtin_trap();
    // Nothing may be left beside either file.
    for (const char *sufijo : {"-journal", "-wal", "-shm"}) {
        if (QFile::exists(e.origen + QLatin1String(sufijo)) || QFile::exists(e.destino + QLatin1String(sufijo)))
            __builtin_trap();
    }
    return 0;
}
