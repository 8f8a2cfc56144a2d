#pragma once
// One column of a dataset's current record, the counterpart of a form's field component.
// A Field lives as long as its dataset and survives Close/Open, so widgets and handlers may
// keep the pointer; only a column that disappears from the schema on reopen is deleted.
//
// Kinds: Data (a column of the table or query), Lookup (the value of `resultField` in the
// row of `lookupDataSet` whose `lookupKeyFields` equal this dataset's `keyFields`; writing
// it writes the key fields instead), Calculated (filled by the dataset's OnCalcFields).
//
// Values: Value() is typed (qlonglong, double, QString, bool, QDateTime; a null QVariant
// for NULL). Text forms follow the fixed Chilean format (see chileantext.h): AsString gives
// "12,5", "12", "31-12-2024", booleans "True"/"False"; DisplayText is the same except
// booleans read "Sí"/"No". The setters convert and return false, leaving the value as it
// was, when the value does not fit the type ("abc" into an integer). An empty text sets
// NULL on every type except Text and Memo, which keep "" apart from NULL. A text longer
// than the field's size is cut to the size. Writing outside edit/insert state, or writing
// a read-only field, throws DatasetError (a fault of the caller).
#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>

class Dataset;

enum class FieldType { Integer, SmallInt, Float, Text, Memo, Boolean, DateTime, AutoInc };
enum class FieldKind { Data, Lookup, Calculated };

class Field
{
public:
    Field(Dataset *dataset, const QString &name, FieldType type, int size, FieldKind kind);

    QString FieldName() const { return m_name; }
    // A lookup field takes the type of its result field once the lookup dataset is open.
    FieldType DataType() const;
    FieldKind Kind() const { return m_kind; }
    // Characters of a Text field; 0 for every other type.
    int Size() const;
    // Position in the dataset's field list.
    int Index() const;
    Dataset *DataSet() const { return m_dataset; }
    bool isNumeric() const;

    QString DisplayLabel() const { return m_displayLabel.isEmpty() ? m_name : m_displayLabel; }
    void setDisplayLabel(const QString &label) { m_displayLabel = label; }
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // Characters the field's values take (printed table columns are as wide): set, or the
    // size of a text field, 5 for a boolean, 10 for any other.
    int DisplayWidth() const;
    void setDisplayWidth(int chars) { m_displayWidth = chars; }
    // The pattern that shows a number (ChileanText::formatNumber, "0,000,000"); empty: the
    // plain text. Only DisplayText uses it: the stored value and AsString are unchanged.
    QString DisplayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &pattern) { m_displayFormat = pattern; }
    bool Visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    // The column is NOT NULL in the schema (informative; the database enforces it).
    bool Required() const { return m_required; }

    // The current record's value (the edit buffer while editing or inserting).
    bool IsNull() const;
    QVariant Value() const;
    bool setValue(const QVariant &value);
    void Clear();

    QString AsString() const;
    bool setAsString(const QString &text);
    // 0 for NULL or text that is not a number.
    qint64 AsInteger() const;
    bool setAsInteger(qint64 value);
    double AsFloat() const;
    bool setAsFloat(double value);
    // Invalid for NULL.
    QDateTime AsDateTime() const;
    bool setAsDateTime(const QDateTime &value);
    bool AsBoolean() const;
    bool setAsBoolean(bool value);
    QString DisplayText() const;

    // The same conversions for any stored value of this field (grids use them for rows
    // other than the current one, see Dataset::valueAt).
    QVariant typedValue(const QVariant &stored) const;
    QString textOf(const QVariant &typed) const;
    QString displayTextOf(const QVariant &typed) const;
    // Converts `in` to the stored form of this field's type; false when it does not fit.
    bool toStored(const QVariant &in, QVariant &out) const;

    // The type of a column's declared type by the schema convention (INTEGER, SMALLINT,
    // DOUBLE, VARCHAR(n), TEXT, BOOLEAN, DATETIME and usual synonyms); false when empty.
    static bool typeFromDeclared(const QString &declared, FieldType &type, int &size);
    // AsString of a value read from a column of that declared type; for an expression
    // (no declared type) by the value itself: integers as digits, reals with a comma.
    static QString textOfStored(const QVariant &stored, const QString &declared);

    // Lookup definition (Kind() == Lookup); names separated by ';'.
    Dataset *LookupDataSet() const;
    QString KeyFields() const { return m_keyFields; }
    QString LookupKeyFields() const { return m_lookupKeyFields; }
    QString LookupResultField() const { return m_lookupResultField; }

    // Called after the field's value changed through a setter (not on scrolling).
    std::function<void(Field *)> OnChange;

private:
    friend class Dataset;

    Dataset *m_dataset;
    QString m_name;
    FieldType m_type;
    int m_size;
    FieldKind m_kind;
    QString m_displayLabel;
    QString m_displayFormat;
    int m_displayWidth = 0;
    bool m_readOnly = false;
    bool m_visible = true;
    bool m_required = false;
    int m_slot = -1; // position in the dataset's row storage (data and calculated fields)
    const Field *lookupResult() const;

    QPointer<QObject> m_lookupDataSet; // a Dataset
    QString m_keyFields;
    QString m_lookupKeyFields;
    QString m_lookupResultField;
};
