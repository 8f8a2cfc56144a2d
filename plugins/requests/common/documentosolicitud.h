#pragma once
// A document of a principal form (the test form PRUEBA) and a request form that carries
// its own property section, both loaded from their plug-ins and connected as the shell
// does, over a copy of the main database holding one register property ("El Roble",
// code 7, in Ñuñoa, with an owner, a representative, a roll, an adjoining roll, an
// inscription, a certificate and a reference point). List this header among the test's
// sources: its stand-in for the property register needs moc.
#include "tcustommdichild.h"

#include "abort.h"
#include "classregistry.h"
#include "connection.h"
#include "dataset.h"
#include "dialogservice.h"
#include "field.h"
#include "predio/seccionpredio.h"
#include "impresion/timpresion.h"
#include "impresion/tregistroimpresion.h"
#include "imprimirpdf.h"
#include "pdfatexto.h"
#include "scripteddialogs.h"
#include "textoesperado.h"
#include "tpgpreview.h"
#include "util_bbdd.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QMdiArea>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

// The property register as the forms reach it: a class registered as "TFormPredios"
// whose MostrarModalSeleccion returns the chosen property's code. (Outside an anonymous
// namespace: its moc output is compiled apart.)
class RegistroPredios : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;
    Q_INVOKABLE int MostrarModalSeleccion() { return elegido; }
    static inline int elegido = 0;
};

inline const ClassRegistrar registroPredios("TFormPredios",
                                           [](QWidget *owner) -> QWidget * { return new RegistroPredios(owner); });

namespace {

// The plug-ins stay loaded for the whole run, as the shell keeps them.
QLibrary &biblioteca(int i)
{
    static QLibrary libs[] = {QLibrary(QStringLiteral(BRENVIK_TESTFORM_PLUGIN)), QLibrary(QStringLiteral(BRENVIK_SOLICITUD_PLUGIN))};
    return libs[i];
}

QString dv(qint64 rut)
{
    return QString(DigitoVerificador(QString::number(rut)));
}

// The register's property "El Roble" in Ñuñoa, with one owner (a woman), one
// representative, a roll, an adjoining roll, an inscription, a certificate and a point.
const char *const kRegistro = R"(
INSERT INTO predio (pred_codigo, pred_nombre, pred_superficie, pred_superficie_sii, pred_superficie_et, pred_ubicacion,
  pred_comuna, pred_provincia, pred_region) VALUES (7, 'El Roble', 120.5, 118, 121, 'Camino a Peñalolén km 3', '13120', '131', '13');
INSERT INTO persona (pers_codigo, pers_rut, pers_dv, pers_paterno, pers_materno, pers_nombre, pers_direccion, pers_comuna,
  pers_ciudad, pers_telefono, pers_sexo, pers_es_propietario, tipr_codigo)
  VALUES (40, 12345678, '5', 'Pérez', 'Soto', 'Ana', 'Los Aromos 12', '13120', 'Santiago', '555 1234', 2, 1, 1);
INSERT INTO persona (pers_codigo, pers_rut, pers_dv, pers_paterno, pers_materno, pers_nombre, pers_direccion, pers_comuna,
  pers_ciudad, pers_telefono, pers_sexo, pers_es_representante, tipr_codigo)
  VALUES (41, 9876543, '3', 'Rojas', 'Mena', 'Luis', 'Av. Grecia 40', '13120', 'Santiago', '', 1, 1, 1);
INSERT INTO propietario (pers_codigo, pred_codigo) VALUES (40, 7);
INSERT INTO representante (pers_codigo, pred_codigo) VALUES (41, 7);
INSERT INTO rol (rol_numero, pred_codigo, rol_comuna) VALUES ('120-45', 7, '13120');
INSERT INTO rol_contiguo (rol_numero, pred_codigo) VALUES ('120-46', 7);
INSERT INTO conservador (pred_codigo, cons_fojas, cons_numero, cons_conservador, cons_agno) VALUES (7, '1234v', 567, 'Santiago', 1998);
INSERT INTO ministerio (pred_codigo, mini_certbn, mini_fecha) VALUES (7, 'BN-88', '2001-03-04 00:00:00');
INSERT INTO coordenada (pred_codigo, coor_punto_referencia, coor_norte, coor_este) VALUES (7, 'Portón', 6298000, 352000);
INSERT INTO formPredio (pred_codigo, form_id, foco_archivo) VALUES (7, 1, 'viejo.fkel');
)";

// A product row of the dead-alerce requests as the consultant types it: the volume the row
// then shows, and part of the message that refuses it (empty: the row posts).
struct CasoProducto
{
    const char *nombre;
    int producto;
    int unidad;
    const char *cantidad;
    const char *volumen;
    const char *mensaje;
};

class DocumentoSolicitud : public ::testing::Test
{
protected:
    // `codigo`: the request form's code in upper case; its plug-in is BRENVIK_SOLICITUD_PLUGIN.
    explicit DocumentoSolicitud(const char *codigo)
        : m_codigo(QLatin1String(codigo))
    {
    }

    static void SetUpTestSuite()
    {
        for (int i : {0, 1})
            ASSERT_TRUE(biblioteca(i).load()) << biblioteca(i).errorString().toStdString();
    }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app = dir.path() + QStringLiteral("/");
        QDir().mkpath(app + QStringLiteral("bbdd"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/bd.db"), app + QStringLiteral("bbdd/bd.db")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/%1.db").arg(m_codigo),
                                app + QStringLiteral("bbdd/%1.db").arg(m_codigo)));
        ASSERT_TRUE(QFile::copy(QStringLiteral(BRENVIK_TESTFORM_TEMPLATE), app + QStringLiteral("bbdd/PRUEBA.db")));
        ASSERT_TRUE(bd.open(app + QStringLiteral("bbdd/bd.db")));
        ASSERT_TRUE(bd.execScript(QString::fromUtf8(kRegistro))) << bd.lastError().text().toStdString();
        area = new QMdiArea;
        abrir();
    }

    void TearDown() override
    {
        for (auto &f : formularios) {
            if (f) {
                f->Respondido = true;
                f->Modificado = false;
            }
        }
        delete area;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A document of the principal form PRUEBA and its request form, as the shell opens it.
    void abrir()
    {
        for (const QString &codigo : {QStringLiteral("PRUEBA"), m_codigo}) {
            auto *f = qobject_cast<TCustomMDIChild *>(
                ClassRegistry::instance().create(QStringLiteral("TForm") + codigo, nullptr));
            ASSERT_NE(f, nullptr) << codigo.toStdString();
            area->addSubWindow(f);
            f->DirAplicacion = app;
            f->Codigo = codigo;
            f->CodigoPpal = QStringLiteral("PRUEBA");
            f->TisoCodigo = codigo == m_codigo ? 1 : 99;
            f->Nuevo();
            formularios << f;
        }
        formularios[0]->Hermanos << formularios[1];
        formularios[1]->Hermanos << formularios[0];
        for (auto &f : formularios)
            f->ConexionesExternas();
        for (auto &f : formularios) {
            ASSERT_TRUE(f->EstablecerBBDD());
            f->InicializarDatasetPpal(QStringLiteral("Documento de prueba"));
        }
        for (auto &f : formularios) {
            f->Modificado = false;
            f->Ocupado = false;
        }
    }

    // The document closed and new windows opened in their place, as the shell does
    // before it opens another document.
    void reabrirVentanas()
    {
        for (auto &f : formularios) {
            f->Respondido = true;
            f->Modificado = false;
            f->Hermanos.clear();
            f->Cerrar();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        formularios.clear();
        abrir();
    }

    TCustomMDIChild *ppal() { return formularios[0]; }
    TCustomMDIChild *solicitud() { return formularios[1]; }
    SeccionPredio *predio() { return solicitud()->findChild<SeccionPredio *>(); }
    Dataset *tabla(const char *parte) { return predio()->tabla(QLatin1String(parte)); }
    Field *campo(const char *nombre) { return solicitud()->DatasetPpal->FieldByName(QLatin1String(nombre)); }

    // The property button: the register's choice fills Dorvo and its siblings.
    void elegir(int codigo)
    {
        RegistroPredios::elegido = codigo;
        solicitud()->FrmEventoOnSeleccionPredio();
    }

    // The register's property `codigo` chosen, its first owner signing.
    void elegirConFirmante(int codigo)
    {
        elegir(codigo);
        Dataset *pro = tabla("pro");
        pro->First();
        ASSERT_TRUE(pro->Edit());
        pro->FieldByName(QStringLiteral("firm"))->setAsBoolean(true);
        ASSERT_TRUE(pro->Post());
    }

    // What the request's printout (or, with `difrol`, its cover letter) lays out, step by
    // step, on Legal paper.
    TRegistroImpresion componer(bool difrol = false)
    {
        TPgPreview vista;
        vista.SetPaperSize(TPgPaperSize::Legal);
        TRegistroImpresion registro;
        TImpresion imp(&vista);
        imp.setRegistro(&registro);
        if (difrol)
            solicitud()->ComponerDifrol(&imp);
        else
            solicitud()->ComponerImpresion(&imp);
        return registro;
    }

    bool guardar()
    {
        archivo = app + QStringLiteral("documento.fkel");
        return TCustomMDIChild::GuardarDocumento(archivo, {ppal(), solicitud()});
    }

    QVariant uno(const QString &sql, const QVariantList &params = {})
    {
        const QueryResult r = bd.select(sql, params);
        EXPECT_TRUE(r.ok) << r.error.text().toStdString();
        return r.rows.isEmpty() ? QVariant() : r.rows.first().value(0);
    }
    int cuenta(const QString &tablaBd, const QString &donde = QStringLiteral("1"), const QVariantList &params = {})
    {
        return uno(QStringLiteral("SELECT count(*) FROM %1 WHERE %2").arg(tablaBd, donde), params).toInt();
    }

    void agregarPersona(const char *parte, qint64 rut, const QString &pat, bool firma = false)
    {
        Dataset *ds = tabla(parte);
        ASSERT_TRUE(ds->Append());
        ds->FieldByName(QStringLiteral("rut"))->setAsInteger(rut);
        ds->FieldByName(QStringLiteral("dv"))->setAsString(dv(rut));
        ds->FieldByName(QStringLiteral("pat"))->setAsString(pat);
        ds->FieldByName(QStringLiteral("nom"))->setAsString(QStringLiteral("Nombre ") + pat);
        ds->FieldByName(QStringLiteral("dom"))->setAsString(QStringLiteral("Calle 1"));
        ds->FieldByName(QStringLiteral("ciu"))->setAsString(QStringLiteral("Talca"));
        ds->FieldByName(QStringLiteral("com"))->setAsString(QStringLiteral("13120"));
        ds->FieldByName(QStringLiteral("firm"))->setAsBoolean(firma);
        bool ok = false;
        ASSERT_TRUE(catchAbort([&] { ok = ds->Post(); }));
        ASSERT_TRUE(ok) << ds->lastError().text().toStdString();
    }

    // A row appended to `ds` with the fields given as they are typed, posted with the
    // table's checks.
    void fila(Dataset *ds, const QList<QPair<const char *, QString>> &valores)
    {
        ASSERT_NE(ds, nullptr);
        ASSERT_TRUE(ds->Append());
        for (const auto &[nombre, valor] : valores)
            ds->FieldByName(QLatin1String(nombre))->setAsString(valor);
        bool ok = false;
        ASSERT_TRUE(catchAbort([&] { ok = ds->Post(); })) << dialogos.textos().join(QLatin1Char('|')).toStdString();
        ASSERT_TRUE(ok) << ds->lastError().text().toStdString();
    }
    // Posts the row as it stands: empty when it posted, else the message that refused it
    // (and the row is given up).
    QString postear(Dataset *ds)
    {
        dialogos.boxes.clear();
        bool ok = false;
        catchAbort([&] { ok = ds->Post(); });
        if (ok)
            return QString();
        ds->Cancel();
        return dialogos.boxes.isEmpty() ? QStringLiteral("(sin mensaje)") : dialogos.boxes.first().texto;
    }

    // The product row of `caso` typed into `productos` (ten pieces): its volume and whether
    // it posts.
    void probarProducto(Dataset *productos, const CasoProducto &caso)
    {
        ASSERT_NE(productos, nullptr);
        ASSERT_TRUE(productos->Append());
        productos->FieldByName(QStringLiteral("nro_piezas"))->setAsInteger(10);
        productos->FieldByName(QStringLiteral("tipo_prod"))->setAsInteger(caso.producto);
        productos->FieldByName(QStringLiteral("unme_codigo"))->setAsInteger(caso.unidad);
        productos->FieldByName(QStringLiteral("cant"))->setAsString(QString::fromUtf8(caso.cantidad));
        EXPECT_EQ(productos->FieldByName(QStringLiteral("volumen"))->AsString(), QString::fromUtf8(caso.volumen));
        const QString mensaje = postear(productos);
        if (*caso.mensaje == 0)
            EXPECT_TRUE(mensaje.isEmpty()) << mensaje.toStdString();
        else
            EXPECT_TRUE(mensaje.contains(QString::fromUtf8(caso.mensaje))) << mensaje.toStdString();
    }

    // The request's exchange text, which must be the golden `golden`.xml and write its
    // "other" product (code -1, `otro`) as the products' other code, 18, with its text.
    QByteArray exportarComoElEsperado(const QString &golden, const QString &otro)
    {
        const QByteArray xml = solicitud()->PrepararXML();
        EXPECT_TRUE(ComoElEsperado(xml, golden)) << "see " << golden.toStdString() << ".obtenido.xml beside the test";
        const QString texto = QString::fromLatin1(xml);
        EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("<PRODUCTO.TIPO_PRODUCTO>18</PRODUCTO.TIPO_PRODUCTO>\\r\\n *"
                                                                     "<PRODUCTO.TIPO_PRODUCTO_OTRO>%1</").arg(otro))))
            << xml.toStdString();
        // The same data give the same text.
        EXPECT_EQ(solicitud()->PrepararXML(), xml);
        return xml;
    }

    // The request printed to a PDF file as the print command does, its pages left as
    // pictures for a person to look at; its text through pdftotext, or empty without it.
    QString imprimirYLeer()
    {
        const QString pdf = dir.filePath(m_codigo + QStringLiteral(".pdf"));
        QString error;
        EXPECT_TRUE(ImprimirAPdf(solicitud(), pdf, &error)) << error.toStdString();
        PaginasAPng(pdf, m_codigo);
        return HayPdftotext() ? PdfATexto(pdf) : QString();
    }

    // An "other" product (code -1) typed in an earlier document: the windows are opened
    // again, as for a new document, so that the product lists read it.
    void registrarOtroProducto(const QString &texto)
    {
        ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO otros (otr_codigo, otr_descripcion, otr_tce) VALUES (-1, ?, 'tceProducto')"),
                            {texto}));
        reabrirVentanas();
    }
    // A new property typed by hand: name, commune, one roll, one inscription, one owner.
    void escribirPredioNuevo(const QString &nombre)
    {
        campo("nom_pre")->setAsString(nombre);
        campo("com")->setAsString(QStringLiteral("13120"));
        campo("sup")->setAsString(QStringLiteral("10,5"));
        Dataset *rol = tabla("rol");
        ASSERT_TRUE(rol->Append());
        rol->FieldByName(QStringLiteral("rol"))->setAsString(QStringLiteral("9-9"));
        rol->FieldByName(QStringLiteral("com"))->setAsString(QStringLiteral("13120"));
        ASSERT_TRUE(rol->Post());
        agregarPersona("pro", 11111111, QStringLiteral("Nuevo"));
    }

    const QString m_codigo;
    QTemporaryDir dir;
    QString app;
    QString archivo;
    Connection bd;
    QMdiArea *area = nullptr;
    QList<QPointer<TCustomMDIChild>> formularios;
    ScriptedDialogs dialogos{ID::OK};
};

} // namespace
