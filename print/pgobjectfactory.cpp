#include "pgobjectfactory.h"

#include "tpgarcshape.h"
#include "tpgattributelist.h"
#include "tpgchordshape.h"
#include "tpgellipseshape.h"
#include "tpggraphicobject.h"
#include "tpglineobject.h"
#include "tpgpieshape.h"
#include "tpgrectangleshape.h"
#include "tpgroundrectshape.h"
#include "tpgstreamcontext.h"
#include "tpgtextboxobject.h"

#include <QIODevice>

std::unique_ptr<TPgBaseObject> PgCreateObject(int kind)
{
    switch (kind) {
    case okText: return std::make_unique<TPgTextObject>();
    case okLine: return std::make_unique<TPgLineObject>();
    case okEllipse: return std::make_unique<TPgEllipseShape>();
    case okRectangle: return std::make_unique<TPgRectangleShape>();
    case okRoundRect: return std::make_unique<TPgRoundRectShape>();
    case okTextBox: return std::make_unique<TPgTextBoxObject>();
    case okGraphic: return std::make_unique<TPgGraphicObject>();
    case okArc: return std::make_unique<TPgArcShape>();
    case okChord: return std::make_unique<TPgChordShape>();
    case okPie: return std::make_unique<TPgPieShape>();
    default: return nullptr;
    }
}

std::unique_ptr<TPgBaseObject> PgReadObject(QIODevice &stream, TPgStreamContext &context)
{
    const qint64 start = stream.pos();
    TPgAttributeList first;
    QString error;
    if (!first.LoadFromStream(stream, &error)) {
        context.Fail(QStringLiteral("objeto: %1").arg(error));
        return nullptr;
    }
    const std::optional<qint32> kind = first.GetInteger(0);
    std::unique_ptr<TPgBaseObject> object = kind ? PgCreateObject(*kind) : nullptr;
    if (!object) {
        context.Fail(QStringLiteral("objeto: clase «%1» desconocida").arg(first.GetString(0).value_or(QString())));
        return nullptr;
    }
    if (!stream.seek(start)) {
        context.Fail(QStringLiteral("objeto: no se puede volver al comienzo del bloque"));
        return nullptr;
    }
    if (!object->LoadFromStream(stream, context))
        return nullptr;
    return object;
}

std::unique_ptr<TPgBaseObject> PgReadOldObject(QIODevice &stream, int kind, long double fileVersion,
                                               TPgStreamContext &context)
{
    std::unique_ptr<TPgBaseObject> object = PgCreateObject(kind);
    if (!object) {
        context.Fail(QStringLiteral("objeto: clase %1 desconocida").arg(kind));
        return nullptr;
    }
    if (!object->LoadFromOldStream(stream, fileVersion, context))
        return nullptr;
    return object;
}
