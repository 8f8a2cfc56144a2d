#pragma once

// Creating and reading page objects by kind. Reading treats the stream as
// untrusted: on any error the result is null and context.Error says why.

#include "tpgbaseobject.h"

#include <memory>

class QIODevice;
struct TPgStreamContext;

// A new default object of the kind (1 to 6, 9 to 12); null for any other.
std::unique_ptr<TPgBaseObject> PgCreateObject(int kind);

// Reads one object in the attribute-list format; its kind comes from the first
// value of its first block. The stream must be seekable.
std::unique_ptr<TPgBaseObject> PgReadObject(QIODevice &stream, TPgStreamContext &context);

// Reads one object of a known kind in the old fixed-width format.
std::unique_ptr<TPgBaseObject> PgReadOldObject(QIODevice &stream, int kind, long double fileVersion,
                                               TPgStreamContext &context);
