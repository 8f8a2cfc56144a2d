#include "iconos.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor kTinta(40, 40, 40);
const QColor kPapel(255, 255, 255);
const QColor kAzul(45, 95, 170);
const QColor kVerde(60, 130, 60);
const QColor kAmarillo(230, 190, 80);

// A sheet of paper with a folded corner inside the rectangle.
void hoja(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    const qreal pliegue = r.width() / 3;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - pliegue, r.top());
    path.lineTo(r.right(), r.top() + pliegue);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setBrush(kPapel);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - pliegue, r.top()), QPointF(r.right() - pliegue, r.top() + pliegue));
    p.drawLine(QPointF(r.right() - pliegue, r.top() + pliegue), QPointF(r.right(), r.top() + pliegue));
}

void ventana(QPainter &p, const QRectF &r)
{
    p.setBrush(kPapel);
    p.drawRect(r);
    p.setBrush(kAzul);
    p.drawRect(QRectF(r.left(), r.top(), r.width(), 2.5));
}

void persona(QPainter &p, qreal x, qreal y, const QColor &color)
{
    p.setBrush(color);
    p.drawEllipse(QPointF(x, y), 2.5, 2.5);
    p.drawChord(QRectF(x - 4.5, y + 3, 9, 9), 0, 180 * 16);
}

// Draws on a 16 x 16 grid; the pixmap may be larger.
void dibujar(QPainter &p, Icono icono)
{
    p.setPen(QPen(kTinta, 1.0));
    switch (icono) {
    case Icono::Nuevo:
        hoja(p, QRectF(3.5, 1.5, 9, 13));
        p.setPen(QPen(kAmarillo.darker(130), 1.5));
        p.drawLine(QPointF(12, 10), QPointF(12, 15));
        p.drawLine(QPointF(9.5, 12.5), QPointF(14.5, 12.5));
        break;
    case Icono::Abrir: {
        p.setBrush(kAmarillo);
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        QPolygonF tapa({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
        p.setBrush(kAmarillo.lighter(120));
        p.drawPolygon(tapa);
        break;
    }
    case Icono::Guardar:
        p.setBrush(kAzul);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(kPapel);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
        break;
    case Icono::Imprimir:
        hoja(p, QRectF(4.5, 1.5, 7, 6));
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(kPapel);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    case Icono::Cortar:
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(4.5, 12), 2.5, 2.5);
        p.drawEllipse(QPointF(11.5, 12), 2.5, 2.5);
        p.drawLine(QPointF(5.5, 10), QPointF(11, 1.5));
        p.drawLine(QPointF(10.5, 10), QPointF(5, 1.5));
        break;
    case Icono::Copiar:
        hoja(p, QRectF(1.5, 1.5, 8, 10));
        hoja(p, QRectF(6.5, 4.5, 8, 10));
        break;
    case Icono::Pegar:
        p.setBrush(QColor(170, 120, 70));
        p.drawRect(QRectF(2.5, 2.5, 10, 12));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(5.5, 1.5, 4, 2.5));
        hoja(p, QRectF(7.5, 6.5, 7, 8));
        break;
    case Icono::Cascada:
        ventana(p, QRectF(1.5, 1.5, 9, 7));
        ventana(p, QRectF(3.5, 4.5, 9, 7));
        ventana(p, QRectF(5.5, 7.5, 9, 7));
        break;
    case Icono::MosaicoHorizontal:
        ventana(p, QRectF(1.5, 1.5, 13, 6));
        ventana(p, QRectF(1.5, 8.5, 13, 6));
        break;
    case Icono::MosaicoVertical:
        ventana(p, QRectF(1.5, 1.5, 6, 13));
        ventana(p, QRectF(8.5, 1.5, 6, 13));
        break;
    case Icono::Predios: {
        p.setBrush(kVerde);
        QPolygonF arbol({QPointF(8, 1), QPointF(14, 10), QPointF(2, 10)});
        p.drawPolygon(arbol);
        p.setBrush(QColor(120, 80, 40));
        p.drawRect(QRectF(6.5, 10.5, 3, 4));
        break;
    }
    case Icono::Personas:
        persona(p, 5, 4, kAzul);
        persona(p, 11, 4, kVerde);
        break;
    case Icono::Consultores:
        persona(p, 8, 3.5, kAzul);
        p.setBrush(kAmarillo);
        p.drawRect(QRectF(9.5, 10.5, 5, 4));
        break;
    case Icono::Contraer:
    case Icono::Expandir: {
        p.setBrush(kTinta);
        const bool izquierda = icono == Icono::Contraer;
        const qreal punta = izquierda ? 4.5 : 11.5;
        const qreal base = izquierda ? 10.5 : 5.5;
        p.drawPolygon(QPolygonF({QPointF(punta, 8), QPointF(base, 3.5), QPointF(base, 12.5)}));
        break;
    }
    }
}

QPixmap pixmapDe(Icono icono, int lado)
{
    QPixmap pixmap(lado, lado);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 16.0, lado / 16.0);
    dibujar(p, icono);
    return pixmap;
}

} // namespace

QIcon iconoDe(Icono icono)
{
    QIcon result;
    for (int lado : {16, 24, 32})
        result.addPixmap(pixmapDe(icono, lado));
    return result;
}
