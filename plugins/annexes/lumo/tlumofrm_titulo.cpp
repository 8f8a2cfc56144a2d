#include "tlumofrm_titulo.h"

#include "impresion/timpresion.h"

#include <QLabel>
#include <QVBoxLayout>

TlumoFrm_titulo::TlumoFrm_titulo(QWidget *parent)
    : TFrameLumo(parent, QStringLiteral("lumoFrm_titulo"))
    , m_etiqueta(new QLabel(QStringLiteral("Pagina en Blanco para tener subsecciones bajo esta sección"), this))
{
    m_etiqueta->setObjectName(QStringLiteral("Label1"));
    m_etiqueta->setAlignment(Qt::AlignCenter);
    m_etiqueta->setWordWrap(true);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_etiqueta);
}

void TlumoFrm_titulo::setTexto(const QString &texto)
{
    m_etiqueta->setText(texto);
}

QString TlumoFrm_titulo::Texto() const
{
    return m_etiqueta->text();
}

void TlumoFrm_titulo::getImpresion(const QString &, const QString &titulo, TImpresion *impresion)
{
    impresion->Seccion();
    impresion->CrLf();
    impresion->SubTitulo(titulo.toUpper(), taIzquierda);
    impresion->CrLf2();
}
