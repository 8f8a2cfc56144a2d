// The exchange file of the open document: its bytes, its hashes checked with a separate MD5
// tool, its name, the formPredio row, the refusals and the failures that must leave no
// verification code behind, and the offer to print.
#include "impresion/impresorapredeterminada.h"
#include "impresion/timpresion.h"
#include "scripteddialogs.h"
#include "tcustommdichild.h"
#include "terminacion.h"
#include "testprogramdir.h"
#include "tformppal.h"
#include "xml/txml.h"

#include "connection.h"
#include "dataset.h"
#include "datasource.h"
#include "dbgrid.h"
#include "field.h"
#include "table.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A form of the document: its main row in table <code> and its owners in <code>_pro, both
// in its working database; the owners also shown in a grid. Its XML names the property
// and repeats over the owners.
class FormIntercambio : public TCustomMDIChild
{
public:
    FormIntercambio(const QString &codigo, int tiso, const QString &codigoPpal, int tag)
        : m_bd(new Connection(this))
        , m_bdPpal(new Connection(this))
    {
        Codigo = codigo;
        CodigoPpal = codigoPpal;
        TisoCodigo = tiso;
        Tag = tag;
        Principal = tabla(codigo.toLower(), QStringLiteral("ads") + codigo);
        m_fuente = new DataSource(this);
        m_fuente->setObjectName(QStringLiteral("dsrcPpal"));
        m_fuente->setDataSet(Principal);
        Propietarios = tabla(codigo.toLower() + QStringLiteral("_pro"), QStringLiteral("ads") + codigo + QStringLiteral("_pro"));
        auto *fuentePro = new DataSource(this);
        fuentePro->setDataSet(Propietarios);
        Grilla = new DBGrid(this);
        Grilla->setDataSource(fuentePro);
    }

    void Nuevo() override
    {
        Secciones = QStringLiteral("Formulario ") + Codigo + QStringLiteral("\r\n\tPredio");
        ConexionBD = m_bd;
        ConexionBDPpal = m_bdPpal;
        DatasetPpal = Principal;
    }
    void ComponerImpresion(TImpresion *imp) override
    {
        impresos.append(Codigo);
        imp->IniDocumento();
        imp->Seccion();
        imp->Texto(Codigo, taIzquierda);
        imp->FinDocumento();
    }
    QByteArray PrepararXML() override
    {
        ocupadoAlPreparar = Ocupado;
        XML->Limpiar();
        if (fallaXML)
            XML->CerrarNodo();
        XML->AbrirNodo(Codigo);
        XML->Hijo(QStringLiteral("TISO_CODIGO"), TisoCodigo);
        XML->Hijo(QStringLiteral("NOMBRE"), Principal->FieldByName(QStringLiteral("nom_pre")));
        if (otroPerdido)
            XML->ImprimirTag(QStringLiteral("TIPO"), QStringLiteral("-4"), TColumnaXML({}, {}, -99));
        XML->AbrirNodo(QStringLiteral("PROPIETARIO"), Propietarios);
        XML->HijoCampo(QStringLiteral("RUT"), QStringLiteral("rut"));
        XML->HijoCampo(QStringLiteral("NOMBRE"), QStringLiteral("nombre"));
        XML->CerrarNodo();
        XML->CerrarNodo();
        return XML->Texto();
    }
    QByteArray PrepararSolXML() override
    {
        XML->Limpiar();
        XML->AbrirNodo(QStringLiteral("SOLICITUD"));
        XML->Hijo(QStringLiteral("PREDIOS"), 2);
        XML->CerrarNodo();
        return XML->Texto();
    }
    bool ValidarTodo() override
    {
        manejadorAlValidar = bool(m_fuente->OnDataChange);
        Validado = validoTodo;
        return validoTodo;
    }
    bool ValidarFormulario() override
    {
        ++validacionesFormulario;
        return validoFormulario;
    }

    Table *Principal;
    Table *Propietarios;
    DBGrid *Grilla;
    bool validoTodo = true;
    bool validoFormulario = true;
    bool fallaXML = false;
    bool otroPerdido = false;
    bool manejadorAlValidar = true;
    bool ocupadoAlPreparar = false;
    int validacionesFormulario = 0;
    static inline QStringList impresos;

private:
    Table *tabla(const QString &nombreTabla, const QString &nombre)
    {
        auto *t = new Table(this);
        t->setObjectName(nombre);
        t->setConnection(m_bd);
        t->setTableName(nombreTabla);
        return t;
    }

    Connection *m_bd;
    Connection *m_bdPpal;
    DataSource *m_fuente;
};

// MD5 by the system's own tool, not by the library the program uses.
QString md5sum(const QByteArray &bytes)
{
    QProcess p;
    p.start(QStringLiteral("md5sum"), {QStringLiteral("-")});
    p.write(bytes);
    p.closeWriteChannel();
    p.waitForFinished();
    return QString::fromLatin1(p.readAllStandardOutput().left(32)).toUpper();
}

QByteArray latin1(const QString &s)
{
    return s.toLatin1();
}

// The body a test form writes with its template's data.
QByteArray cuerpo(const QString &codigo, int tiso)
{
    return latin1(QStringLiteral("<%1>\r\n"
                                 "    <%1.TISO_CODIGO>%2</%1.TISO_CODIGO>\r\n"
                                 "    <%1.NOMBRE>FUNDO EL ÑIRRE</%1.NOMBRE>\r\n"
                                 "    <PROPIETARIO>\r\n"
                                 "        <PROPIETARIO.RUT>11111111</PROPIETARIO.RUT>\r\n"
                                 "        <PROPIETARIO.NOMBRE>PÉREZ SOTO, JUAN</PROPIETARIO.NOMBRE>\r\n"
                                 "    </PROPIETARIO>\r\n"
                                 "    <PROPIETARIO>\r\n"
                                 "        <PROPIETARIO.RUT>22222222</PROPIETARIO.RUT>\r\n"
                                 "        <PROPIETARIO.NOMBRE>MUÑOZ, ANA</PROPIETARIO.NOMBRE>\r\n"
                                 "    </PROPIETARIO>\r\n"
                                 "</%1>\r\n")
                      .arg(codigo)
                      .arg(tiso));
}

const QString kIncompleto = QStringLiteral(
    "No se puede generar un archivo de intercambio con un formulario incompleto, verifique si ha guardado el archivo.");
const QString kSinPropietario = QStringLiteral("No se puede generar un archivo de intercambio con un formulario sin propietario");
const QString kOferta = QStringLiteral(
    "Es conveniente generar una impresión de los formularios para presentarla junto al documento XML que acaba de "
    "guardar.\n\n¿Desea imprimir los formularios?");
const QString kLineaConsultor7 =
    QStringLiteral("|12345678-K|Rojas,Soto,Ana María|1|2||1995|Av. Uno 123 depto 4|Valdivia Centro|+56 9 1234 5678|ana@correo.cl");

struct DefinicionFormulario
{
    const char *codigo;
    int tiso;
    int tag = 0;
};

class IntercambioTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ReiniciarTerminacion();
        m_home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        FormIntercambio::impresos.clear();
        program.createAll();
        execSql(program.database(),
                "DROP TABLE consultor;"
                "CREATE TABLE consultor (cons_id INTEGER PRIMARY KEY, cons_rut INTEGER, cons_dv VARCHAR(1),"
                " cons_paterno VARCHAR(50), cons_materno VARCHAR(50), cons_nombre VARCHAR(50), cons_profesion VARCHAR(1),"
                " cons_sexo INTEGER, cons_universidad VARCHAR(80), cons_ano SMALLINT, cons_domicilio VARCHAR(100),"
                " cons_ciudad VARCHAR(50), cons_telefono VARCHAR(30), cons_correo VARCHAR(80));"
                "INSERT INTO consultor VALUES (7, 12345678, 'K', 'Rojas', 'Soto', 'Ana María', '1', 2, NULL, 1995,"
                " 'Av. Uno 123|depto 4', 'Valdivia' || char(13, 10) || 'Centro', '+56 9 1234 5678', 'ana@correo.cl');"
                "INSERT INTO consultor VALUES (8, 9876543, '3', 'Vera', 'Lagos', 'Luis', '4', 1, 'U. Austral', 2001,"
                " 'Calle 2', 'Osorno', '64 22', 'luis@correo.cl');"
                "CREATE TABLE formPredio (foco_id INTEGER PRIMARY KEY AUTOINCREMENT, pred_codigo INTEGER, form_id INTEGER,"
                " foco_estado INTEGER DEFAULT 0, foco_fecha DATETIME, foco_nroResol VARCHAR(30), foco_archivo VARCHAR(200),"
                " foco_XML VARCHAR(200), foco_hashXml VARCHAR(50), foco_consultorId INTEGER);");
        ppal = std::make_unique<TformPpal>(program.path());
        ASSERT_FALSE(ppal->terminado());
        ppal->ConsultorDocumento = 7;
        ppal->Combinacion = 1;
        documento = home.filePath(QStringLiteral("predio.fpmp"));
        ppal->dlgGuardar = [this](const QString &, const QString &) { return documento; };
        ppal->dlgGuardarXML = [this](const QString &inicial, const QString &filtro) {
            propuesto = inicial;
            filtroPropuesto = filtro;
            if (antesDeElegir)
                antesDeElegir();
            return elegido.isNull() ? inicial : elegido;
        };
    }

    void TearDown() override
    {
        ImpresoraPredeterminada()->setOutputFileName(QString());
        for (QMdiSubWindow *s : ppal->mdiArea->subWindowList()) {
            if (auto *f = dynamic_cast<TCustomMDIChild *>(s->widget())) {
                f->Modificado = false;
                f->Respondido = true;
            }
        }
        ppal.reset();
        qputenv("HOME", m_home);
        ReiniciarTerminacion();
    }

    // The working-database template of `codigo`: the main row and two owners; `extra` is
    // run on it afterwards.
    void plantilla(const QString &codigo, const QString &extra = QString())
    {
        const QString tabla = codigo.toLower();
        const QString sql =
            QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY, nom_pre VARCHAR(60), com VARCHAR(6), sup DOUBLE,"
                           " sup_afe DOUBLE);"
                           "INSERT INTO %1 VALUES (1, 'Fundo El Ñirre', '14101', 120.5, 30);"
                           "CREATE TABLE %1_pro (id INTEGER PRIMARY KEY, rut INTEGER, nombre VARCHAR(60));"
                           "INSERT INTO %1_pro VALUES (1, 11111111, 'Pérez Soto, Juan'), (2, 22222222, 'Muñoz, Ana');")
                .arg(tabla)
            + extra;
        execSql(program.path() + QStringLiteral("/bbdd/") + codigo + QStringLiteral(".db"), sql.toUtf8().constData());
    }

    // A document of the given forms, the first being the principal, created as the shell
    // creates one; `extra` is run on the template of the form of the same index.
    QList<FormIntercambio *> abrir(const QList<DefinicionFormulario> &definiciones, const QStringList &extra = {})
    {
        QList<FormIntercambio *> forms;
        const QString codigoPpal = QString::fromLatin1(definiciones.first().codigo);
        ppal->CodigoPpal = codigoPpal;
        for (int i = 0; i < definiciones.size(); ++i) {
            const DefinicionFormulario &d = definiciones.at(i);
            plantilla(QString::fromLatin1(d.codigo), extra.value(i));
            auto *f = new FormIntercambio(QString::fromLatin1(d.codigo), d.tiso, codigoPpal, d.tag);
            f->DirAplicacion = ppal->DirAplicacion;
            f->ConsultorId = ppal->ConsultorDocumento;
            f->DialogoImpresion = ppal->dlgImprimir;
            f->PredNombre = QStringLiteral("Fundo El Ñirre/Sur");
            f->Nuevo();
            ppal->mdiArea->addSubWindow(f)->show();
            forms.append(f);
        }
        for (FormIntercambio *f : forms) {
            for (FormIntercambio *otro : forms)
                if (otro != f)
                    f->Hermanos.append(otro);
        }
        for (FormIntercambio *f : forms)
            EXPECT_TRUE(f->EstablecerBBDD());
        ppal->mdiArea->setActiveSubWindow(ppal->mdiArea->subWindowList().first());
        return forms;
    }

    QList<FormIntercambio *> documentoKelu(const QStringList &extra = {})
    {
        return abrir({{"KELU", 301}, {"DORVO", 202}}, extra);
    }

    QByteArray leer(const QString &archivo)
    {
        QFile f(archivo);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << archivo.toStdString();
        return f.readAll();
    }

    QString carpetaIntercambio() const
    {
        return home.path() + QStringLiteral("/Documents/Formularios/Archivos Intercambio Okran/");
    }

    QStringList archivosIntercambio() const
    {
        return QDir(carpetaIntercambio()).entryList(QDir::Files);
    }

    // foco_estado, foco_XML, foco_hashXml, foco_consultorId of every formPredio row.
    QList<QStringList> filasFormPredio()
    {
        Connection bd;
        EXPECT_TRUE(bd.open(program.database(), Connection::ReadOnly));
        QList<QStringList> filas;
        for (const QVariantList &r :
             bd.select(QStringLiteral("SELECT foco_estado, foco_XML, foco_hashXml, foco_consultorId FROM formPredio")).rows) {
            QStringList fila;
            for (const QVariant &v : r)
                fila.append(v.toString());
            filas.append(fila);
        }
        return filas;
    }

    // Accepts or rejects the next modal dialog; an accepted print dialog prints to `archivo`.
    static void responderDialogo(bool aceptar, const QString &archivo = QString())
    {
        QTimer::singleShot(0, [aceptar, archivo] {
            if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                aceptar ? d->accept() : d->reject();
            if (!archivo.isEmpty())
                ImpresoraPredeterminada()->setOutputFileName(archivo);
        });
    }

    QTemporaryDir home;
    ScopedSettings settings;
    TestProgramDir program;
    ScriptedDialogs dialogos;
    std::unique_ptr<TformPpal> ppal;
    QString documento;
    QString propuesto;
    QString filtroPropuesto;
    QString elegido;
    std::function<void()> antesDeElegir;

private:
    QByteArray m_home;
};

// The proposed name kept the property name's path separators, which put the file elsewhere.
TEST_F(IntercambioTest, TwoFormDocumentGivesHeaderIntegrityLineAndBodiesSealedWithTheirHashes)
{
    const QList<FormIntercambio *> forms = documentoKelu();
    ppal->archGuardarXMLExecute();

    const QString archivo = carpetaIntercambio() + QStringLiteral("fundo el ñirresur_kelu_001.xml");
    EXPECT_EQ(propuesto, archivo);
    EXPECT_EQ(filtroPropuesto, QStringLiteral("Archivo XML (*.xml);;Todos los Archivos (*)"));
    ASSERT_EQ(archivosIntercambio(), QStringList{QStringLiteral("fundo el ñirresur_kelu_001.xml")});
    const QByteArray texto = leer(archivo);

    const QByteArray kelu = cuerpo(QStringLiteral("KELU"), 301);
    const QByteArray dorvo = cuerpo(QStringLiteral("DORVO"), 202);
    const QString h = md5sum((md5sum(kelu) + md5sum(dorvo)).toLatin1());
    const QByteArray cabecera = latin1(QStringLiteral("# NO MODIFICAR ESTE ARCHIVO DIRECTAMENTE. SOLAMENTE SE PUEDE CREAR\r\n"
                                                      "# UN ARCHIVO VÁLIDO DESDE LA BRENVIK.\r\n"
                                                      "#\r\n"
                                                      "#@1|%1|301,202%2\r\n"
                                                      "#\r\n")
                                           .arg(h, kLineaConsultor7));
    EXPECT_EQ(texto.left(cabecera.size()), cabecera);
    EXPECT_EQ(texto, cabecera + kelu + dorvo);

    EXPECT_EQ(filasFormPredio(), (QList<QStringList>{{QStringLiteral("1"), archivo, h, QStringLiteral("7")}}));
    for (FormIntercambio *f : forms) {
        EXPECT_EQ(f->HashXML, h);
        EXPECT_FALSE(f->Modificado);
        EXPECT_FALSE(f->Ocupado);
        EXPECT_FALSE(f->manejadorAlValidar) << "validated with the change handler attached";
        EXPECT_EQ(f->validacionesFormulario, 1);
        EXPECT_TRUE(f->ocupadoAlPreparar);
    }
    EXPECT_TRUE(QFileInfo::exists(documento));
    EXPECT_TRUE(ppal->isEnabled());
    EXPECT_EQ(dialogos.textos(), QStringList{kOferta});
    EXPECT_TRUE(FormIntercambio::impresos.isEmpty());

    // Unchanged data exported again: the same seal, under the next free name.
    ppal->archGuardarXMLExecute();
    const QString segundo = carpetaIntercambio() + QStringLiteral("fundo el ñirresur_kelu_002.xml");
    EXPECT_EQ(propuesto, segundo);
    EXPECT_EQ(leer(segundo), texto);
    EXPECT_EQ(filasFormPredio(), (QList<QStringList>{{QStringLiteral("1"), segundo, h, QStringLiteral("7")}}));
}

// A failed write left the forms sealed with a hash that no file carried.
TEST_F(IntercambioTest, AFailedWriteIsToldAndLeavesNoVerificationCode)
{
    const QList<FormIntercambio *> forms = documentoKelu();
    elegido = home.filePath(QStringLiteral("no/existe/intercambio.xml"));
    ppal->archGuardarXMLExecute();

    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_TRUE(dialogos.textos().first().startsWith(QStringLiteral("No se pudo escribir el archivo de intercambio \"")
                                                     + elegido + QStringLiteral("\": ")))
        << dialogos.textos().first().toStdString();
    EXPECT_FALSE(QFileInfo::exists(elegido));
    EXPECT_EQ(filasFormPredio(), (QList<QStringList>{{QStringLiteral("0"), QString(), QString(), QString()}}));
    for (FormIntercambio *f : forms) {
        EXPECT_TRUE(f->HashXML.isEmpty());
        EXPECT_FALSE(f->Modificado);
        EXPECT_FALSE(f->Ocupado);
    }
    EXPECT_TRUE(ppal->isEnabled());
}

TEST_F(IntercambioTest, DocumentFileGoneBeforeTheIndexUpdateLeavesItsRowAlone)
{
    const QList<FormIntercambio *> forms = documentoKelu();
    antesDeElegir = [this] { QFile::remove(documento); };
    ppal->archGuardarXMLExecute();

    EXPECT_EQ(archivosIntercambio().size(), 1);
    EXPECT_EQ(filasFormPredio(), (QList<QStringList>{{QStringLiteral("0"), QString(), QString(), QString()}}));
    EXPECT_EQ(forms[0]->HashXML.size(), 32);
    EXPECT_EQ(dialogos.textos(), QStringList{kOferta});
}

// File names with an apostrophe broke the statement that records the exchange file.
TEST_F(IntercambioTest, NamesWithApostrophesAreRecordedAsTheyAre)
{
    documento = home.filePath(QStringLiteral("d'oro.fpmp"));
    documentoKelu();
    QDir().mkpath(carpetaIntercambio());
    elegido = carpetaIntercambio() + QStringLiteral("o'higgins.xml");
    ppal->archGuardarXMLExecute();

    const QList<QStringList> filas = filasFormPredio();
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0].mid(0, 2), (QStringList{QStringLiteral("1"), elegido}));
    EXPECT_EQ(dialogos.textos(), QStringList{kOferta});
}

// Guards against an exchange file named without its extension ("xml"), which the index
// then pointed to and no exchange-file filter listed.
TEST_F(IntercambioTest, ANameTypedWithoutTheExtensionGetsIt)
{
    documentoKelu();
    QDir().mkpath(carpetaIntercambio());
    for (const auto &[tecleado, escrito] : {std::pair{"Plan Ñires José María", "Plan Ñires José María.xml"},
                                            std::pair{"Plan Sr. Pérez", "Plan Sr. Pérez.xml"},
                                            std::pair{"entrega.XML", "entrega.XML"}}) {
        elegido = carpetaIntercambio() + QString::fromUtf8(tecleado);
        ppal->archGuardarXMLExecute();
        const QString archivo = carpetaIntercambio() + QString::fromUtf8(escrito);
        EXPECT_TRUE(QFileInfo::exists(archivo)) << escrito;
        EXPECT_EQ(filasFormPredio().value(0).value(1), archivo);
    }
    EXPECT_EQ(archivosIntercambio().size(), 3);
}

TEST_F(IntercambioTest, AFormWhoseXmlCodeFailsGetsNoFile)
{
    const QList<FormIntercambio *> forms = documentoKelu();
    forms[1]->fallaXML = true;
    ppal->archGuardarXMLExecute();

    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_TRUE(dialogos.textos().first().startsWith(QStringLiteral("CerrarNodo sin nodo abierto")))
        << dialogos.textos().first().toStdString();
    EXPECT_TRUE(archivosIntercambio().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(documento));
    for (FormIntercambio *f : forms) {
        EXPECT_TRUE(f->HashXML.isEmpty());
        EXPECT_FALSE(f->Ocupado);
    }
    EXPECT_TRUE(ppal->isEnabled());
}

TEST_F(IntercambioTest, AnOtherEntryThatWentMissingIsToldAndWrittenAsUnspecified)
{
    const QList<FormIntercambio *> forms = documentoKelu();
    forms[0]->otroPerdido = true;
    ppal->archGuardarXMLExecute();

    EXPECT_EQ(dialogos.textos(),
              (QStringList{QStringLiteral("Para el registro TIPO Se había especificado un 'OTRO', pero ahora no se encuentra dicho valor"),
                           kOferta}));
    EXPECT_EQ(dialogos.boxes.first().tipo, mtInformation);
    EXPECT_TRUE(leer(carpetaIntercambio() + archivosIntercambio().value(0))
                    .contains("    <KELU.TIPO>99</KELU.TIPO>\r\n    <KELU.TIPO_OTRO>NO ESPECIFICADO</KELU.TIPO_OTRO>\r\n"));
}

TEST_F(IntercambioTest, PrintOfferPrintsTheActiveFormThenItsSiblings)
{
    documentoKelu();
    ppal->mdiArea->setActiveSubWindow(ppal->mdiArea->subWindowList().at(1));
    QTemporaryDir salida;

    // Yes, then the print dialog cancelled: nothing printed.
    dialogos.responder({ID::YES});
    responderDialogo(false);
    ppal->archGuardarXMLExecute();
    EXPECT_EQ(dialogos.textos(), QStringList{kOferta});
    EXPECT_EQ(dialogos.boxes.first().botones, MB::YESNO);
    EXPECT_TRUE(FormIntercambio::impresos.isEmpty());

    dialogos.responder({ID::YES});
    responderDialogo(true, salida.filePath(QStringLiteral("formularios.pdf")));
    ppal->archGuardarXMLExecute();
    EXPECT_EQ(FormIntercambio::impresos, (QStringList{QStringLiteral("DORVO"), QStringLiteral("KELU")}));
    EXPECT_TRUE(QFileInfo(salida.filePath(QStringLiteral("formularios.pdf"))).size() > 0);
}

TEST_F(IntercambioTest, TheActiveFormFinishesItsGridRowsBeforeTheChecks)
{
    const QList<FormIntercambio *> forms = documentoKelu({QString(), QStringLiteral("DELETE FROM dorvo_pro;")});
    ppal->mdiArea->setActiveSubWindow(ppal->mdiArea->subWindowList().at(1));
    Table *propietarios = forms[1]->Propietarios;

    // A row appended and never typed into is dropped, so the form still has no owner.
    ASSERT_TRUE(propietarios->Append());
    ppal->archGuardarXMLExecute();
    EXPECT_EQ(dialogos.textos(), QStringList{kSinPropietario});
    EXPECT_EQ(propietarios->State(), DatasetState::Browse);

    // An owner typed into the grid and not yet posted is posted and counts.
    dialogos.boxes.clear();
    ASSERT_TRUE(propietarios->Append());
    propietarios->FieldByName(QStringLiteral("rut"))->setValue(33333333);
    propietarios->FieldByName(QStringLiteral("nombre"))->setAsString(QStringLiteral("Lagos, Eva"));
    ppal->archGuardarXMLExecute();
    EXPECT_EQ(dialogos.textos(), QStringList{kOferta});
    EXPECT_TRUE(leer(carpetaIntercambio() + archivosIntercambio().value(0)).contains("<PROPIETARIO.NOMBRE>LAGOS, EVA</PROPIETARIO.NOMBRE>"));
}

struct CasoConsultor
{
    int consultor;
    const char *linea;
};

void PrintTo(const CasoConsultor &c, std::ostream *os)
{
    *os << "consultor " << c.consultor;
}

class LineaConsultor : public IntercambioTest, public ::testing::WithParamInterface<CasoConsultor>
{
};

// A "|" or a line break in a consultant's field added fields to the integrity line or ended it.
TEST_P(LineaConsultor, FollowsTheTypeCodes)
{
    ppal->ConsultorDocumento = GetParam().consultor;
    documentoKelu();
    ppal->archGuardarXMLExecute();
    const QList<QByteArray> lineas = leer(carpetaIntercambio() + QStringLiteral("fundo el ñirresur_kelu_001.xml")).split('\n');
    ASSERT_GT(lineas.size(), 4);
    const QByteArray integridad = lineas.at(3);
    EXPECT_EQ(integridad.mid(4 + 33), latin1(QStringLiteral("301,202") + QString::fromUtf8(GetParam().linea) + QStringLiteral("\r")));
    EXPECT_EQ(filasFormPredio().value(0).value(3), QString::number(GetParam().consultor));
}

INSTANTIATE_TEST_SUITE_P(Profesiones, LineaConsultor,
                         ::testing::Values(CasoConsultor{7, "|12345678-K|Rojas,Soto,Ana María|1|2||1995|"
                                                                "Av. Uno 123 depto 4|Valdivia Centro|+56 9 1234 5678|ana@correo.cl"},
                                           CasoConsultor{8, "||||||||||"},
                                           // A consultant no longer in the register: no data.
                                           CasoConsultor{99, "|"}));

struct CasoDocumento
{
    const char *nombre;
    QList<DefinicionFormulario> formularios;
    const char *codigos;
    const char *archivo;
};

void PrintTo(const CasoDocumento &c, std::ostream *os)
{
    *os << c.nombre;
}

class TiposDeDocumento : public IntercambioTest, public ::testing::WithParamInterface<CasoDocumento>
{
};

TEST_P(TiposDeDocumento, CodesNameAndBodies)
{
    const CasoDocumento &c = GetParam();
    const QList<FormIntercambio *> forms = abrir(c.formularios);
    ppal->archGuardarXMLExecute();
    const QString archivo = carpetaIntercambio() + QString::fromUtf8(c.archivo);
    EXPECT_EQ(propuesto, archivo);
    const QByteArray texto = leer(archivo);
    const QList<QByteArray> lineas = texto.split('\n');
    ASSERT_GT(lineas.size(), 4);
    EXPECT_EQ(lineas.at(3).mid(4 + 33), QByteArray(c.codigos) + latin1(kLineaConsultor7) + "\r");

    // Every body, each sealed by its own hash.
    QByteArray cuerpos;
    QString hashes;
    for (FormIntercambio *f : forms) {
        const QByteArray b = cuerpo(f->Codigo, f->TisoCodigo);
        cuerpos += b;
        hashes += md5sum(b);
        if (f->Codigo == QLatin1String("MARPO")) {
            const QByteArray solicitud = "<SOLICITUD>\r\n    <SOLICITUD.PREDIOS>2</SOLICITUD.PREDIOS>\r\n</SOLICITUD>\r\n";
            cuerpos += solicitud;
            hashes += md5sum(solicitud);
        }
    }
    EXPECT_TRUE(texto.endsWith("\r\n#\r\n" + cuerpos));
    EXPECT_EQ(lineas.at(3).mid(4, 32), md5sum(hashes.toLatin1()).toLatin1());
}

INSTANTIATE_TEST_SUITE_P(
    Documentos, TiposDeDocumento,
    ::testing::Values(CasoDocumento{"SolicitudPrincipal", {{"DORVO", 202}}, "202", "fundo el ñirresur__001.xml"},
                      CasoDocumento{"GenericoBosqueQuemado", {{"LUMO", 999, 31}, {"DORVO", 202}}, "62,202", "fundo el ñirresur_bqmd_001.xml"},
                      CasoDocumento{"GenericoSirex", {{"LUMO", 999, 32}, {"DORVO", 202}}, "61,202", "fundo el ñirresur_srex_001.xml"},
                      CasoDocumento{"GenericoPlagas", {{"LUMO", 999, 33}, {"DORVO", 202}}, "60,202", "fundo el ñirresur_plga_001.xml"},
                      CasoDocumento{"VariosPredios", {{"MARPO", 410}, {"DORVO", 202}}, "410,98,202", "fundo el ñirresur_marpo_001.xml"}),
    [](const ::testing::TestParamInfo<CasoDocumento> &i) { return std::string(i.param.nombre); });

enum class Mensaje { Ninguno, Incompleto, SinPropietario };

struct CasoRechazo
{
    const char *nombre;
    QStringList plantillas; // run on the templates of KELU, DORVO and VORDA
    std::function<void(QList<FormIntercambio *> &, TformPpal &, QString &elegido)> preparar;
    Mensaje mensaje;
    bool documentoGuardado;
};

void PrintTo(const CasoRechazo &c, std::ostream *os)
{
    *os << c.nombre;
}

class Rechazos : public IntercambioTest, public ::testing::WithParamInterface<CasoRechazo>
{
};

TEST_P(Rechazos, LeaveNoExchangeFileAndNoVerificationCode)
{
    const CasoRechazo &c = GetParam();
    // VORDA stands for a form that is neither the principal nor a request form.
    QList<FormIntercambio *> forms = abrir({{"KELU", 301}, {"DORVO", 202}, {"VORDA", 303}}, c.plantillas);
    if (c.preparar)
        c.preparar(forms, *ppal, elegido);
    ppal->archGuardarXMLExecute();

    const QStringList mensajes[] = {{}, {kIncompleto}, {kSinPropietario}};
    EXPECT_EQ(dialogos.textos(), mensajes[int(c.mensaje)]);
    EXPECT_TRUE(archivosIntercambio().isEmpty());
    EXPECT_EQ(QFileInfo::exists(documento), c.documentoGuardado);
    const QList<QStringList> filas = filasFormPredio();
    if (c.documentoGuardado)
        EXPECT_EQ(filas, (QList<QStringList>{{QStringLiteral("0"), QString(), QString(), QString()}}));
    else
        EXPECT_TRUE(filas.isEmpty());
    for (FormIntercambio *f : forms) {
        EXPECT_TRUE(f->HashXML.isEmpty());
        EXPECT_FALSE(f->Ocupado);
    }
    EXPECT_TRUE(ppal->isEnabled());
}

void principalNoValida(QList<FormIntercambio *> &f, TformPpal &, QString &)
{
    f[0]->validoTodo = false;
}

void solicitudNoValida(QList<FormIntercambio *> &f, TformPpal &, QString &)
{
    f[1]->validoFormulario = false;
}

void opcionalNoValido(QList<FormIntercambio *> &f, TformPpal &, QString &)
{
    f[2]->validoTodo = false;
}

void guardarComoCancelado(QList<FormIntercambio *> &, TformPpal &ppal, QString &)
{
    ppal.dlgGuardar = [](const QString &, const QString &) { return QString(); };
}

void dialogoCancelado(QList<FormIntercambio *> &, TformPpal &, QString &elegido)
{
    elegido = QLatin1String("");
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Rechazos,
    ::testing::Values(
        CasoRechazo{"SolicitudSinNombrePredio", {"", "UPDATE dorvo SET nom_pre='';"}, nullptr, Mensaje::Incompleto, false},
        CasoRechazo{"SolicitudSinComuna", {"", "UPDATE dorvo SET com=NULL;"}, nullptr, Mensaje::Incompleto, false},
        CasoRechazo{"SolicitudSinSuperficie", {"", "UPDATE dorvo SET sup=NULL;"}, nullptr, Mensaje::Incompleto, false},
        CasoRechazo{"PrincipalSinSuperficieAfectada", {"UPDATE kelu SET sup_afe=0;"}, nullptr, Mensaje::Incompleto, false},
        CasoRechazo{"PrincipalNoValida", {}, principalNoValida, Mensaje::Incompleto, false},
        CasoRechazo{"SolicitudNoValida", {}, solicitudNoValida, Mensaje::Incompleto, false},
        CasoRechazo{"SolicitudSinPropietarios", {"", "DELETE FROM dorvo_pro;"}, nullptr, Mensaje::SinPropietario, false},
        CasoRechazo{"OpcionalSinPropietarios", {"", "", "DELETE FROM vorda_pro;"}, nullptr, Mensaje::SinPropietario, false},
        // A form without a part of its own that fails its validation tells its own messages;
        // the document is saved all the same.
        CasoRechazo{"OpcionalNoValido", {}, opcionalNoValido, Mensaje::Ninguno, true},
        CasoRechazo{"GuardarComoCancelado", {}, guardarComoCancelado, Mensaje::Ninguno, false},
        CasoRechazo{"DialogoCancelado", {}, dialogoCancelado, Mensaje::Ninguno, true}),
    [](const ::testing::TestParamInfo<CasoRechazo> &i) { return std::string(i.param.nombre); });

} // namespace
