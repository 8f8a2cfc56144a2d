#include "spanishcollation.h"

#include <sqlite3.h>

#include <QString>

#include <algorithm>

namespace {

struct Weights
{
    char32_t primary;   // the letter, without accent or case
    int accent;         // 0 without accent
    int upper;          // 0 in lower case
};

Weights weigh(QChar c)
{
    const bool upper = c.isUpper();
    QChar lower = c.toLower();
    if (lower == QChar(0x00F1)) // ñ: after every n, before o
        return {char32_t(U'n') * 2 + 1, 0, upper};
    int accent = 0;
    if (lower.decompositionTag() == QChar::Canonical) {
        const QString parts = lower.decomposition();
        if (!parts.isEmpty() && parts.at(0).unicode() < 0x80) {
            accent = int(parts.size() > 1 ? parts.at(1).unicode() : 1);
            lower = parts.at(0);
        }
    }
    return {char32_t(lower.unicode()) * 2, accent, upper};
}

int compareWith(QStringView a, QStringView b, int Weights::*level)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const Weights x = weigh(a.at(i));
        const Weights y = weigh(b.at(i));
        if (level == nullptr) {
            if (x.primary != y.primary)
                return x.primary < y.primary ? -1 : 1;
        } else if (x.*level != y.*level) {
            return x.*level < y.*level ? -1 : 1;
        }
    }
    return 0;
}

int collate(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return compareSpanish(QStringView(static_cast<const char16_t *>(a), lengthA / 2),
                          QStringView(static_cast<const char16_t *>(b), lengthB / 2));
}

} // namespace

int compareSpanish(QStringView a, QStringView b)
{
    if (const int r = compareWith(a, b, nullptr))
        return r;
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    if (const int r = compareWith(a, b, &Weights::accent))
        return r;
    if (const int r = compareWith(a, b, &Weights::upper))
        return r;
    return a.compare(b, Qt::CaseSensitive);
}

bool registerSpanishCollation(sqlite3 *db)
{
    return sqlite3_create_collation_v2(db, kSpanishCollation, SQLITE_UTF16_ALIGNED, nullptr, collate, nullptr) == SQLITE_OK;
}
