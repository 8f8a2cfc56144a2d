// Two form windows that only the tests load: everything they do comes from their
// description and the framework, their printout and XML heads included; the one bound to
// FERUN adds the bonus-payment part the accreditations share.
#include "acreditacionferun.h"
#include "classregistry.h"
#include "impresion/impresionformulario.h"
#include "predio/nodospredioxml.h"
#include "tformdescrito.h"
#include "xml/txml.h"

namespace {

class TFormVinculado : public TFormDescrito
{
public:
    TFormVinculado(QWidget *owner, const QString &codigo)
        : TFormDescrito(owner, codigo)
    {
    }
    void Nuevo() override { NuevoDescrito(); }
    void InicializarDatasetPpal(const QString &nombreCompleto) override
    {
        TFormDescrito::InicializarDatasetPpal(nombreCompleto);
        if (ferun())
            AcreditacionFerun::ListaTesorerias(this);
    }
    // The head and section I of a bound form.
    void ComponerImpresion(TImpresion *imp) override
    {
        imp->IniDocumento();
        {
            ImpresionFormulario p(this, imp);
            p.encabezado();
            p.portada(QStringLiteral("ANEXO DE PRUEBA"), CajaRecepcion::Fija);
            p.antecedentesGenerales();
            if (ferun())
                AcreditacionFerun::ImprimirBonificacion(p);
            p.textoFijo(QStringLiteral("# II. NORMA\nSe aplicará:\n· un punto\n|Especie|Diámetro mínimo\n|Lenga|25 cm\n"));
        }
        imp->Seccion();
        imp->FinDocumento();
    }
    // The head of a bound form's XML, in the plans' layout or (property "dalu") Dalu's,
    // with a leaf and a node of the form's own where the hooks put them.
    QByteArray PrepararXML() override
    {
        if (!XML || !DatasetPpal)
            return {};
        XML->Limpiar();
        NodosPredioXML::Cabecera c;
        if (property("dalu").toBool())
            c.disposicion = NodosPredioXML::Cabecera::Disposicion::Dalu;
        c.predio = [](TXML &x) { x.Hijo(QStringLiteral("OBSERVACION"), QStringLiteral("propia")); };
        c.trasPropietarios = [](TXML &x) {
            x.AbrirNodo(QStringLiteral("PROTECCION_RECURSO"));
            x.Hijo(QStringLiteral("PLAGA_MEDIDA_PREVENCION"), QStringLiteral("Monitoreo"));
            x.CerrarNodo();
        };
        c.lugar = ferun();
        NodosPredioXML::Encabezado(*XML, this, DatasetPpal, c);
        if (ferun())
            AcreditacionFerun::NodosBonificacion(*XML, this);
        XML->CerrarNodo();
        XML->CerrarNodo();
        return XML->Texto();
    }

private:
    bool ferun() const { return CodigoPadre() == QLatin1String("ferun"); }
};

class TFormVINDO : public TFormVinculado
{
public:
    explicit TFormVINDO(QWidget *owner = nullptr)
        : TFormVinculado(owner, QStringLiteral("VINDO"))
    {
    }
};

class TFormVINFE : public TFormVinculado
{
public:
    explicit TFormVINFE(QWidget *owner = nullptr)
        : TFormVinculado(owner, QStringLiteral("VINFE"))
    {
    }
};

} // namespace

BRENVIK_REGISTER_WINDOW(TFormVINDO, "TFormVINDO");
BRENVIK_REGISTER_WINDOW(TFormVINFE, "TFormVINFE");
