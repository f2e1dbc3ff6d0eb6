#pragma once
#include <QString>

// The text of a value box by the data type of its field: the sample digits
// the designer draws, and a live value drawn in the same shape (as many
// decimals, times as HH:MM:SS, dates as YYYY-MM-DD).
QString FieldSampleText(int iDataType);
// dValue in the type's unit: seconds for times (7), the Julian day for a
// date (8), else the number shown.
QString FieldValueText(int iDataType, double dValue);
// The sample with its digits as dashes: a field that has no value now.
QString FieldNoValueText(int iDataType);

// Live values for the value boxes of a page (a flight replay). An empty
// text keeps the field's sample digits.
class FieldTextSource
{
public:
    virtual ~FieldTextSource() = default;
    virtual QString FieldText(int iField, int iDataType) const = 0;
    // The live number of a field, for a dial's needle; false when there is
    // none (the dial is drawn as in the designer).
    virtual bool FieldNumber(int iField, double* pValue) const
    {
        Q_UNUSED(iField);
        Q_UNUSED(pValue);
        return false;
    }
};
