#include "tpgvalue.h"

TPgValue::TPgValue(qint32 value, TNotifyEvent onChange)
    : OnChange(std::move(onChange)), FValue(value)
{
}

void TPgValue::SetAsUnits(qint32 value)
{
    if (value == FValue)
        return;
    FValue = value;
    if (OnChange)
        OnChange(this);
}

void TPgValue::SetAsMm(long double mm)
{
    SetAsUnits(PgClampToInt32(PgRound(mm * 100)));
}

void TPgValue::SetAsCm(long double cm)
{
    SetAsUnits(PgClampToInt32(PgRound(cm * 100 * 10)));
}

void TPgValue::SetAsInches(long double inches)
{
    SetAsUnits(PgClampToInt32(PgRound(inches * 100 * 25.4L)));
}

void TPgValue::SetAsPixels(qint64 pixels, int pixelsPerInch)
{
    if (pixelsPerInch <= 0)
        return;
    // 64-bit product: a large pixel count must not wrap round.
    SetAsUnits(PgClampToInt32(PgRound((long double)(pixels * 2540) / pixelsPerInch)));
}

long double TPgValue::GetAsMm() const
{
    return (long double)FValue / 100;
}

long double TPgValue::GetAsCm() const
{
    return (long double)FValue / 100 / 10;
}

long double TPgValue::GetAsInches() const
{
    return (long double)FValue / 100 / 25.4L;
}

qint64 TPgValue::GetAsPixels(int pixelsPerInch) const
{
    return PgRound((long double)FValue / 2540 * pixelsPerInch);
}

qint64 TPgValue::GetAsTwips() const
{
    return PgRound((long double)FValue / 100 / 25.4L * 1440);
}

long double TPgValue::GetAs(TPgMeasurement measurement) const
{
    switch (measurement) {
    case gmPixels: return GetAsPixels(PgScreenPixelsPerInch());
    case gmMillimeters: return GetAsMm();
    case gmCentimeters: return GetAsCm();
    case gmInches: return GetAsInches();
    case gmTwips: return GetAsTwips();
    default: return FValue;
    }
}

void TPgValue::Assign(const TPgValue &other)
{
    SetAsUnits(other.FValue);
}
