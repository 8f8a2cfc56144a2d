// Working databases of running copies of the program kept apart in the shared folder.
#include "reservatemporal.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

class ReservaTemporalTest : public ::testing::Test
{
protected:
    QString archivo(const QString &nombre, const QByteArray &contenido = "x")
    {
        const QString ruta = dir.path() + QLatin1Char('/') + nombre;
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contenido);
        return ruta;
    }
    // The list of another copy of the program naming `archivos`.
    QString lista(int pid, const QStringList &archivos)
    {
        return archivo(QStringLiteral("brenvik-%1.lista").arg(pid), archivos.join(QLatin1Char('\n')).toUtf8() + '\n');
    }
    static bool existe(const QString &ruta) { return QFileInfo::exists(ruta); }

    QTemporaryDir dir;
};

TEST_F(ReservaTemporalTest, ListsThisCopysFilesWhileItRuns)
{
    QString nombreLista;
    {
        ReservaTemporal reserva(dir.path() + QStringLiteral("/temporal"));
        ASSERT_TRUE(reserva.activa());
        nombreLista = reserva.archivoLista();
        EXPECT_TRUE(QFileInfo(nombreLista).fileName().contains(
            QRegularExpression(QStringLiteral("^brenvik-%1-[0-9a-f]{8}\\.lista$").arg(QCoreApplication::applicationPid()))))
            << nombreLista.toStdString();
        reserva.Anotar({dir.path() + QStringLiteral("/temporal/1.db"), dir.path() + QStringLiteral("/temporal/2.db")});
        QFile f(nombreLista);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll().count('\n'), 2);
    }
    EXPECT_FALSE(existe(nombreLista));
}

// Guards against one running copy deleting the working databases of another.
TEST_F(ReservaTemporalTest, DeletesOnlyWhatNoRunningCopyHolds)
{
    ReservaTemporal reserva(dir.path());
    const QString mio = archivo(QStringLiteral("100.db"));
    reserva.Anotar({mio});

    // A copy that crashed: its list is held by nobody.
    const QString muerto = archivo(QStringLiteral("200.db"));
    const QString diario = archivo(QStringLiteral("200.db-journal"));
    QTemporaryDir fuera;
    const QString ajeno = fuera.path() + QStringLiteral("/300.db");
    QFile(ajeno).open(QIODevice::WriteOnly);
    const QString listaMuerta = lista(999001, {muerto, ajeno});

    // A copy that runs: it holds its list.
    const QString vivo = archivo(QStringLiteral("400.db"));
    const QString listaViva = lista(999002, {vivo});
    const int fd = ::open(QFile::encodeName(listaViva).constData(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);

    // Files no list names: a working database just created, and files of other kinds.
    const QString suelto = archivo(QStringLiteral("500.db"));
    const QString otro = archivo(QStringLiteral("notas.db"));

    const QStringList borrados = reserva.LimpiarAbandonados();
    EXPECT_EQ(borrados.size(), 3);
    EXPECT_FALSE(existe(muerto));
    EXPECT_FALSE(existe(diario));
    EXPECT_FALSE(existe(listaMuerta));
    for (const QString &queda : {mio, ajeno, vivo, listaViva, suelto, otro})
        EXPECT_TRUE(existe(queda)) << queda.toStdString();

    // Once nobody touched it for the grace period, an unlisted working database goes.
    reserva.LimpiarAbandonados(std::chrono::seconds(-1));
    EXPECT_FALSE(existe(suelto));
    for (const QString &queda : {mio, vivo, otro})
        EXPECT_TRUE(existe(queda)) << queda.toStdString();
    ::close(fd);
}

// Guards against the files of a killed load, and journals left without their database,
// staying in the folder for ever.
TEST_F(ReservaTemporalTest, LeftoversOfLoadsAndLoneJournalsGoAfterTheGrace)
{
    ReservaTemporal reserva(dir.path());
    const QString mia = archivo(QStringLiteral("100.db"));
    reserva.Anotar({mia});
    struct Caso
    {
        const char *nombre;
        bool seVa;
    };
    const Caso casos[] = {
        {"200.db.aB3xYz", true},           // a document expanded beside a database gone
        {"200.db.aB3xYz-journal", true},
        {"300.db-wal", true},              // side files of a database gone
        {"300.db-shm", true},
        {"400.db.Qw12er-wal", true},
        {"100.db.Zx98cv", false},          // a load of this copy
        {"100.db-wal", false},
        {"notas.db.aB3xYz", false},        // not the program's
        {"200.db.aB3xYz1", false},
        {"200.db.aB3x", false},
        {"300.db-otro", false},
    };
    QStringList rutas;
    for (const Caso &c : casos)
        rutas << archivo(QLatin1String(c.nombre));

    reserva.LimpiarAbandonados();
    for (const QString &ruta : std::as_const(rutas))
        EXPECT_TRUE(existe(ruta)) << "young: " << ruta.toStdString();
    reserva.LimpiarAbandonados(std::chrono::seconds(-1));
    for (qsizetype i = 0; i < rutas.size(); ++i)
        EXPECT_EQ(existe(rutas[i]), !casos[i].seVa) << casos[i].nombre;
    EXPECT_TRUE(existe(mia));
}

// Whether `lista` is in place and locked by someone else than the caller.
bool listaTomada(const QString &lista)
{
    const int fd = ::open(QFile::encodeName(lista).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool tomada = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return tomada;
}

// Copies of the program starting while others clean the shared folder up: every starting
// copy must end up with its list in place and held, never taken for abandoned.
TEST_F(ReservaTemporalTest, CopiesStartingDuringCleanUpsStayProtected)
{
    const QString carpeta = dir.path() + QStringLiteral("/temporal");
    std::vector<pid_t> limpiadores;
    for (int i = 0; i < 2; ++i) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ReservaTemporal reserva(carpeta);
            for (;;)
                reserva.LimpiarAbandonados(std::chrono::seconds(-1));
        }
        limpiadores.push_back(pid);
    }

    constexpr int kCopias = 400;
    constexpr int kALaVez = 6;
    int sinProteger = 0;
    int enMarcha = 0;
    auto esperarUna = [&] {
        int estado = 0;
        if (::wait(&estado) > 0) {
            --enMarcha;
            if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0)
                ++sinProteger;
        }
    };
    for (int i = 0; i < kCopias; ++i) {
        if (enMarcha == kALaVez)
            esperarUna();
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ReservaTemporal reserva(carpeta);
            if (!reserva.activa())
                ::_exit(1);
            reserva.Anotar({carpeta + QStringLiteral("/%1.db").arg(::getpid())});
            ::_exit(listaTomada(reserva.archivoLista()) ? 0 : 2);
        }
        ++enMarcha;
    }
    for (const pid_t pid : limpiadores)
        ::kill(pid, SIGKILL);
    for (const pid_t pid : limpiadores)
        ::waitpid(pid, nullptr, 0);
    while (enMarcha > 0)
        esperarUna();
    EXPECT_EQ(sinProteger, 0) << "of " << kCopias << " copies";
}

} // namespace
