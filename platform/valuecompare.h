#pragma once
// Comparison of field values for Locate, Lookup, master-detail links and filters.
// Numbers compare as numbers, also against text that reads as a number ("12" = 12,
// "12,5" = 12.5); dates compare as dates, also against date text; everything else as text,
// optionally without regard to case. NULL equals only NULL and orders before everything.
#include <QVariant>
#include <optional>

namespace ValueCompare {
// Integer, real or bool.
bool isNumber(const QVariant &value);
// <0, 0, >0. Both NULL compare equal.
int compare(const QVariant &a, const QVariant &b, bool caseInsensitive = false);
bool equals(const QVariant &a, const QVariant &b, bool caseInsensitive = false);
// `value` as text starts with `prefix` as text (for partial-key look-ups).
bool startsWith(const QVariant &value, const QVariant &prefix, bool caseInsensitive);
} // namespace ValueCompare
