// The field checks of the form windows: the check table, the messages, the before-post
// runner installed from a form description and what a failure does to the window.
#include "validacion.h"

#include "abort.h"
#include "builtform.h"
#include "connection.h"
#include "datasource.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "formdescriptionparser.h"
#include "formbuilder.h"
#include "mainwindowhooks.h"
#include "scripteddialogs.h"
#include "table.h"
#include "tcustommdichild.h"
#include "util_bbdd.h"

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

const int kAno = 2026;

class BaseValidacion : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("bd.db"));
        Connection c;
        ASSERT_TRUE(c.open(path, Connection::ReadWriteCreate));
        ASSERT_TRUE(c.execScript(QStringLiteral(
            "CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, txt VARCHAR(50), num DOUBLE, fecha DATETIME,"
            "                rut VARCHAR(12), dv VARCHAR(1));"
            "INSERT INTO t (txt, num) VALUES ('O''Higgins', 5);"
            "CREATE TABLE u (cod VARCHAR(10), id INTEGER PRIMARY KEY AUTOINCREMENT);"
            "INSERT INTO u (cod) VALUES ('A1');")));
        c.close();
        tabla.setTableName(QStringLiteral("t"));
        tabla.setObjectName(QStringLiteral("adtT"));
        tabla.setConnection(&conn);
        ASSERT_TRUE(setArchivoADO(&conn, path));
        ASSERT_TRUE(tabla.Active());
        ASSERT_TRUE(tabla.Append());
    }

    Field *campo(const char *nombre) { return tabla.FieldByName(QString::fromLatin1(nombre)); }

    QTemporaryDir dir;
    QString path;
    Connection conn;
    Table tabla;
};

struct CasoCampo
{
    const char *texto; // into the text field "txt"
    TTipoValidaciones tipos;
    const char *mensaje; // empty: passes
};

class ComprobacionCampo : public BaseValidacion, public ::testing::WithParamInterface<CasoCampo>
{
};

TEST_P(ComprobacionCampo, MensajeExacto)
{
    const CasoCampo &c = GetParam();
    Field *f = campo("txt");
    ASSERT_TRUE(f->setAsString(QString::fromUtf8(c.texto)));
    QString falla;
    EXPECT_EQ(ComprobarCampo(f, c.tipos, kAno, &conn, &falla).toStdString(), c.mensaje);
    EXPECT_TRUE(falla.isEmpty()) << falla.toStdString();
}

const char *kFormato = "posee un formato de fecha inválido.\nEl formato correcto es DD-MM-AA o DD-MM-AAAA";
const char *kFueraRango = "posee un año fuera de rango.\nEl rango válido comprende desde 1900 hasta 2026";
const char *kImposible = "posee una fecha inválida o imposible de ocurrir";

INSTANTIATE_TEST_SUITE_P(
    Casos, ComprobacionCampo,
    ::testing::Values(
        CasoCampo{"", {tvNoVacio}, "no puede quedar vacío"},
        CasoCampo{"   ", {tvNoVacio, tvPositivo}, "no puede quedar vacío"},
        CasoCampo{"", {tvPositivo, tvAnoValido, tvFechaValida}, ""}, // optional and empty
        CasoCampo{"0", {tvPositivo}, "no puede ser nulo"},
        CasoCampo{"0", {tvCeroPositivo}, ""},
        CasoCampo{"-0,5", {tvCeroPositivo}, "no puede contener valores negativos"},
        CasoCampo{"-3", {tvPositivo}, "no puede contener valores negativos"},
        CasoCampo{"abc", {tvPositivo}, "no puede ser nulo"},
        CasoCampo{"12,5", {tvNoVacio, tvPositivo}, ""},
        CasoCampo{"1899", {tvAnoActualMax}, "sólo permite valores de año entre 1900 y 2026"},
        CasoCampo{"1900", {tvAnoActualMax}, ""},
        CasoCampo{"2026", {tvAnoActualMax, tvAnoActualMin}, ""},
        CasoCampo{"2027", {tvAnoActualMax}, "sólo permite valores de año entre 1900 y 2026"},
        CasoCampo{"dos mil", {tvAnoActualMax}, "sólo permite valores de año entre 1900 y 2026"},
        CasoCampo{"2025", {tvAnoActualMin}, "El año debe ser mayor o igual que el año en curso"},
        CasoCampo{"1899", {tvAnoValido}, "sólo permite valores de año entre 1900 y 2099"},
        CasoCampo{"1900", {tvAnoValido}, ""},
        CasoCampo{"2030", {tvAnoValido}, ""}, // plan calendars run past the current decade
        CasoCampo{"2099", {tvAnoValido}, ""},
        CasoCampo{"2100", {tvAnoValido}, "sólo permite valores de año entre 1900 y 2099"},
        CasoCampo{"6000000", {tvCoordenadaN}, ""},
        CasoCampo{"2000000", {tvCoordenadaN}, ""},
        CasoCampo{"6000000,1", {tvCoordenadaN}, "sólo acepta coordenadas entre 2.000.000 y 6.000.000"},
        CasoCampo{"1999999", {tvCoordenadaN}, "sólo acepta coordenadas entre 2.000.000 y 6.000.000"},
        CasoCampo{"200000", {tvCoordenadaE}, ""},
        CasoCampo{"900001", {tvCoordenadaE}, "sólo acepta coordenadas entre 200.000 y 900.000"},
        CasoCampo{"norte", {tvCoordenadaE}, "sólo acepta coordenadas entre 200.000 y 900.000"},
        CasoCampo{"31-12-2026", {tvFechaValida}, ""},
        CasoCampo{"01-01-29", {tvFechaValida}, kFueraRango}, // the year 2029
        CasoCampo{"01-01-26", {tvFechaValida}, ""},
        CasoCampo{"01-01-30", {tvFechaValida}, ""},
        CasoCampo{"31-02-10", {tvFechaValida}, kImposible},
        CasoCampo{"29-02-2024", {tvFechaValida}, ""},
        CasoCampo{"29-02-2023", {tvFechaValida}, kImposible},
        CasoCampo{"1-1-2005", {tvFechaValida}, kFormato},
        CasoCampo{"01-01-205", {tvFechaValida}, kFormato},
        CasoCampo{"aa-01-2005", {tvFechaValida}, kFormato},
        CasoCampo{"01-01-2027", {tvFechaValida}, kFueraRango},
        CasoCampo{"01-01-1899", {tvFechaValida}, kFueraRango},
        CasoCampo{"01-13-2020", {tvFechaValida}, kImposible}));

TEST_F(BaseValidacion, FechaValidaSeEscribeEnElCampo)
{
    Field *f = campo("txt");
    for (const auto &[entrada, salida] : {std::pair{"01-01-29", "01-01-2029"}, std::pair{"01-01-30", "01-01-1930"}}) {
        ASSERT_TRUE(f->setAsString(QString::fromLatin1(entrada)));
        EXPECT_EQ(ComprobarCampo(f, {tvFechaValida}, 2030, &conn), QString());
        EXPECT_EQ(f->AsString(), QString::fromLatin1(salida));
    }
    Field *fecha = campo("fecha");
    ASSERT_TRUE(fecha->setAsString(QStringLiteral("15-03-2020")));
    EXPECT_EQ(ComprobarCampo(fecha, {tvFechaValida}, kAno, &conn), QString());
    EXPECT_EQ(fecha->AsDateTime().date(), QDate(2020, 3, 15));
}

TEST_F(BaseValidacion, UnicoCuentaLasOtrasFilasConParametros)
{
    Field *f = campo("txt");
    ASSERT_TRUE(f->setAsString(QStringLiteral("O'Higgins")));
    EXPECT_EQ(ComprobarCampo(f, {tvUnico}, kAno, &conn),
              QStringLiteral("contiene un valor utilizado anteriormente.\nSólo se permiten valores únicos para este campo"));
    ASSERT_TRUE(f->setAsString(QStringLiteral("Carrera")));
    EXPECT_EQ(ComprobarCampo(f, {tvUnico}, kAno, &conn), QString());
    // The row itself does not count against its own value.
    tabla.Cancel();
    tabla.First();
    ASSERT_TRUE(tabla.Edit());
    QString falla;
    EXPECT_EQ(ComprobarCampo(campo("txt"), {tvUnico}, kAno, &conn, &falla), QString());
    EXPECT_TRUE(falla.isEmpty()) << falla.toStdString();
}

TEST_F(BaseValidacion, UnicoExcluyeLaFilaPorElCampoDelIndice)
{
    Table u;
    u.setTableName(QStringLiteral("u"));
    u.setConnection(&conn);
    ASSERT_TRUE(u.Open());
    ASSERT_TRUE(u.Append());
    Field *cod = u.FieldByName(QStringLiteral("cod"));
    ASSERT_TRUE(cod->setAsString(QStringLiteral("A1")));
    const QString repetido =
        QStringLiteral("contiene un valor utilizado anteriormente.\nSólo se permiten valores únicos para este campo");
    const struct
    {
        const char *indice;
        QString mensaje;
        QString falla;
    } casos[] = {
        {"", QString(), QStringLiteral("La tabla \"u\" posee un indice o 1º campo (\"cod\") que no es de tipo autoincremental")},
        {"id", repetido, QString()},
        {"nada", QString(), QStringLiteral("La tabla \"u\" no tiene un indice")},
    };
    for (const auto &c : casos) {
        u.setIndexName(QLatin1String(c.indice));
        QString falla;
        EXPECT_EQ(ComprobarCampo(cod, {tvUnico}, kAno, &conn, &falla), c.mensaje) << c.indice;
        EXPECT_EQ(falla, c.falla) << c.indice;
    }
}

struct CasoLimite
{
    const char *texto;
    TTipoValidacion tipo;
    double limite;
    const char *mensaje;
};

class ComprobacionLimite : public BaseValidacion, public ::testing::WithParamInterface<CasoLimite>
{
};

TEST_P(ComprobacionLimite, MensajeExacto)
{
    const CasoLimite &c = GetParam();
    ASSERT_TRUE(campo("txt")->setAsString(QString::fromLatin1(c.texto)));
    EXPECT_EQ(ComprobarLimite(campo("txt"), {c.tipo, tvNoVacio}, c.limite).toStdString(), c.mensaje);
}

INSTANTIATE_TEST_SUITE_P(Casos, ComprobacionLimite,
                         ::testing::Values(CasoLimite{"99,9", tvMenor, 100, ""},
                                           CasoLimite{"100", tvMenor, 100, "debe ser menor que 100"},
                                           CasoLimite{"100", tvMenorIgual, 100, ""},
                                           CasoLimite{"100,01", tvMenorIgual, 100, "debe ser menor o igual a 100"},
                                           CasoLimite{"0", tvMayorIgual, 0.5, "debe ser mayor o igual a 0,5"},
                                           CasoLimite{"0,5", tvMayorIgual, 0.5, ""},
                                           CasoLimite{"0", tvMayor, 0, "debe ser mayor que 0"},
                                           CasoLimite{"x", tvMayor, 0, "debe ser mayor que 0"},
                                           CasoLimite{"0,001", tvMayor, 0, ""}));

TEST_F(BaseValidacion, EtiquetaDelMensaje)
{
    Field *f = campo("txt");
    f->setDisplayLabel(QStringLiteral("Predio|Superficie\r\n(ha)"));
    EXPECT_EQ(MensajeCampo(f, QStringLiteral("x")), QStringLiteral("El campo \"Superficie  (ha)\" x"));
    f->setDisplayLabel(QStringLiteral("-"));
    EXPECT_EQ(EtiquetaCampo(f), QStringLiteral("Dígito Verificador"));
}

// --- the window side

class Ventana : public TCustomMDIChild
{
public:
    void Nuevo() override {}
    void ComponerImpresion(TImpresion *) override {}
    QByteArray PrepararXML() override { return {}; }
};

class VentanaValidacion : public BaseValidacion
{
protected:
    void SetUp() override
    {
        BaseValidacion::SetUp();
        ventana.Codigo = QStringLiteral("PRUE");
        ventana.ConexionBD = &conn;
        ventana.Paginas = new QTabWidget(&ventana);
        ventana.Paginas->addTab(new QWidget, QStringLiteral("uno"));
        auto *pagina = new QWidget;
        ventana.Paginas->addTab(pagina, QStringLiteral("dos"));
        fuente.setDataSet(&tabla);
        edit = new DBEdit(pagina);
        edit->setDataSource(&fuente, QStringLiteral("num"));
        campo("num")->setDisplayLabel(QStringLiteral("Superficie"));
    }

    ScriptedDialogs dialogos;
    Ventana ventana;
    DataSource fuente;
    DBEdit *edit = nullptr;
};

TEST_F(VentanaValidacion, FallaMuestraMensajeHojaYAborta)
{
    ventana.Validado = true;
    EXPECT_FALSE(catchAbort([&] { ventana.Validar(campo("num"), {tvNoVacio}); }));
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_EQ(dialogos.textos().first(),
              QStringLiteral("Error en Formulario PRUE: \n\nEl campo \"Superficie\" no puede quedar vacío."));
    EXPECT_FALSE(ventana.Validado);
    EXPECT_EQ(ventana.HojaActual, 1);
    EXPECT_EQ(ventana.Paginas->currentIndex(), 1);

    campo("num")->setAsFloat(3);
    EXPECT_TRUE(catchAbort([&] { ventana.Validar(campo("num"), {tvNoVacio, tvPositivo}); }));
    EXPECT_FALSE(catchAbort([&] { ventana.Validar(campo("num"), {tvMayor}, 3); }));
    EXPECT_EQ(dialogos.textos().last(),
              QStringLiteral("Error en Formulario PRUE: \n\nEl campo \"Superficie\" debe ser mayor que 3."));
}

class Ganchos : public MainWindowHooks
{
public:
    Ganchos() { install(this); }
    ~Ganchos() override { install(nullptr); }
    void formActivated(QWidget *form) override { activados << form; }
    void formClosed(QWidget *) override {}
    QList<QWidget *> activados;
};

// Regression: a field shown only by a grid was never brought into view (the grid itself
// takes no focus, its view does).
TEST_F(VentanaValidacion, LaFallaEnfocaElControlYAvisaALaVentanaPrincipal)
{
    Ganchos ganchos;
    // A hidden edit of the field (forms keep some) cannot take the focus.
    auto *oculto = new DBEdit(ventana.Paginas->widget(1));
    oculto->setDataSource(&fuente, QStringLiteral("txt"));
    oculto->hide();
    auto *grilla = new DBGrid(ventana.Paginas->widget(0));
    grilla->setDataSource(&fuente);
    for (const char *c : {"txt", "num", "fecha"})
        grilla->addColumn(QLatin1String(c));
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    ganchos.activados.clear();

    // A field with its own edit: the edit, on its page.
    EXPECT_FALSE(catchAbort([&] { ventana.Validar(campo("num"), {tvNoVacio}); }));
    EXPECT_EQ(ventana.HojaActual, 1);
    EXPECT_EQ(ventana.focusWidget(), edit);
    EXPECT_EQ(ganchos.activados, QList<QWidget *>{&ventana});

    // A field shown only by a grid: the grid, on its page, with the field's column.
    ASSERT_TRUE(campo("fecha")->setAsString(QStringLiteral("31-12-2026")));
    ASSERT_TRUE(campo("txt")->setAsString(QStringLiteral("31-02-10")));
    EXPECT_FALSE(catchAbort([&] { ventana.Validar(campo("txt"), {tvFechaValida}); }));
    EXPECT_EQ(ventana.HojaActual, 0);
    EXPECT_TRUE(grilla->isAncestorOf(ventana.focusWidget()) || ventana.focusWidget() == grilla);
    EXPECT_EQ(grilla->SelectedIndex(), 0);
    EXPECT_EQ(ganchos.activados.size(), 2);
    EXPECT_EQ(dialogos.textos().last(),
              QStringLiteral("Error en Formulario PRUE: \n\nEl campo \"txt\" posee una fecha inválida o imposible de ocurrir."));

    // The limit checks show the message and leave the focus alone.
    campo("num")->setAsFloat(5);
    grilla->setSelectedIndex(2);
    EXPECT_FALSE(catchAbort([&] { ventana.Validar(campo("num"), {tvMenor}, 5); }));
    EXPECT_EQ(ventana.HojaActual, 0);
    EXPECT_EQ(grilla->SelectedIndex(), 2);
    EXPECT_EQ(ganchos.activados.size(), 2);
}

TEST_F(VentanaValidacion, GuardandoSoloValidaRut)
{
    ventana.Guardando = true;
    EXPECT_TRUE(catchAbort([&] { ventana.Validar(campo("num"), {tvNoVacio}); }));
    EXPECT_TRUE(catchAbort([&] { ventana.Validar(campo("num"), {tvMayor}, 3); }));
    DBGrid vacia;
    EXPECT_TRUE(catchAbort([&] { ventana.ValidarTablaNoVacia(&vacia, QStringLiteral("Rodales")); }));
    campo("rut")->setAsString(QStringLiteral("11111111"));
    campo("dv")->setAsString(QStringLiteral("2"));
    EXPECT_FALSE(catchAbort([&] { ventana.ValidarRUT(&tabla, campo("rut"), campo("dv")); }));
    EXPECT_EQ(dialogos.textos(),
              QStringList{QStringLiteral("Error en Formulario PRUE: \n\nEl dígito verificador no concuerda con el RUT ingresado.")});
    campo("dv")->setAsString(QString(DigitoVerificador(QStringLiteral("11111111"))));
    EXPECT_TRUE(catchAbort([&] { ventana.ValidarRUT(&tabla, campo("rut"), campo("dv")); }));
}

TEST_F(VentanaValidacion, TablaVacia)
{
    Table vacia;
    vacia.setTableName(QStringLiteral("t"));
    vacia.setConnection(&conn);
    tabla.Cancel();
    ASSERT_TRUE(vacia.Open());
    DataSource fv;
    fv.setDataSet(&vacia);
    auto *grilla = new DBGrid(ventana.Paginas->widget(1));
    grilla->setDataSource(&fv);
    EXPECT_TRUE(catchAbort([&] { ventana.ValidarTablaNoVacia(grilla, QStringLiteral("Rodales")); }));
    ASSERT_TRUE(conn.exec(QStringLiteral("DELETE FROM t")));
    ASSERT_TRUE(vacia.Refresh());
    EXPECT_FALSE(catchAbort([&] { ventana.ValidarTablaNoVacia(grilla, QStringLiteral("Rodales")); }));
    EXPECT_EQ(dialogos.textos().last(),
              QStringLiteral("Error en Formulario PRUE: \n\nNo se ha introducido ninguna fila en la tabla \"Rodales\".\n"
                             "Esta tabla no puede quedar vacía."));
    EXPECT_EQ(ventana.HojaActual, 1);
}

TEST_F(VentanaValidacion, NuloOCerradoEsFallaDeProgramacion)
{
    EXPECT_TRUE(catchAbort([&] { ventana.Validar(nullptr, {tvNoVacio}); }));
    EXPECT_TRUE(dialogos.textos().join(QString()).contains(QStringLiteral("Se ha pasado un campo para validar que vale nil")));
    tabla.Close();
    EXPECT_TRUE(catchAbort([&] { ventana.Validar(campo("num"), {tvNoVacio}); }));
    EXPECT_TRUE(dialogos.textos().last().contains(
        QStringLiteral("El dataset \"adtT\" correspondiente al campo \"num\" está cerrado")));
}

TEST_F(VentanaValidacion, LasComprobacionesDescritasCorrenAntesDePostear)
{
    FormDescription descripcion;
    ValidationDescription v;
    v.table = QStringLiteral("t");
    v.entries << ValidationDescription::Entry{QStringLiteral("num"), {QStringLiteral("tvNoVacio")}, std::nullopt, 1}
              << ValidationDescription::Entry{QStringLiteral("num"), {QStringLiteral("tvMayorIgual")}, 0.5, 2};
    descripcion.validations << v;
    BuiltForm construido(descripcion, &ventana);
    construido.addDataset(&tabla, &fuente, {QStringLiteral("t")});
    ventana.InstalarValidaciones(construido);

    EXPECT_FALSE(catchAbort([&] { tabla.Post(); }));
    EXPECT_TRUE(dialogos.textos().last().contains(QStringLiteral("no puede quedar vacío")));
    campo("num")->setAsFloat(0.25);
    EXPECT_FALSE(catchAbort([&] { tabla.Post(); }));
    EXPECT_TRUE(dialogos.textos().last().contains(QStringLiteral("debe ser mayor o igual a 0,5")));
    EXPECT_TRUE(tabla.State() == DatasetState::Insert);
    campo("num")->setAsFloat(0.5);
    EXPECT_TRUE(catchAbort([&] { EXPECT_TRUE(tabla.Post()); }));
    EXPECT_EQ(dialogos.textos().size(), 2);
}

} // namespace
