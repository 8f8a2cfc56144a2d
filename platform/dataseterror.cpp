#include "dataseterror.h"

DatasetError::DatasetError(const QString &message)
    : std::logic_error(message.toStdString())
{
}

DatasetError::~DatasetError() = default;

QString DatasetError::message() const
{
    return QString::fromStdString(what());
}
