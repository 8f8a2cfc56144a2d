#pragma once

// A length in units (1/100 mm) with conversions; fires OnChange (sender: the
// value) when the stored integer changes. Owned by whoever created it.

#include "pgtypes.h"

class TPgValue
{
public:
    TPgValue() = default;
    TPgValue(qint32 value, TNotifyEvent onChange);
    TPgValue(const TPgValue &) = delete;
    TPgValue &operator=(const TPgValue &) = delete;

    void SetAsUnits(qint32 value);
    void SetAsMm(long double mm);
    void SetAsCm(long double cm);
    void SetAsInches(long double inches);
    // Does nothing for a resolution that is not positive.
    void SetAsPixels(qint64 pixels, int pixelsPerInch);

    qint32 GetAsUnits() const { return FValue; }
    long double GetAsMm() const;
    long double GetAsCm() const;
    long double GetAsInches() const;
    qint64 GetAsPixels(int pixelsPerInch) const;
    qint64 GetAsTwips() const;
    // Pixels are taken at the screen's resolution here.
    long double GetAs(TPgMeasurement measurement) const;

    void Assign(const TPgValue &other);

    TNotifyEvent OnChange;

private:
    qint32 FValue = 0;
};
