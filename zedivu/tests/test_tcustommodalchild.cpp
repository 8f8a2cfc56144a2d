#include "tcustommodalchild.h"

#include "abort.h"
#include "classregistry.h"
#include "connection.h"
#include "scripteddialogs.h"
#include "table.h"

#include <QDate>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class Registro : public TCustomModalChild
{
public:
    Registro()
    {
        auto *layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        layout->addWidget(edit);
    }
    void MostrarModal() override {}
    int MostrarModalSeleccion() override { return 0; }
    QLineEdit *edit;
};

// A one-row table with a number, a text and a date column, in edit mode.
class ModalChild : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(conn.open(dir.filePath(QStringLiteral("bd.db")), Connection::ReadWriteCreate));
        ASSERT_TRUE(conn.execScript(QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, num DOUBLE,"
                                                   " txt VARCHAR(20), rut INTEGER, dv VARCHAR(1), fecha DATETIME);"
                                                   "INSERT INTO t (num) VALUES (1);")));
        tabla.setConnection(&conn);
        tabla.setTableName(QStringLiteral("t"));
        ASSERT_TRUE(tabla.Open());
        ASSERT_TRUE(tabla.Edit());
        tabla.FieldByName(QStringLiteral("num"))->setDisplayLabel(QStringLiteral("Año"));
    }
    QTemporaryDir dir;
    Connection conn;
    Table tabla;
    Registro ventana;
};

struct CasoValidar
{
    QVariant valor;
    TTipoValidaciones flags;
    QString mensaje; // after "El campo "Año" "; empty: passes
};

class ValidarCasos : public ModalChild, public ::testing::WithParamInterface<CasoValidar>
{
};

TEST_P(ValidarCasos, FirstFailureShownThenAborts)
{
    const CasoValidar &c = GetParam();
    tabla.FieldByName(QStringLiteral("num"))->setValue(c.valor);
    ScriptedDialogs dialogs;
    const bool completo = catchAbort([&] { ventana.Validar(tabla.FieldByName(QStringLiteral("num")), c.flags); });
    if (c.mensaje.isEmpty()) {
        EXPECT_TRUE(completo);
        EXPECT_TRUE(dialogs.boxes.isEmpty());
    } else {
        EXPECT_FALSE(completo);
        ASSERT_EQ(dialogs.boxes.size(), 1);
        EXPECT_EQ(dialogs.boxes[0].tipo, mtWarning);
        EXPECT_EQ(dialogs.boxes[0].texto, QStringLiteral("Error en Mantenedor:\n\nEl campo \"Año\" ") + c.mensaje + ".");
    }
}

const QString kAno = QString::number(QDate::currentDate().year());

INSTANTIATE_TEST_SUITE_P(
    Mensajes, ValidarCasos,
    ::testing::Values(
        CasoValidar{QVariant(), {tvNoVacio}, QStringLiteral("no puede quedar vacío")},
        CasoValidar{QVariant(), {tvPositivo, tvAnoValido}, QString()},
        CasoValidar{0, {tvPositivo}, QStringLiteral("no puede ser nulo")},
        CasoValidar{0, {tvCeroPositivo}, QString()},
        CasoValidar{-1, {tvCeroPositivo}, QStringLiteral("no puede contener valores negativos")},
        CasoValidar{-1, {tvPositivo}, QStringLiteral("no puede contener valores negativos")},
        CasoValidar{1899, {tvAnoActualMax}, QStringLiteral("sólo permite valores de año entre 1900 y ") + kAno},
        CasoValidar{kAno.toInt() + 1, {tvAnoActualMax}, QStringLiteral("sólo permite valores de año entre 1900 y ") + kAno},
        CasoValidar{kAno.toInt(), {tvAnoActualMax, tvAnoActualMin}, QString()},
        CasoValidar{kAno.toInt() - 1, {tvAnoActualMin}, QStringLiteral("El año debe ser mayor o igual que el año en curso")},
        CasoValidar{2100, {tvAnoValido}, QStringLiteral("sólo permite valores de año entre 1900 y 2099")},
        CasoValidar{2030, {tvAnoValido}, QString()},
        CasoValidar{1999999, {tvCoordenadaN}, QStringLiteral("sólo acepta coordenadas entre 2.000.000 y 6.000.000")},
        CasoValidar{6000000, {tvCoordenadaN}, QString()},
        CasoValidar{900001, {tvCoordenadaE}, QStringLiteral("sólo acepta coordenadas entre 200.000 y 900.000")},
        CasoValidar{5, {tvUnico, tvFechaValida, tvMenor, tvMayor}, QString()}));

struct CasoFecha
{
    const char *texto;
    QString mensaje; // empty: accepted
};

class FechaCasos : public ModalChild, public ::testing::WithParamInterface<CasoFecha>
{
};

TEST_P(FechaCasos, RefusedTextLeavesFieldUnchanged)
{
    const CasoFecha &c = GetParam();
    Field *fecha = tabla.FieldByName(QStringLiteral("fecha"));
    fecha->setDisplayLabel(QStringLiteral("Fecha"));
    ScriptedDialogs dialogs;
    const bool aceptada = ventana.ValidarFecha(fecha, QString::fromUtf8(c.texto));
    if (c.mensaje.isEmpty()) {
        EXPECT_TRUE(aceptada);
        EXPECT_TRUE(dialogs.boxes.isEmpty());
        EXPECT_FALSE(fecha->IsNull());
    } else {
        EXPECT_FALSE(aceptada);
        EXPECT_TRUE(fecha->IsNull());
        ASSERT_EQ(dialogs.boxes.size(), 1);
        EXPECT_EQ(dialogs.boxes[0].texto, QStringLiteral("Error en Mantenedor:\n\nEl campo \"Fecha\" ") + c.mensaje);
    }
}

const QString kFormato = QStringLiteral("posee un formato de fecha inválido.\nEl formato correcto es DD-MM-AA o DD-MM-AAAA.");

INSTANTIATE_TEST_SUITE_P(
    Mensajes, FechaCasos,
    ::testing::Values(CasoFecha{"29-02-2001", QStringLiteral("posee una fecha inválida o imposible de ocurrir")},
                      CasoFecha{"29-02-2000", QString()}, CasoFecha{"01-01-05", QString()},
                      CasoFecha{"01-01-30", QString()}, CasoFecha{"1-1-2001", kFormato},
                      CasoFecha{"aa-01-2001", kFormato}, CasoFecha{"01-01-200", kFormato}, CasoFecha{"", kFormato},
                      CasoFecha{"01-01-1899",
                                QStringLiteral("posee un año fuera de rango.\nEl rango válido comprende desde 1900 hasta ")
                                    + QString::number(QDate::currentDate().year())}));

TEST_F(ModalChild, TwoDigitYearBelowThirtyIsThisCentury)
{
    ScriptedDialogs dialogs;
    ASSERT_TRUE(ventana.ValidarFecha(tabla.FieldByName(QStringLiteral("fecha")), QStringLiteral("15-03-05")));
    EXPECT_EQ(tabla.FieldByName(QStringLiteral("fecha"))->AsDateTime().date(), QDate(2005, 3, 15));
}

TEST_F(ModalChild, RutCheckDigitMismatchAborts)
{
    tabla.FieldByName(QStringLiteral("rut"))->setAsInteger(11111111);
    tabla.FieldByName(QStringLiteral("dv"))->setAsString(QStringLiteral("1"));
    ScriptedDialogs dialogs;
    EXPECT_TRUE(catchAbort([&] { ventana.ValidarRUT(&tabla, QStringLiteral("rut"), QStringLiteral("dv")); }));
    tabla.FieldByName(QStringLiteral("dv"))->setAsString(QStringLiteral("2"));
    EXPECT_FALSE(catchAbort([&] { ventana.ValidarRUT(&tabla, QStringLiteral("rut"), QStringLiteral("dv")); }));
    ASSERT_EQ(dialogs.boxes.size(), 1);
    EXPECT_EQ(dialogs.boxes[0].texto, QStringLiteral("Error en Mantenedor:\n\nEl dígito verificador no concuerda con el RUT ingresado."));
}

TEST_F(ModalChild, TypedTextIsUpperCasedTheSpanishWay)
{
    ventana.show();
    ventana.edit->setFocus();
    QApplication::setActiveWindow(&ventana);
    for (QChar c : QStringLiteral("ñandú á")) {
        QKeyEvent tecla(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(ventana.edit, &tecla);
    }
    EXPECT_EQ(ventana.edit->text(), QStringLiteral("ÑANDÚ Á"));
}

TEST_F(ModalChild, ChoiceOperationsReachableByName)
{
    ventana.setProperty("DirAplicacion", QStringLiteral("/opt/brenvik/"));
    EXPECT_EQ(ventana.DirAplicacion, QStringLiteral("/opt/brenvik/"));
    int clave = -1;
    ASSERT_TRUE(QMetaObject::invokeMethod(&ventana, "MostrarModalSeleccion", Qt::DirectConnection, Q_RETURN_ARG(int, clave)));
    EXPECT_EQ(clave, 0);
}

// A register that answers the key 7 and tells which window owns it.
class RegistroSiete : public TCustomModalChild
{
public:
    explicit RegistroSiete(QWidget *owner)
        : TCustomModalChild(owner)
    {
    }
    void MostrarModal() override { deleteLater(); }
    int MostrarModalSeleccion() override
    {
        dueno = parentWidget();
        dir = DirAplicacion;
        return 7;
    }
    static inline QWidget *dueno = nullptr;
    static inline QString dir;
};

// A register opened from a control inside a form must be owned by the top-level window,
// or its message boxes would fail their owner check.
TEST(RegistroPorNombre, ChoiceByClassNameOwnedByTheTopLevelWindow)
{
    const ClassRegistrar registro("TFormRegistroSiete", [](QWidget *owner) -> QWidget * { return new RegistroSiete(owner); });
    QWidget ventana;
    auto *control = new QLineEdit(&ventana);
    EXPECT_EQ(TCustomModalChild::SeleccionarEnRegistro(QStringLiteral("tformregistrosiete"), QStringLiteral("/p/"), control), 7);
    EXPECT_EQ(RegistroSiete::dueno, &ventana);
    EXPECT_EQ(RegistroSiete::dir, QStringLiteral("/p/"));
    EXPECT_EQ(TCustomModalChild::SeleccionarEnRegistro(QStringLiteral("TFormNoExiste"), QStringLiteral("/p/"), control), 0);
}

} // namespace
