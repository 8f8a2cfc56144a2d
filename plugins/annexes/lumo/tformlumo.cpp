#include "tformlumo.h"

#include "builtform.h"
#include "classregistry.h"
#include "componentesformulario.h"
#include "dbgrid.h"
#include "gridcolumn.h"
#include "tlumofrm_bqmd.h"
#include "tlumofrm_plga.h"
#include "tlumofrm_srex.h"
#include "tlumofrm_titulo.h"
#include "util_bbdd.h"

#include <QEvent>
#include <algorithm>
#include <QTabWidget>
#include <QVBoxLayout>

BRENVIK_REGISTER_WINDOW(TFormLUMO, "TFormLUMO");

TFormLUMO::TFormLUMO(QWidget *owner)
    : TFormDescrito(owner, QStringLiteral("LUMO"))
{
    if (!m_formulario)
        return;
    enlazarReglas();
}

void TFormLUMO::Nuevo()
{
    if (!NuevoDescrito())
        return;
    QStringList problemas;
    armarSecciones(&problemas);
    connect(Paginas, &QTabWidget::currentChanged, this, [this](int i) {
        const QWidget *pagina = Paginas->widget(i);
        if (pagina && (pagina->objectName() == QLatin1String("TabSheet1") || pagina->objectName() == QLatin1String("TabSheet2")))
            TabSheet1Enter();
    });
    Maximizar();
    informarSecciones(problemas);
}

void TFormLUMO::informarSecciones(const QStringList &problemas)
{
    if (!problemas.isEmpty())
        DialogoError(QStringLiteral("Secciones del formulario %1 que no se pueden mostrar:\n").arg(Tag)
                     + problemas.join(QLatin1Char('\n')));
}

void TFormLUMO::retirarColumnas()
{
    QStringList problemas;
    for (const Retiro &r : std::as_const(m_retiros)) {
        if (!r.pagina)
            continue;
        QStringList causas;
        deshabilitaEnPagina(r.pagina, r.especificacion, &causas);
        for (const QString &c : std::as_const(causas))
            problemas << r.seccion + c;
    }
    m_retiros.clear();
    informarSecciones(problemas);
}

namespace {

// An integer written as text in a section row; false for anything else.
bool entero(const QString &texto, int &valor)
{
    bool ok = false;
    valor = texto.trimmed().toInt(&ok);
    return ok;
}

} // namespace

void TFormLUMO::armarSecciones(QStringList *problemas)
{
    // Every fixed page leaves the page control; the rows bring back those they name, each
    // at the next position, so that outline line k is always page k.
    for (int k = Paginas->count() - 1; k >= 1; --k) {
        QWidget *pagina = Paginas->widget(k);
        m_paginasOcultas.insert(pagina->objectName(), pagina);
        Paginas->removeTab(k);
    }
    visible_pages.clear();
    titles_pages.clear();
    const QString bd = DirAplicacion + QStringLiteral("bbdd/bd.db");
    titulo_sol = Consulta(bd, QStringLiteral("SELECT form_titulo FROM formularios WHERE form_id = ?"), {Tag});
    const QList<QStringList> filas = Consulta3(
        bd,
        QStringLiteral("SELECT sefo_seccion, sefo_titulo, sefo_indent, sefo_tabsheet, sefo_frame, sefo_deshabilitar "
                       "FROM seccion_formulario WHERE form_id = ? ORDER BY sefo_seccion"),
        {Tag});
    // Without rows the form keeps its own title line, so that the tree still reaches it.
    if (filas.isEmpty())
        return;
    QString esquema = filas.first().value(1) + QStringLiteral("\r\n");
    for (int i = 1; i < filas.size(); ++i) {
        const QStringList &f = filas.at(i);
        const QString titulo = f.value(1);
        const QString marco = f.value(4).trimmed();
        const auto problema = [&](const QString &causa) {
            problemas->append(QStringLiteral("la sección %1 (\"%2\") %3").arg(f.value(0), titulo, causa));
        };
        int nivel = 0;
        if (!f.value(2).trimmed().isEmpty() && !entero(f.value(2), nivel)) {
            problema(QStringLiteral("tiene un nivel que no es un número: \"%1\"").arg(f.value(2)));
            continue;
        }
        QWidget *pagina = nullptr;
        if (!marco.isEmpty()) {
            pagina = new QWidget(Paginas);
            pagina->setObjectName(QStringLiteral("DynaSheet") + QString::number(i));
            auto *layout = new QVBoxLayout(pagina);
            layout->setContentsMargins(10, 10, 10, 10);
            layout->addWidget(getFrame(marco, i));
        } else {
            int numero = 0;
            if (!entero(f.value(3), numero)) {
                problema(QStringLiteral("no nombra un marco ni un número de página: \"%1\"").arg(f.value(3)));
                continue;
            }
            const QString nombre = QStringLiteral("TabSheet") + QString::number(numero);
            pagina = m_paginasOcultas.take(nombre);
            if (!pagina) {
                problema(visible_pages.contains(nombre) ? QStringLiteral("repite la página %1").arg(numero)
                                                        : QStringLiteral("nombra la página %1, que no existe").arg(numero));
                continue;
            }
        }
        Paginas->insertTab(int(visible_pages.size()) + 1, pagina, titulo);
        visible_pages << pagina->objectName();
        titles_pages << titulo;
        // Columns go once the lists are on them (InicializarDatasetPpal), so that a list
        // is never looked for on a column that is gone.
        if (!f.value(5).trimmed().isEmpty())
            m_retiros.append({pagina, f.value(5), QStringLiteral("la sección %1 (\"%2\") ").arg(f.value(0), titulo)});
        esquema += QString(std::max(nivel, 0), QLatin1Char('\t')) + titulo + QStringLiteral("\r\n");
    }
    Secciones = esquema;
}

TFrameLumo *TFormLUMO::getFrame(const QString &nombre, int i)
{
    TFrameLumo *marco = nullptr;
    if (nombre == QLatin1String("lumoFrm_titulo")) {
        marco = new TlumoFrm_titulo(this);
    } else if (nombre == QLatin1String("lumoFrm_plga")) {
        marco = new TlumoFrm_plga(this);
    } else if (nombre == QLatin1String("lumoFrm_srex")) {
        marco = new TlumoFrm_srex(this);
    } else if (nombre == QLatin1String("lumoFrm_bqmd")) {
        marco = new TlumoFrm_bqmd(this);
    } else {
        auto *titulo = new TlumoFrm_titulo(this);
        titulo->setTexto(QStringLiteral("No se encontró el frame llamado ") + nombre);
        marco = titulo;
    }
    marco->InicializarConexion(ConexionBD, this);
    marco->setObjectName(marco->NombreDiseno() + QString::number(i));
    return marco;
}

void TFormLUMO::deshabilitaEnPagina(QWidget *pagina, const QString &especificacion, QStringList *problemas)
{
    const auto problema = [problemas](const QString &causa) {
        if (problemas)
            problemas->append(causa);
    };
    for (const QString &entrada : especificacion.split(QLatin1Char('|'))) {
        const QStringList items = entrada.split(QLatin1Char(','));
        if (items.size() < 2)
            continue;
        const QStringList nombres = items.first().trimmed().split(QLatin1Char('-'));
        QWidget *control = nullptr;
        if (nombres.size() <= 2) {
            control = pagina->findChild<QWidget *>(nombres.first(), Qt::FindDirectChildrenOnly);
            if (control && nombres.size() == 2)
                control = control->findChild<QWidget *>(nombres.last(), Qt::FindDirectChildrenOnly);
        }
        auto *g = qobject_cast<DBGrid *>(control);
        if (!g) {
            problema(QStringLiteral("nombra \"%1\", que no es una grilla de la página").arg(items.first().trimmed()));
            continue;
        }
        for (qsizetype k = 1; k < items.size(); ++k) {
            int indice = 0;
            if (!entero(items.at(k), indice) || indice < 0 || indice >= g->ColumnCount()) {
                problema(QStringLiteral("quita la columna \"%1\" de %2, que no existe").arg(items.at(k).trimmed(), g->objectName()));
                continue;
            }
            g->removeColumn(indice);
        }
    }
}

bool TFormLUMO::eventFilter(QObject *watched, QEvent *event)
{
    // In the stands' grid only the stand number is upper-cased; the other columns take
    // their text as typed (the key-pad decimal still swaps).
    auto *w = event->type() == QEvent::KeyPress ? qobject_cast<QWidget *>(watched) : nullptr;
    const DBGrid *rodales = w ? grilla(QStringLiteral("car")) : nullptr;
    const bool comoSeEscribe = rodales && DBGrid::fromWidget(w) == rodales && rodales->SelectedIndex() > 0;
    return filtrarTecla(watched, event, true, !comoSeEscribe);
}


DBGrid *TFormLUMO::grilla(const QString &sufijo) const
{
    return findComponent<DBGrid>(this, QStringLiteral("dbgLumo_") + sufijo);
}
