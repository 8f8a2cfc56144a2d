// Two form windows that only the tests load: everything they do comes from their
// description and the framework.
#include "classregistry.h"
#include "tformdescrito.h"

namespace {

class TFormVinculado : public TFormDescrito
{
public:
    TFormVinculado(QWidget *owner, const QString &codigo)
        : TFormDescrito(owner, codigo)
    {
    }
    void Nuevo() override { NuevoDescrito(); }
    void ComponerImpresion(TImpresion *) override {}
    QByteArray PrepararXML() override { return {}; }
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
