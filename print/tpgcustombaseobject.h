#pragma once

// Root of the page objects. A page owns its objects and links their OnChange to
// itself so that any change marks the page for rendering again.

#include "pgtypes.h"

#include <memory>

class QIODevice;
class QPainter;
class QRegion;
class TPgPrintTarget;
struct TPgStreamContext;

class TPgCustomBaseObject
{
public:
    TPgCustomBaseObject() = default;
    virtual ~TPgCustomBaseObject() = default;
    TPgCustomBaseObject(const TPgCustomBaseObject &) = delete;
    TPgCustomBaseObject &operator=(const TPgCustomBaseObject &) = delete;

    // Reads the fixed-width format of older files written by fileVersion.
    virtual bool LoadFromOldStream(QIODevice &stream, long double fileVersion, TPgStreamContext &context) = 0;
    // Reads and writes the attribute-list blocks, base class first. Errors go
    // into context.Error.
    virtual bool LoadFromStream(QIODevice &stream, TPgStreamContext &context) = 0;
    virtual bool SaveToStream(QIODevice &stream, TPgStreamContext &context) const = 0;

    // A new default object of the same class.
    virtual std::unique_ptr<TPgCustomBaseObject> NewInstance() const = 0;
    virtual void Assign(const TPgCustomBaseObject &source) = 0;
    // Draws into a page recorded at resolution (pixels per inch); pageClip is the
    // page's region in those pixels, null for none.
    virtual void Draw(QPainter &painter, int resolution, const QRegion *pageClip) const = 0;
    virtual void Print(TPgPrintTarget &printer, const QRegion *pageClip) const = 0;

    // A new object of the same class holding this one's values.
    std::unique_ptr<TPgCustomBaseObject> Clone() const;

    TNotifyEvent OnChange;

protected:
    void Changed();
};
