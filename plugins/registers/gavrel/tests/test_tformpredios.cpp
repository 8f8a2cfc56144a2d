#include "tformpredios.h"

#include "classregistry.h"
#include "connection.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "field.h"
#include "gridcolumn.h"
#include "listapropietarios.h"
#include "ordenprueba.h"
#include "abort.h"
#include "programaprueba.h"
#include "qstringprinter.h"
#include "query.h"
#include "scripteddialogs.h"
#include "spanishcollation.h"
#include "table.h"

#include <QApplication>
#include <QKeyEvent>
#include <QAbstractItemView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace {

// Two properties, the first with a row in every child table and one owner of three persons.
const char *const kDatos = R"(
INSERT INTO predio (pred_codigo, pred_nombre, pred_superficie, pred_comuna, pred_provincia, pred_region)
  VALUES (1, 'LOS ROBLES', 12.5, '11302', '113', '11'), (2, 'EL ALAMO', 3, '11302', '113', '11');
INSERT INTO rol (rol_numero, pred_codigo, rol_comuna) VALUES ('100-1', 1, '11302');
INSERT INTO rol_contiguo (rol_numero, pred_codigo) VALUES ('200-1', 1), ('200-2', 2);
INSERT INTO conservador (pred_codigo, cons_fojas, cons_numero, cons_conservador, cons_agno)
  VALUES (1, '12', 34, 'COCHRANE', 1999);
INSERT INTO ministerio (pred_codigo, mini_certbn, mini_fecha) VALUES (1, 'C-1', '2001-02-03 00:00:00');
INSERT INTO coordenada (pred_codigo, coor_punto_referencia, coor_norte, coor_este) VALUES (1, 'PUENTE', 4500000, 650000);
INSERT INTO persona (pers_codigo, pers_rut, pers_dv, pers_paterno, pers_materno, pers_nombre)
  VALUES (1, 11111111, '1', 'PEREZ', 'SOTO', 'JUAN'), (2, 22222222, '2', 'O''HIGGINS', NULL, 'ANA'),
         (3, 5126663, '3', 'ROJAS', 'DIAZ', NULL);
INSERT INTO propietario (pers_codigo, pred_codigo) VALUES (1, 1);
INSERT INTO representante (pers_codigo, pred_codigo) VALUES (3, 1);
)";

const char *const kTablasHijas[] = {"rol", "rol_contiguo", "conservador", "ministerio", "coordenada", "propietario",
                                    "representante"};

template <class T>
T *hijo(QWidget *ventana, const char *nombre)
{
    T *w = ventana->findChild<T *>(QLatin1String(nombre));
    EXPECT_NE(w, nullptr) << nombre;
    return w;
}

// The owners check list's rows, read and ticked as a person does through the view.
int filas(QAbstractItemView *lista)
{
    return lista->model()->rowCount();
}

QString texto(QAbstractItemView *lista, int fila)
{
    return lista->model()->index(fila, 0).data().toString();
}

Qt::CheckState marca(QAbstractItemView *lista, int fila)
{
    return Qt::CheckState(lista->model()->index(fila, 0).data(Qt::CheckStateRole).toInt());
}

void marcar(QAbstractItemView *lista, int fila, Qt::CheckState estado)
{
    lista->model()->setData(lista->model()->index(fila, 0), estado, Qt::CheckStateRole);
}

bool habilitado(QWidget *ventana, const char *boton)
{
    return hijo<QPushButton>(ventana, boton)->isEnabled();
}

void teclear(QWidget *w, const QString &texto)
{
    w->setFocus();
    for (QChar c : texto) {
        QKeyEvent tecla(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &tecla);
    }
}

class Predios : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programa.listo);
        ASSERT_TRUE(bd.open(programa.baseDatos()));
        ASSERT_TRUE(bd.execScript(QString::fromUtf8(kDatos)));
        ventana.DirAplicacion = programa.dirAplicacion();
    }
    void abrir()
    {
        ASSERT_TRUE(ventana.Abrir());
        ventana.show();
        QApplication::setActiveWindow(&ventana); // focus moves inside it
    }
    int cuenta(const QString &sql, const QVariantList &params = {})
    {
        return bd.select(sql, params).rows.value(0).value(0).toInt();
    }
    int filasDe(int codigo)
    {
        int n = cuenta(QStringLiteral("SELECT COUNT(*) FROM predio WHERE pred_codigo=?"), {codigo});
        for (const char *tabla : kTablasHijas)
            n += cuenta(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE pred_codigo=?").arg(QLatin1String(tabla)), {codigo});
        return n;
    }
    Dataset *dataset(const char *nombre) { return ventana.findChild<Dataset *>(QLatin1String(nombre)); }
    Dataset *predio() { return dataset("adsPredios2"); }
    // Creates a property and gives it the fields a save needs.
    void crearConDatos(const QString &nombre)
    {
        ventana.Crear();
        ASSERT_TRUE(ventana.Creando);
        teclear(hijo<DBEdit>(&ventana, "edt_pred_nombre"), nombre);
        predio()->FieldByName(QStringLiteral("pred_superficie"))->setAsFloat(5);
        predio()->FieldByName(QStringLiteral("pred_comuna"))->setAsString(QStringLiteral("11302"));
    }

    ProgramaPrueba programa;
    Connection bd;
    TFormPredios ventana;
};

TEST_F(Predios, ShownInBrowseModeOnTheFirstPropertyByName)
{
    abrir();
    EXPECT_EQ(predio()->FieldByName(QStringLiteral("pred_nombre"))->AsString(), QStringLiteral("EL ALAMO"));
    EXPECT_FALSE(ventana.Editando || ventana.Creando);
    for (const char *boton : {"btnCrear", "btnEditar", "btnBorrar", "btnCerrar", "btnSeleccionar", "btnPersonas"})
        EXPECT_TRUE(habilitado(&ventana, boton)) << boton;
    for (const char *boton : {"btnGuardar", "btnCancelar"})
        EXPECT_FALSE(habilitado(&ventana, boton)) << boton;
    EXPECT_FALSE(hijo<QWidget>(&ventana, "tabConservador")->isEnabled());
    EXPECT_FALSE(hijo<QAbstractItemView>(&ventana, "clbPropietarios")->isEnabled());
    // Province and region are shown by name.
    EXPECT_EQ(hijo<DBEdit>(&ventana, "edt_prov_look")->text(), QStringLiteral("Capitán Prat"));
}

// UTM north and east read grouped by thousands with the program's separators; the stored
// metres and the text an edit starts from stay plain.
TEST_F(Predios, CoordinatesShowGroupedDigitsAndKeepTheirValues)
{
    abrir();
    ASSERT_TRUE(dataset("adsPredios")->Locate(QStringLiteral("pred_codigo"), 1));
    auto *pestanas = ventana.findChild<QTabWidget *>();
    ASSERT_NE(pestanas, nullptr);
    pestanas->setCurrentWidget(hijo<QWidget>(&ventana, "tabCoordenadas"));
    DBGrid *grilla = hijo<DBGrid>(&ventana, "dbgCoordenada");
    QStringList vistos;
    for (int i = 0; i < grilla->ColumnCount(); ++i)
        vistos << grilla->Columns(i)->DisplayTextAt(0);
    EXPECT_EQ(vistos, (QStringList{QStringLiteral("PUENTE"), QStringLiteral("4.500.000"), QStringLiteral("650.000")}));
    Dataset *coordenadas = dataset("adtCoordenada");
    EXPECT_EQ(coordenadas->FieldByName(QStringLiteral("coor_norte"))->AsString(), QStringLiteral("4500000"));
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM coordenada WHERE coor_norte=4500000 AND coor_este=650000")), 1);
    const QString capturas = qEnvironmentVariable("BRENVIK_CAPTURAS");
    if (!capturas.isEmpty())
        ventana.grab().save(capturas + QStringLiteral("/gavrel_coordenadas.png"));
}

// Cancelling a creation must not leave the placeholder or its rows behind.
TEST_F(Predios, CreateThenCancelLeavesNothing)
{
    ScriptedDialogs dialogos;
    abrir();
    const int antes = cuenta(QStringLiteral("SELECT COUNT(*) FROM predio"));
    ventana.Crear();
    ASSERT_TRUE(ventana.Creando);
    const int codigo = int(predio()->FieldByName(QStringLiteral("pred_codigo"))->AsInteger());
    ASSERT_GT(codigo, 2);
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM predio WHERE pred_nombre='[SIN_NOMBRE]'")), 1);
    // Rows already stored for the new property: a roll posted and an owner ticked.
    Dataset *rol = dataset("adtRol");
    rol->Append();
    rol->FieldByName(QStringLiteral("rol_numero"))->setAsString(QStringLiteral("9-9"));
    rol->FieldByName(QStringLiteral("rol_comuna"))->setAsString(QStringLiteral("11302"));
    ASSERT_TRUE(rol->Post());
    auto *lista = hijo<QAbstractItemView>(&ventana, "clbPropietarios");
    ASSERT_EQ(filas(lista), 3);
    marcar(lista, 0, Qt::Checked);
    ASSERT_TRUE(ventana.GuardarPropietarios());
    ASSERT_EQ(filasDe(codigo), 3);

    ventana.Cancelar();
    EXPECT_FALSE(ventana.Creando);
    EXPECT_EQ(filasDe(codigo), 0);
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM predio")), antes);
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM predio WHERE pred_nombre='[SIN_NOMBRE]'")), 0);
    EXPECT_TRUE(dialogos.boxes.isEmpty());
    EXPECT_TRUE(habilitado(&ventana, "btnCrear"));
}

// Fault: a click into the new property's name put the cursor after the placeholder, so
// the typed name was appended to it and saved as "[SIN_NOMBRE]FUNDO ...".
TEST_F(Predios, TypingIntoTheNewPropertysNameReplacesThePlaceholder)
{
    ScriptedDialogs dialogos;
    abrir();
    ventana.Crear();
    ASSERT_TRUE(ventana.Creando);
    auto *nombre = hijo<DBEdit>(&ventana, "edt_pred_nombre");
    ASSERT_EQ(nombre->text(), QStringLiteral("[SIN_NOMBRE]"));
    // Clicked while it has the focus, and entered again from another field.
    for (bool desdeOtro : {false, true}) {
        if (desdeOtro)
            hijo<DBEdit>(&ventana, "edt_pred_superficie")->setFocus();
        QTest::mouseClick(nombre, Qt::LeftButton, {}, QPoint(nombre->width() - 6, nombre->height() / 2));
        QApplication::processEvents();
        EXPECT_EQ(nombre->selectedText(), QStringLiteral("[SIN_NOMBRE]")) << desdeOtro;
    }
    QTest::keyClicks(nombre, QStringLiteral("FUNDO EL SAUCE"));
    EXPECT_EQ(nombre->text(), QStringLiteral("FUNDO EL SAUCE"));
    // A real name is left as it is: the click places the cursor.
    QTest::mouseClick(nombre, Qt::LeftButton, {}, QPoint(nombre->width() - 6, nombre->height() / 2));
    QApplication::processEvents();
    EXPECT_TRUE(nombre->selectedText().isEmpty());
}

TEST_F(Predios, CreatedPropertyIsSavedAndShownInTheList)
{
    ScriptedDialogs dialogos;
    abrir();
    crearConDatos(QStringLiteral("la o'higgins"));
    ASSERT_TRUE(ventana.Guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(ventana.Creando);
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM predio WHERE pred_nombre=? AND pred_provincia='113'"
                                    " AND pred_region='11'"),
                     {QStringLiteral("LA O'HIGGINS")}),
              1);
    Dataset *lista = ventana.findChild<Query *>(QStringLiteral("adsPredios"));
    EXPECT_EQ(lista->RecordCount(), 3);
    EXPECT_EQ(lista->FieldByName(QStringLiteral("pred_nombre"))->AsString(), QStringLiteral("LA O'HIGGINS"));
    EXPECT_EQ(predio()->FieldByName(QStringLiteral("pred_nombre"))->AsString(), QStringLiteral("LA O'HIGGINS"));
}

struct CasoNombre
{
    const char *nombre;
    bool guardar;
};

class ReglaNombre : public Predios, public ::testing::WithParamInterface<CasoNombre>
{
};

TEST_P(ReglaNombre, SaveFollowsTheName)
{
    abrir();
    ventana.Crear();
    EXPECT_FALSE(habilitado(&ventana, "btnGuardar")); // the placeholder's name
    auto *nombre = hijo<DBEdit>(&ventana, "edt_pred_nombre");
    nombre->clear();
    teclear(nombre, QString::fromUtf8(GetParam().nombre));
    EXPECT_EQ(habilitado(&ventana, "btnGuardar"), GetParam().guardar);
    ventana.Cancelar();
    // Not editing: never.
    EXPECT_FALSE(habilitado(&ventana, "btnGuardar"));
}

INSTANTIATE_TEST_SUITE_P(Nombres, ReglaNombre,
                         ::testing::Values(CasoNombre{"", false}, CasoNombre{"   ", false},
                                           CasoNombre{"[SIN_NOMBRE]", false}, CasoNombre{"[sin_nombre]", false},
                                           CasoNombre{"LOS PINOS", true}, CasoNombre{"[SIN_NOMBRE] 2", true}));

TEST_F(Predios, EditingAPropertyKeepsItsCodeAndRefusesClosing)
{
    ScriptedDialogs dialogos;
    abrir();
    ventana.Editar();
    ASSERT_TRUE(ventana.Editando);
    EXPECT_TRUE(hijo<QWidget>(&ventana, "tabConservador")->isEnabled());
    EXPECT_FALSE(habilitado(&ventana, "btnCerrar"));
    ventana.reject();
    EXPECT_TRUE(ventana.isVisible());
    auto *nombre = hijo<DBEdit>(&ventana, "edt_pred_nombre");
    nombre->clear();
    teclear(nombre, QStringLiteral("ÁLAMO"));
    ASSERT_TRUE(ventana.Guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM predio WHERE pred_codigo=2 AND pred_nombre='ÁLAMO'")), 1);
}

// Deleting a property must not leave its rolls, entries, points or owners behind.
TEST_F(Predios, DeletingAPropertyRemovesItsRows)
{
    ScriptedDialogs dialogos;
    dialogos.responder({ID::NO, ID::YES});
    abrir();
    dataset("adsPredios")->Locate(QStringLiteral("pred_codigo"), 1);
    ASSERT_EQ(predio()->FieldByName(QStringLiteral("pred_codigo"))->AsInteger(), 1);
    ASSERT_EQ(filasDe(1), 8);
    ventana.Borrar();
    EXPECT_EQ(filasDe(1), 8);
    ventana.Borrar();
    ASSERT_EQ(dialogos.boxes.size(), 2);
    EXPECT_EQ(dialogos.boxes[1].texto, QStringLiteral("¿ Está seguro de eliminar la información relativa a este predio ?"));
    EXPECT_EQ(filasDe(1), 0);
    EXPECT_EQ(filasDe(2), 2);
    EXPECT_EQ(predio()->FieldByName(QStringLiteral("pred_codigo"))->AsInteger(), 2);
}

struct CasoComuna
{
    const char *comuna;
    QString provincia;
    QString region;
};

class Comunas : public Predios, public ::testing::WithParamInterface<CasoComuna>
{
};

TEST_P(Comunas, ProvinceAndRegionFollowTheCommuneName)
{
    abrir();
    const auto [provincia, region] =
        TFormPredios::ProvinciaYRegion(&bd,
                                       QString::fromUtf8(GetParam().comuna));
    EXPECT_EQ(provincia, GetParam().provincia);
    EXPECT_EQ(region, GetParam().region);
}

INSTANTIATE_TEST_SUITE_P(Nombres, Comunas,
                         ::testing::Values(CasoComuna{"O'Higgins", QStringLiteral("113"), QStringLiteral("11")},
                                           CasoComuna{"Valdivia", QStringLiteral("141"), QStringLiteral("14")},
                                           CasoComuna{"Atlántida", QString(), QString()},
                                           CasoComuna{"", QString(), QString()}));

TEST_F(Predios, CommuneWithoutAMatchEmptiesProvinceAndRegion)
{
    abrir();
    ventana.Editar();
    predio()->FieldByName(QStringLiteral("pred_comuna"))->setAsString(QStringLiteral("99999"));
    EXPECT_TRUE(predio()->FieldByName(QStringLiteral("pred_provincia"))->AsString().isEmpty());
    EXPECT_TRUE(predio()->FieldByName(QStringLiteral("pred_region"))->AsString().isEmpty());
    // Choosing a commune in the combo fills them again.
    auto *comuna = hijo<DBLookupComboBox>(&ventana, "lcbComuna");
    const int indice = comuna->listKeys().indexOf(QVariant(QStringLiteral("11302")));
    ASSERT_GE(indice, 0);
    comuna->setCurrentIndex(indice);
    Q_EMIT comuna->activated(indice);
    EXPECT_EQ(predio()->FieldByName(QStringLiteral("pred_provincia"))->AsString(), QStringLiteral("113"));
    EXPECT_EQ(predio()->FieldByName(QStringLiteral("pred_region"))->AsString(), QStringLiteral("11"));
    // And shows them at once, not only once the property is saved.
    EXPECT_EQ(hijo<DBEdit>(&ventana, "edt_prov_look")->text(), QStringLiteral("Capitán Prat"));
    EXPECT_EQ(hijo<DBEdit>(&ventana, "edt_reg_look")->text(),
              QStringLiteral("Región de Aysén del General Carlos Ibáñez del Campo"));
    ventana.Cancelar();
}

TEST_F(Predios, OwnersTickedAndUnticked)
{
    abrir();
    dataset("adsPredios")->Locate(QStringLiteral("pred_codigo"), 1);
    hijo<QTabWidget>(&ventana, "PageControl1")->setCurrentWidget(hijo<QWidget>(&ventana, "tabPropietarios"));
    auto *lista = hijo<QAbstractItemView>(&ventana, "clbPropietarios");
    ASSERT_EQ(filas(lista), 3);
    // The owner first and ticked, then everybody else; Null parts are left out.
    EXPECT_EQ(texto(lista, 0), QStringLiteral("PEREZ SOTO JUAN"));
    EXPECT_EQ(marca(lista, 0), Qt::Checked);
    QStringList otros{texto(lista, 1), texto(lista, 2)};
    otros.sort();
    EXPECT_EQ(otros, (QStringList{QStringLiteral("O'HIGGINS ANA"), QStringLiteral("ROJAS DIAZ")}));
    EXPECT_EQ(ventana.Propietarios()->codigo(0), 1);
    // The list shows its rows (the view learnt of every one of them).
    QApplication::processEvents();
    EXPECT_EQ(lista->visualRect(lista->model()->index(2, 0)).height(), lista->visualRect(lista->model()->index(0, 0)).height());
    EXPECT_GT(lista->visualRect(lista->model()->index(2, 0)).top(), 0);

    ventana.Editar();
    marcar(lista, 0, Qt::Unchecked);
    marcar(lista, 1, Qt::Checked);
    marcar(lista, 2, Qt::Checked);
    // Leaving the list writes the owners.
    lista->setFocus();
    hijo<DBEdit>(&ventana, "edt_pred_nombre")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM propietario WHERE pred_codigo=1")), 2);
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM propietario WHERE pred_codigo=1 AND pers_codigo=1")), 0);

    for (int i = 0; i < filas(lista); ++i)
        marcar(lista, i, Qt::Unchecked);
    ASSERT_TRUE(ventana.GuardarPropietarios());
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM propietario WHERE pred_codigo=1")), 0);
    ventana.Cancelar();
}

// One change to the shown property or to a new row of one of its tables, then "Guardar".
struct CasoValidacion
{
    const char *tabla;                    // dataset changed: adsPredios2 or a child table
    std::vector<std::pair<const char *, QVariant>> valores; // fields set (appended row for a child)
    QString mensaje;                      // the warning shown
};

class Validaciones : public Predios, public ::testing::WithParamInterface<CasoValidacion>
{
};

TEST_P(Validaciones, RefusedSaveNamesTheFieldAndKeepsEditing)
{
    const CasoValidacion &c = GetParam();
    abrir();
    dataset("adsPredios")->Locate(QStringLiteral("pred_codigo"), 1);
    ventana.Editar();
    Dataset *ds = dataset(c.tabla);
    ASSERT_NE(ds, nullptr);
    if (ds != predio())
        ds->Append();
    else
        ds->Edit();
    for (const auto &[campo, valor] : c.valores)
        ds->FieldByName(QLatin1String(campo))->setValue(valor);
    ScriptedDialogs dialogos;
    EXPECT_FALSE(ventana.Guardar());
    EXPECT_TRUE(ventana.Editando);
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_EQ(dialogos.boxes[0].tipo, mtWarning);
    EXPECT_EQ(dialogos.boxes[0].texto, c.mensaje);
    ventana.Cancelar();
    EXPECT_EQ(filasDe(1), 8);
}

const QString kCampo = QStringLiteral("Error en Mantenedor:\n\nEl campo ");

INSTANTIATE_TEST_SUITE_P(
    Mensajes, Validaciones,
    ::testing::Values(
        CasoValidacion{"adsPredios2", {{"pred_superficie", QVariant()}},
                       kCampo + QStringLiteral("\"Superficie (há)\" no puede quedar vacío.")},
        CasoValidacion{"adsPredios2", {{"pred_superficie", 0}}, kCampo + QStringLiteral("\"Superficie (há)\" no puede ser nulo.")},
        CasoValidacion{"adsPredios2", {{"pred_superficie_et", -1}},
                       kCampo + QStringLiteral("\"Según Título de Dominio (há)\" no puede contener valores negativos.")},
        CasoValidacion{"adsPredios2", {{"pred_comuna", QVariant()}}, kCampo + QStringLiteral("\"Comuna\" no puede quedar vacío.")},
        CasoValidacion{"adtConservador", {{"cons_fojas", "1"}}, kCampo + QStringLiteral("\"Nº\" no puede quedar vacío.")},
        CasoValidacion{"adtConservador",
                       {{"cons_fojas", "1"}, {"cons_numero", 2}, {"cons_conservador", "X"}, {"cons_agno", 2100}},
                       kCampo + QStringLiteral("\"Año\" sólo permite valores de año entre 1900 y 2099.")},
        CasoValidacion{"adtMinisterio", {{"mini_certbn", ""}},
                       kCampo + QStringLiteral("\"Nº Certificado del Ministerio de Bienes Nacionales\" no puede quedar vacío.")},
        CasoValidacion{"adtRol", {{"rol_numero", "5"}}, kCampo + QStringLiteral("\"Comuna\" no puede quedar vacío.")},
        CasoValidacion{"adtCoordenada", {{"coor_punto_referencia", "X"}, {"coor_este", 650000}},
                       kCampo + QStringLiteral("\"Norte (metros)\" no puede quedar vacío.")},
        CasoValidacion{"adtRol_contiguo", {{"rol_numero", "200-2"}},
                       QStringLiteral("El numero de rol ingresado ya aparece como rol contiguo.\n"
                                      "Sólo se permiten valores únicos para este campo")}));

TEST_F(Predios, AdjoiningRollPostedAgainUnchangedIsNoDuplicate)
{
    ScriptedDialogs dialogos;
    abrir();
    dataset("adsPredios")->Locate(QStringLiteral("pred_codigo"), 1);
    ventana.Editar();
    Dataset *contiguo = dataset("adtRol_contiguo");
    ASSERT_EQ(contiguo->RecordCount(), 1);
    contiguo->Edit();
    contiguo->FieldByName(QStringLiteral("rol_numero"))->setAsString(QStringLiteral("200-1"));
    EXPECT_TRUE(ventana.Guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
}

TEST_F(Predios, ImpossibleCertificateDateIsRefused)
{
    abrir();
    dataset("adsPredios")->Locate(QStringLiteral("pred_codigo"), 1);
    ventana.Editar();
    Dataset *ministerio = dataset("adtMinisterio");
    ministerio->Edit();
    GridColumn *fecha = hijo<DBGrid>(&ventana, "dbgMinisterio")->ColumnByFieldName(QStringLiteral("mini_fecha"));
    const auto escribir = [fecha](const QString &texto) {
        QString t = texto;
        QVariant valor = texto;
        bool manejado = false;
        return catchAbort([&] { fecha->OnUpdateData(fecha, t, valor, manejado); }) && manejado;
    };
    ScriptedDialogs dialogos;
    EXPECT_FALSE(escribir(QStringLiteral("29-02-2001")));
    ASSERT_EQ(dialogos.boxes.size(), 1);
    EXPECT_EQ(dialogos.boxes[0].texto,
              QStringLiteral("Error en Mantenedor:\n\nEl campo \"Fecha\" posee una fecha inválida o imposible de ocurrir"));
    EXPECT_EQ(ministerio->FieldByName(QStringLiteral("mini_fecha"))->AsString(), QStringLiteral("03-02-2001"));
    EXPECT_TRUE(escribir(QStringLiteral("28-02-01")));
    EXPECT_EQ(ministerio->FieldByName(QStringLiteral("mini_fecha"))->AsString(), QStringLiteral("28-02-2001"));
    ventana.Cancelar();
}

// A persons register that adds a person when it is shown.
class PersonasDePrueba : public TCustomModalChild
{
public:
    explicit PersonasDePrueba(QWidget *owner)
        : TCustomModalChild(owner)
    {
    }
    void MostrarModal() override
    {
        ++mostrado;
        Connection bd;
        bd.open(DirAplicacion + QStringLiteral("bbdd/bd.db"));
        bd.exec(QStringLiteral("INSERT INTO persona (pers_paterno) VALUES ('NUEVA')"));
        deleteLater();
    }
    int MostrarModalSeleccion() override { return 0; }
    static inline int mostrado = 0;
};

TEST_F(Predios, EditPersonsOpensThePersonsRegisterAndRefreshesTheOwners)
{
    abrir();
    hijo<QTabWidget>(&ventana, "PageControl1")->setCurrentWidget(hijo<QWidget>(&ventana, "tabPropietarios"));
    auto *lista = hijo<QAbstractItemView>(&ventana, "clbPropietarios");
    ASSERT_EQ(filas(lista), 3);
    // Without the persons register nothing opens.
    hijo<QPushButton>(&ventana, "btnPersonas")->click();
    EXPECT_EQ(filas(lista), 3);
    ClassRegistrar registro("TFormPersonas", [](QWidget *owner) -> QWidget * { return new PersonasDePrueba(owner); });
    hijo<QPushButton>(&ventana, "btnPersonas")->click();
    EXPECT_EQ(PersonasDePrueba::mostrado, 1);
    EXPECT_EQ(filas(lista), 4);
}

TEST_F(Predios, KeypadDecimalKeyGivesTheDecimalComma)
{
    abrir();
    ventana.Editar();
    auto *superficie = hijo<DBEdit>(&ventana, "edt_pred_superficie");
    superficie->setFocus();
    superficie->clear();
    QTest::keyClicks(superficie, QStringLiteral("7"));
    QKeyEvent punto(QEvent::KeyPress, Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
    QApplication::sendEvent(superficie, &punto);
    QTest::keyClicks(superficie, QStringLiteral("5"));
    EXPECT_EQ(superficie->text(), QStringLiteral("7,5"));
    ventana.Cancelar();
}

// Saving a property must not give it the owners listed for another one.
TEST_F(Predios, SavingKeepsTheOwnersOfAPropertyNotListed)
{
    ScriptedDialogs dialogos;
    abrir(); // the owners list is filled for the first property (EL ALAMO, none)
    dataset("adsPredios")->Locate(QStringLiteral("pred_codigo"), 1);
    ventana.Editar();
    ASSERT_TRUE(ventana.Guardar()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM propietario WHERE pred_codigo=1 AND pers_codigo=1")), 1);
    EXPECT_FALSE(ventana.GuardarPropietarios());
}

// Runs `paso` inside the modal window's exec; closes it if the step left it open.
void alMostrarse(const std::function<void(TFormPredios *)> &paso)
{
    QTimer::singleShot(0, [paso] {
        auto *v = qobject_cast<TFormPredios *>(QApplication::activeModalWidget());
        ASSERT_NE(v, nullptr);
        paso(v);
        if (v->isVisible()) {
            v->Editando = v->Creando = false;
            v->reject();
        }
    });
}

TEST_F(Predios, ChooseModeReturnsTheChosenCodeOrZero)
{
    const auto elegir = [this] {
        return TCustomModalChild::SeleccionarEnRegistro(QStringLiteral("TFormPredios"), programa.dirAplicacion(), nullptr);
    };
    alMostrarse([](TFormPredios *v) { hijo<QPushButton>(v, "btnCerrar")->click(); });
    EXPECT_EQ(elegir(), 0);
    // A double click on a property chooses it.
    alMostrarse([](TFormPredios *v) {
        QTableView *vista = hijo<DBGrid>(v, "dblPredios")->view();
        const QModelIndex fila = vista->model()->index(1, 0);
        vista->setCurrentIndex(fila);
        Q_EMIT vista->doubleClicked(fila);
    });
    EXPECT_EQ(elegir(), 1);
    alMostrarse([](TFormPredios *v) { hijo<QPushButton>(v, "btnSeleccionar")->click(); });
    EXPECT_EQ(elegir(), 2);
    // While editing nothing can be chosen, and the window cannot be closed.
    alMostrarse([](TFormPredios *v) {
        v->Crear();
        EXPECT_FALSE(hijo<QPushButton>(v, "btnSeleccionar")->isEnabled());
        v->reject();
        EXPECT_TRUE(v->isVisible());
        v->Cancelar();
        v->reject();
    });
    EXPECT_EQ(elegir(), 0);
    EXPECT_EQ(cuenta(QStringLiteral("SELECT COUNT(*) FROM predio")), 2);
}

// The properties list and the owners check list read names in Spanish order (accents
// aside, "ñ" after "n") from their indexes.
TEST_F(Predios, ListsAreInSpanishOrder)
{
    ASSERT_TRUE(insertarDesordenados(bd, QStringLiteral("INSERT INTO predio (pred_codigo, pred_nombre)"
                                                        " VALUES (?1, ?2 || COALESCE(' ' || ?3, ''))")));
    ASSERT_TRUE(insertarDesordenados(bd, QStringLiteral("INSERT INTO persona (pers_codigo, pers_rut, pers_dv, pers_paterno,"
                                                        " pers_materno) VALUES (?1, 30000000 + ?1, '1', ?2, ?3)")));
    abrir();
    QStringList predios = nombresEnOrden();
    predios.insert(1, QStringLiteral("EL ALAMO"));
    predios.insert(2, QStringLiteral("LOS ROBLES"));
    EXPECT_EQ(filasEnOrden(dataset("adsPredios"), {QStringLiteral("pred_nombre")}), predios);

    dataset("adsPredios")->Locate(QStringLiteral("pred_codigo"), 1);
    hijo<QTabWidget>(&ventana, "PageControl1")->setCurrentWidget(hijo<QWidget>(&ventana, "tabPropietarios"));
    auto *lista = hijo<QAbstractItemView>(&ventana, "clbPropietarios");
    QStringList personas = nombresEnOrden();
    personas.insert(0, QStringLiteral("PEREZ SOTO JUAN")); // the owner first
    personas.insert(5, QStringLiteral("O'HIGGINS ANA"));
    personas.append(QStringLiteral("ROJAS DIAZ"));
    QStringList vistas;
    for (int i = 0; i < filas(lista); ++i)
        vistas << texto(lista, i);
    EXPECT_EQ(vistas, personas);
}

// The owners check list reads the persons a chunk at a time: past the first chunk the
// order goes on, with nobody left out or shown twice.
TEST_F(Predios, OwnersListKeepsTheOrderPastItsFirstChunk)
{
    constexpr int kPersonas = 5000;
    ASSERT_TRUE(bd.exec(QStringLiteral("BEGIN")));
    for (int i = 0; i < kPersonas; ++i) {
        const int n = (i * 7919) % kPersonas;
        const QString paterno = QStringLiteral("%1%2 %3").arg(n % 2 ? QStringLiteral("Ñ") : QStringLiteral("N"),
                                                               n % 3 ? QStringLiteral("ú") : QStringLiteral("u"))
                                    .arg(n, 4, 10, QLatin1Char('0'));
        ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO persona (pers_rut, pers_dv, pers_paterno) VALUES (?, '1', ?)"),
                            {40000000 + i, paterno}));
    }
    ASSERT_TRUE(bd.exec(QStringLiteral("COMMIT")));
    abrir();
    dataset("adsPredios")->Locate(QStringLiteral("pred_codigo"), 2); // no owners
    hijo<QTabWidget>(&ventana, "PageControl1")->setCurrentWidget(hijo<QWidget>(&ventana, "tabPropietarios"));
    auto *lista = hijo<QAbstractItemView>(&ventana, "clbPropietarios");
    ASSERT_EQ(filas(lista), kPersonas + 3);
    std::set<qint64> codigos;
    for (int i = 0; i < filas(lista); ++i) {
        codigos.insert(ventana.Propietarios()->codigo(i));
        if (i > 0)
            EXPECT_LE(compareSpanish(texto(lista, i - 1), texto(lista, i)), 0) << i << ": " << texto(lista, i).toStdString();
    }
    EXPECT_EQ(codigos.size(), std::size_t(kPersonas + 3));
}

TEST_F(Predios, ChooseModeOnAnEmptyRegisterGivesZero)
{
    ASSERT_TRUE(bd.exec(QStringLiteral("DELETE FROM predio")));
    alMostrarse([](TFormPredios *v) {
        EXPECT_FALSE(hijo<QPushButton>(v, "btnSeleccionar")->isEnabled());
        v->accept();
    });
    EXPECT_EQ(TCustomModalChild::SeleccionarEnRegistro(QStringLiteral("TFormPredios"), programa.dirAplicacion(), nullptr),
              0);
}

} // namespace
