#pragma once
// A programming error in the use of a dataset: a field name that does not exist, a value
// written outside edit or insert state, editing a read-only or closed dataset. These are
// faults in the calling code, not in the data, so they are thrown rather than returned;
// the message names the dataset and the field. SQL failures are never thrown: they are
// returned (bool) with the error kept in Dataset::lastError().
#include <stdexcept>
#include <QString>

class DatasetError : public std::logic_error
{
public:
    explicit DatasetError(const QString &message);
    ~DatasetError() override;
    QString message() const;
};
