#include "tformconsultores.h"

#include "classregistry.h"
#include "connection.h"
#include "dbcombobox.h"
#include "dbedit.h"
#include "field.h"
#include "ordenprueba.h"
#include "programaprueba.h"
#include "qstringprinter.h"
#include "query.h"
#include "scripteddialogs.h"

#include <QApplication>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `paso` once the modal window is up (inside its exec).
void alMostrarse(const std::function<void(TRegistroTabla *)> &paso)
{
    QTimer::singleShot(0, [paso] {
        auto *ventana = qobject_cast<TRegistroTabla *>(QApplication::activeModalWidget());
        ASSERT_NE(ventana, nullptr);
        paso(ventana);
        // A failed step must not leave the test waiting on the window.
        if (ventana->isVisible()) {
            ventana->Editando = ventana->Creando = false;
            ventana->reject();
        }
    });
}

void escribir(TRegistroTabla *v, const char *campo, const QString &texto)
{
    auto *edit = v->findChild<DBEdit *>(QStringLiteral("edt_") + QLatin1String(campo));
    ASSERT_NE(edit, nullptr) << campo;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    // Characters as the keyboard sends them (also those without a key code, like "ñ").
    for (QChar c : texto) {
        QKeyEvent tecla(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &tecla);
    }
}

void pulsar(TRegistroTabla *v, const char *boton)
{
    auto *b = v->findChild<QPushButton *>(QLatin1String(boton));
    ASSERT_NE(b, nullptr) << boton;
    ASSERT_TRUE(b->isEnabled()) << boton;
    b->click();
}

// Types a whole consultant into the window (in edit or create mode).
void llenar(TRegistroTabla *v, const QString &rut, const QString &dv, const QString &paterno, const QString &nombre)
{
    escribir(v, "cons_rut", rut);
    escribir(v, "cons_dv", dv);
    escribir(v, "cons_paterno", paterno);
    escribir(v, "cons_nombre", nombre);
    auto *profesion = v->findChild<DBComboBox *>(QStringLiteral("cbo_cons_profesion"));
    profesion->setCurrentIndex(0);
    Q_EMIT profesion->activated(0); // as a choice in its list
}

class Consultores : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programa.listo);
        ASSERT_TRUE(bd.open(programa.baseDatos()));
    }
    int elegir()
    {
        TFormConsultores ventana;
        ventana.DirAplicacion = programa.dirAplicacion();
        return ventana.MostrarModalSeleccion();
    }
    QueryResult filas() { return bd.select(QStringLiteral("SELECT cons_id, cons_paterno, cons_nombre FROM consultor")); }
    ProgramaPrueba programa;
    Connection bd;
};

TEST_F(Consultores, FirstStartCreatesTheConsultantAndChoosesHim)
{
    ASSERT_TRUE(filas().isEmpty());
    ScriptedDialogs dialogos;
    bool avisoVisible = false;
    alMostrarse([&](TRegistroTabla *v) {
        EXPECT_TRUE(v->Creando);
        avisoVisible = v->findChild<QLabel *>(QStringLiteral("lblAviso"))->isVisible();
        llenar(v, QStringLiteral("11111111"), QStringLiteral("1"), QStringLiteral("peña"), QStringLiteral("josé"));
        pulsar(v, "btnGuardar");
        EXPECT_FALSE(v->Creando) << dialogos.textos().join(QLatin1Char('|')).toStdString();
        pulsar(v, "btnSeleccionar");
    });
    const int id = elegir();
    EXPECT_TRUE(avisoVisible);
    EXPECT_TRUE(dialogos.boxes.isEmpty()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    const QueryResult r = filas();
    ASSERT_EQ(r.rows.size(), 1);
    EXPECT_EQ(id, r.rows[0][0].toInt());
    EXPECT_GT(id, 0);
    // Typed text is stored upper-cased the Spanish way.
    EXPECT_EQ(r.rows[0][1].toString(), QStringLiteral("PEÑA"));
    EXPECT_EQ(r.rows[0][2].toString(), QStringLiteral("JOSÉ"));
}

TEST_F(Consultores, ClosingWithoutAChoiceGivesZero)
{
    ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO consultor (cons_rut, cons_dv, cons_paterno, cons_nombre, cons_profesion)"
                                       " VALUES (11111111, '1', 'ROJAS', 'ANA', '1')")));
    alMostrarse([](TRegistroTabla *v) { pulsar(v, "btnCerrar"); });
    EXPECT_EQ(elegir(), 0);
    alMostrarse([](TRegistroTabla *v) { pulsar(v, "btnSeleccionar"); });
    EXPECT_EQ(elegir(), int(bd.lastInsertRowId()));
}

TEST_F(Consultores, ClosingIsRefusedWhileCreating)
{
    ScriptedDialogs dialogos;
    alMostrarse([](TRegistroTabla *v) {
        v->reject();
        EXPECT_TRUE(v->isVisible());
        EXPECT_FALSE(v->findChild<QPushButton *>(QStringLiteral("btnCerrar"))->isEnabled());
        pulsar(v, "btnCancelar");
        EXPECT_FALSE(v->Creando);
        pulsar(v, "btnCerrar");
    });
    EXPECT_EQ(elegir(), 0);
    EXPECT_TRUE(filas().isEmpty());
}

struct CasoConsultor
{
    const char *rut;
    const char *dv;
    const char *paterno;
    const char *nombre;
    const char *ano;
    QString mensaje;
};

class ValidacionConsultor : public Consultores, public ::testing::WithParamInterface<CasoConsultor>
{
};

// Each refused row names its fault and is not saved; the window stays in creation.
TEST_P(ValidacionConsultor, RefusedRowIsNotSaved)
{
    const CasoConsultor &c = GetParam();
    ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO consultor (cons_rut, cons_dv, cons_paterno, cons_nombre, cons_profesion)"
                                       " VALUES (22222222, '2', 'ROJAS', 'ANA', '1')")));
    ScriptedDialogs dialogos;
    TFormConsultores ventana;
    ventana.DirAplicacion = programa.dirAplicacion();
    ASSERT_TRUE(ventana.Abrir());
    ventana.show();
    pulsar(&ventana, "btnCrear");
    llenar(&ventana, QString::fromUtf8(c.rut), QString::fromUtf8(c.dv), QString::fromUtf8(c.paterno),
           QString::fromUtf8(c.nombre));
    escribir(&ventana, "cons_ano", QString::fromUtf8(c.ano));
    EXPECT_FALSE(ventana.Guardar());
    EXPECT_TRUE(ventana.Creando);
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_EQ(dialogos.boxes[0].tipo, mtWarning);
    EXPECT_EQ(dialogos.boxes[0].texto, QStringLiteral("Error en Mantenedor:\n\n") + c.mensaje);
    ventana.Cancelar();
    EXPECT_EQ(filas().rows.size(), 1);
}

const QString kAno = QString::number(QDate::currentDate().year());

INSTANTIATE_TEST_SUITE_P(
    Mensajes, ValidacionConsultor,
    ::testing::Values(
        CasoConsultor{"11111111", "1", "", "ANA", "", QStringLiteral("El campo \"Apellido Paterno\" no puede quedar vacío.")},
        CasoConsultor{"11111111", "1", "PEÑA", "", "", QStringLiteral("El campo \"Nombres\" no puede quedar vacío.")},
        CasoConsultor{"", "1", "PEÑA", "ANA", "", QStringLiteral("El campo \"R.U.T.\" no puede quedar vacío.")},
        CasoConsultor{"11111111", "2", "PEÑA", "ANA", "",
                      QStringLiteral("El dígito verificador no concuerda con el RUT ingresado.")},
        CasoConsultor{"22222222", "2", "PEÑA", "ANA", "",
                      QStringLiteral("El campo \"R.U.T.\" contiene un valor utilizado anteriormente.\n"
                                     "Sólo se permiten valores únicos para este campo.")},
        CasoConsultor{"11111111", "1", "PEÑA", "ANA", "1899",
                      QStringLiteral("El campo \"Año de Titulación\" sólo permite valores de año entre 1900 y ") + kAno
                          + QLatin1Char('.')},
        // The exchange file's integrity line carries the consultant in ISO-8859-1, with
        // surnames and names joined by commas and fields by bars.
        CasoConsultor{"11111111", "1", "PEÑA, SOTO", "ANA", "",
                      QStringLiteral("El campo \"Apellido Paterno\" no puede contener el carácter \",\", que el archivo "
                                     "de intercambio para Okran usa como separador.")},
        CasoConsultor{"11111111", "1", "PEÑA", "ANA|LUISA", "",
                      QStringLiteral("El campo \"Nombres\" no puede contener el carácter \"|\", que el archivo de "
                                     "intercambio para Okran usa como separador.")},
        CasoConsultor{"11111111", "1", "PEÑA", "ANA €", "",
                      QStringLiteral("El campo \"Nombres\" contiene el carácter \"€\" (U+20AC), que el archivo de "
                                     "intercambio para Okran no puede llevar.")}));

TEST_F(Consultores, EditingKeepsTheRowAndItsRutMayStay)
{
    ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO consultor (cons_rut, cons_dv, cons_paterno, cons_nombre, cons_profesion)"
                                       " VALUES (11111111, '1', 'ROJAS', 'ANA', '1')")));
    ScriptedDialogs dialogos;
    TFormConsultores ventana;
    ventana.DirAplicacion = programa.dirAplicacion();
    ASSERT_TRUE(ventana.Abrir());
    ventana.show();
    pulsar(&ventana, "btnEditar");
    escribir(&ventana, "cons_paterno", QStringLiteral("O'Higgins"));
    // Saving the row with its own RUT is no duplicate.
    EXPECT_TRUE(ventana.Guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    const QueryResult r = filas();
    ASSERT_EQ(r.rows.size(), 1);
    EXPECT_EQ(r.rows[0][1].toString(), QStringLiteral("O'HIGGINS"));
}

TEST(RegistroConsultores, RegisteredUnderItsClassName)
{
    QWidget *ventana = ClassRegistry::instance().create(QStringLiteral("tformconsultores"), nullptr);
    ASSERT_NE(qobject_cast<TCustomModalChild *>(ventana), nullptr);
    delete ventana;
}

// The consultants list in Spanish order (accents aside, "ñ" after "n").
TEST_F(Consultores, TheListIsInSpanishOrder)
{
    ASSERT_TRUE(insertarDesordenados(bd, QStringLiteral("INSERT INTO consultor (cons_rut, cons_dv, cons_paterno, cons_materno,"
                                                        " cons_nombre, cons_profesion) VALUES (30000000 + ?1, '1', ?2, ?3, 'X', '1')")));
    EXPECT_EQ(registroEnOrden<TFormConsultores>(programa.dirAplicacion(), {QStringLiteral("cons_paterno"), QStringLiteral("cons_materno")}),
              nombresEnOrden());
}

} // namespace
