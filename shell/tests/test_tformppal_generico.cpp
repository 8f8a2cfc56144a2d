// The generic form's documents as a consultant makes them with the installed program: the
// seeded main database, the LUMO and DORVO plug-ins, New with each combination, the
// request and a stand filled in, and the exchange file. Its integrity line
// names every form by its agency code, and the generic form's body says the same code.
#include "scripteddialogs.h"
#include "tcustommdichild.h"
#include "terminacion.h"
#include "testprogramdir.h"
#include "tformppal.h"
#include "tformppalnuevo.h"

#include "connection.h"
#include "dataset.h"

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct CasoGenerico
{
    int combinacion;
    const char *codigos;  // the type codes of the integrity line
    const char *tiso;     // the generic form's TISO_CODIGO
    const char *variante; // the file name's code part
};

void PrintTo(const CasoGenerico &c, std::ostream *os)
{
    *os << "combinación " << c.combinacion;
}

// Every value of element `tag` in `texto`, in order.
QStringList valores(const QByteArray &texto, const QString &tag)
{
    QStringList r;
    const QRegularExpression re(QStringLiteral("<%1>([^<]*)</%1>").arg(QRegularExpression::escape(tag)));
    for (auto it = re.globalMatch(QString::fromLatin1(texto)); it.hasNext();)
        r << it.next().captured(1);
    return r;
}

class DocumentoGenerico : public ::testing::TestWithParam<CasoGenerico>
{
protected:
    void SetUp() override
    {
        ReiniciarTerminacion();
        m_home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        // The program directory as installed: the seeded main database, the two forms'
        // plug-ins and templates; the registers are the test windows.
        const QString bin = QStringLiteral(BRENVIK_BIN_DIR "/");
        const QString app = program.path() + QLatin1Char('/');
        ASSERT_TRUE(QDir(app).mkpath(QStringLiteral("bbdd")));
        for (const char *archivo : {"bbdd/bd.db", "bbdd/LUMO.db", "bbdd/DORVO.db", "lumo.so", "dorvo.so"}) {
            ASSERT_TRUE(QFile::copy(bin + QLatin1String(archivo), app + QLatin1String(archivo))) << archivo;
            QFile::setPermissions(app + QLatin1String(archivo), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        program.addRegisterPlugins();
        execSql(program.database(), "INSERT INTO consultor (cons_id, cons_rut, cons_dv, cons_paterno, cons_materno, cons_nombre,"
                                    " cons_profesion) VALUES (7, 12345678, 'K', 'Rojas', 'Soto', 'Ana', '4');");
        ppal = std::make_unique<TformPpal>(program.path());
        ASSERT_FALSE(ppal->terminado());
        nuevo = std::make_unique<TformPpalNuevo>(ppal->DirAplicacion);
        ppal->setDialogos(nuevo.get(), nullptr, nullptr);
        ppal->ConsultorActual = 7;
        ppal->dlgGuardar = [this](const QString &, const QString &) { return home.filePath(QStringLiteral("predio.doc")); };
        ppal->dlgGuardarXML = [this](const QString &inicial, const QString &) { return intercambio = inicial; };
        ppal->show();
    }

    void TearDown() override
    {
        for (QMdiSubWindow *s : ppal->mdiArea->subWindowList()) {
            if (auto *f = qobject_cast<TCustomMDIChild *>(s->widget())) {
                f->Modificado = false;
                f->Respondido = true;
            }
        }
        ppal.reset();
        qputenv("HOME", m_home);
        ReiniciarTerminacion();
    }

    // New, choosing combination `formId` in the new-document dialog.
    void nuevoDocumento(int formId)
    {
        auto *espera = new QTimer(nuevo.get());
        espera->setInterval(5);
        QObject::connect(espera, &QTimer::timeout, nuevo.get(), [this, espera, formId] {
            if (!nuevo->isVisible())
                return;
            espera->stop();
            QListWidget *lista = nuevo->ListView1;
            for (int i = 0; i < lista->count(); ++i)
                if (lista->item(i)->data(Qt::UserRole).toInt() == formId)
                    lista->setCurrentItem(lista->item(i));
            nuevo->btnAceptar->isEnabled() ? nuevo->btnAceptar->click() : nuevo->reject();
        });
        espera->start();
        ppal->archNuevoExecute();
    }

    TCustomMDIChild *formulario(const QString &codigo) const
    {
        for (QMdiSubWindow *s : ppal->mdiArea->subWindowList())
            if (auto *f = qobject_cast<TCustomMDIChild *>(s->widget()); f && f->Codigo == codigo)
                return f;
        return nullptr;
    }

    // Rows written into a form's working database, then read again by its windows.
    static void llenar(TCustomMDIChild *f, const char *sql)
    {
        ASSERT_TRUE(f->ConexionBD->execScript(QString::fromUtf8(sql))) << f->ConexionBD->lastError().text().toStdString();
        for (Dataset *ds : f->ConexionBD->datasets()) {
            ds->Close();
            ds->Open();
        }
    }

    QTemporaryDir home;
    ScopedSettings settings;
    TestProgramDir program;
    ScriptedDialogs dialogos;
    std::unique_ptr<TformPpal> ppal;
    std::unique_ptr<TformPpalNuevo> nuevo;
    QString intercambio;

private:
    QByteArray m_home;
};

TEST_P(DocumentoGenerico, TheExchangeFileNamesTheCombinationByItsAgencyCode)
{
    const CasoGenerico &c = GetParam();
    nuevoDocumento(c.combinacion);
    TCustomMDIChild *lumo = formulario(QStringLiteral("LUMO"));
    TCustomMDIChild *dorvo = formulario(QStringLiteral("DORVO"));
    ASSERT_TRUE(lumo && dorvo) << dialogos.textos().join(QLatin1Char('\n')).toStdString();
    llenar(dorvo, "UPDATE dorvo SET nom_pre='Fundo Las Quilas', com='10301', prv='103', reg='10', sup=48.5;"
                  "INSERT INTO dorvo_pro (id, rut, dv, nom, pat, mat) VALUES (1, 13131313, '4', 'Jorge', 'Müller', 'Paredes');");
    llenar(lumo, "INSERT INTO lumo_car (id, num, sup) VALUES (1, '1', 24);"); // the affected surface follows
    dialogos.boxes.clear();

    ppal->archGuardarXMLExecute();

    ASSERT_TRUE(intercambio.endsWith(QStringLiteral("_%1_001.xml").arg(QLatin1String(c.variante))))
        << intercambio.toStdString() << "\n"
        << dialogos.textos().join(QLatin1Char('\n')).toStdString();
    QFile archivo(intercambio);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const QByteArray texto = archivo.readAll();
    const QList<QByteArray> lineas = texto.split('\n');
    ASSERT_GT(lineas.size(), 4);
    // "#@1|" + H + "|" + the codes, the generic form's first; profession 4 adds ten empty fields.
    EXPECT_EQ(lineas.at(3).mid(4 + 33).toStdString(), std::string(c.codigos) + "||||||||||\r");
    EXPECT_EQ(valores(texto, QStringLiteral("FORMULARIO.TISO_CODIGO")), (QStringList{QLatin1String(c.tiso), QStringLiteral("1")}));
}

INSTANTIATE_TEST_SUITE_P(Combinaciones, DocumentoGenerico,
                         ::testing::Values(CasoGenerico{31, "62,1", "62", "bqmd"}, CasoGenerico{32, "61,1", "61", "srex"},
                                           CasoGenerico{33, "60,1", "60", "plga"}),
                         [](const ::testing::TestParamInfo<CasoGenerico> &i) { return std::to_string(i.param.combinacion); });

} // namespace
