#include "dbnavigator.h"

#include "dbgrid.h"

#include "datasource.h"
#include "fieldlink.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace {

// The glyphs are drawn rather than taken from the style, so that they look the same on
// every desktop and offscreen.
QIcon glyph(DBNavigator::Button which)
{
    const int s = 16;
    QPixmap pm(s, s);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 60, 110);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    auto triangle = [&](double x, bool left) {
        QPainterPath path;
        if (left) {
            path.moveTo(x + 6, 3);
            path.lineTo(x, 8);
            path.lineTo(x + 6, 13);
        } else {
            path.moveTo(x, 3);
            path.lineTo(x + 6, 8);
            path.lineTo(x, 13);
        }
        path.closeSubpath();
        p.drawPath(path);
    };
    switch (which) {
    case DBNavigator::First:
        p.drawRect(QRectF(3, 3, 2, 10));
        triangle(6, true);
        break;
    case DBNavigator::Prior:
        triangle(5, true);
        break;
    case DBNavigator::Next:
        triangle(5, false);
        break;
    case DBNavigator::Last:
        triangle(4, false);
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case DBNavigator::Insert:
        p.drawRect(QRectF(7, 3, 2, 10));
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    case DBNavigator::Delete:
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    case DBNavigator::Post: {
        QPen pen(QColor(20, 110, 40), 2.2);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(7, 12), QPointF(13, 4)}));
        break;
    }
    case DBNavigator::Cancel: {
        QPen pen(QColor(160, 30, 30), 2.2);
        p.setPen(pen);
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
    case DBNavigator::ButtonCount:
        break;
    }
    return QIcon(pm);
}

} // namespace

DBNavigator::DBNavigator(QWidget *parent)
    : QWidget(parent)
{
    static const char *const names[ButtonCount] = {"btnPrimero", "btnAnterior", "btnSiguiente", "btnUltimo",
                                                   "btnInsertar", "btnEliminar", "btnGrabar", "btnCancelar"};
    static const char *const hints[ButtonCount] = {"Primero", "Anterior", "Siguiente", "Último",
                                                   "Insertar", "Eliminar", "Grabar", "Cancelar"};
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (int i = 0; i < ButtonCount; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(names[i]));
        b->setToolTip(QString::fromUtf8(hints[i]));
        b->setIcon(glyph(Button(i)));
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, i] { trigger(Button(i)); });
        layout->addWidget(b);
        m_buttons[i] = b;
    }
    layout->addStretch(1);
    updateButtons();
}

void DBNavigator::setDataSource(DataSource *source)
{
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_source = source;
    if (source) {
        m_connections << connect(source, &DataSource::stateChanged, this, &DBNavigator::updateButtons);
        m_connections << connect(source, &DataSource::layoutChanged, this, &DBNavigator::updateButtons);
        m_connections << connect(source, &DataSource::dataChanged, this, [this](Field *f) {
            if (!f)
                updateButtons();
        });
        m_connections << connect(source, &QObject::destroyed, this, &DBNavigator::updateButtons);
    }
    updateButtons();
}

void DBNavigator::setControlReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    updateButtons();
}

Dataset *DBNavigator::dataSet() const
{
    return m_source ? m_source->DataSet() : nullptr;
}

void DBNavigator::updateButtons()
{
    const Dataset *ds = dataSet();
    const bool active = ds && ds->Active();
    const bool editing = active && (ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert);
    const bool writable = active && ds->CanModify() && !m_readOnly;
    const bool empty = !active || ds->IsEmpty();
    const bool atFirst = empty || (ds->RecNo() <= 1 && !editing);
    const bool atLast = empty || (ds->RecNo() >= ds->RecordCount() && !editing);
    m_buttons[First]->setEnabled(active && !atFirst);
    m_buttons[Prior]->setEnabled(active && !atFirst);
    m_buttons[Next]->setEnabled(active && !atLast);
    m_buttons[Last]->setEnabled(active && !atLast);
    // A record being edited does not stop an insert: the insert posts it first.
    m_buttons[Insert]->setEnabled(writable && ds->State() != DatasetState::Insert);
    m_buttons[Delete]->setEnabled(writable && !empty);
    m_buttons[Post]->setEnabled(writable && editing);
    m_buttons[Cancel]->setEnabled(writable && editing);
}

bool DBNavigator::trigger(Button which)
{
    Dataset *ds = dataSet();
    if (!ds || !m_buttons[which]->isEnabled())
        return false;
    // A control that still holds typed text writes it before the dataset moves or posts.
    if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
    bool result = true;
    const bool done = FieldLink::run([&] {
        switch (which) {
        case First: ds->First(); break;
        case Prior: ds->Prior(); break;
        case Next: ds->Next(); break;
        case Last: ds->Last(); break;
        case Insert: result = ds->Insert(); break;
        case Delete: result = ds->Delete(); break;
        case Post: result = ds->Post(); break;
        case Cancel: ds->Cancel(); break;
        case ButtonCount: break;
        }
    });
    updateButtons();
    if (which == Insert && done && result)
        focusNewRow();
    return done && result;
}

void DBNavigator::focusNewRow()
{
    // The grid of the window that shows this data source takes the typing; the focus
    // cleared above would otherwise leave the keys to whatever control gets it next.
    for (DBGrid *grid : window()->findChildren<DBGrid *>()) {
        if (grid->dataSource() == m_source && grid->isVisible()) {
            grid->focusFirstEditableCell();
            return;
        }
    }
}
