// A form window for the shell's tests: three pages, its outline and a working database
// without datasets, nothing else.
#include "classregistry.h"
#include "connection.h"
#include "tcustommdichild.h"

#include <QTabWidget>
#include <QVBoxLayout>

class TestForm : public TCustomMDIChild
{
    Q_OBJECT

public:
    explicit TestForm(QWidget *owner) : TCustomMDIChild(owner) {}

    void Nuevo() override
    {
        Secciones = QStringLiteral("Formulario de prueba\r\n\tPágina uno\r\n\tPágina dos\r\n\tPágina tres");
        HojaActual = 0;
        ConexionBD = new Connection(this);
        Paginas = new QTabWidget(this);
        for (const char *titulo : {"Uno", "Dos", "Tres"})
            Paginas->addTab(new QWidget, QString::fromUtf8(titulo));
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(Paginas);
        setProperty("nuevoLlamado", true);
    }
    void ComponerImpresion(TImpresion *) override {}
    QByteArray PrepararXML() override { return QByteArray(); }
};

BRENVIK_REGISTER_WINDOW(TestForm, TEST_CLASS_NAME);

#include "testform.moc"
