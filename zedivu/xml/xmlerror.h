#pragma once
// A fault of a form's PrepararXML in its use of the exchange-XML writer (a repeating node
// whose dataset will not go to its first record, HijoCampo outside a repeating node or on
// a field its dataset lacks, CerrarNodo without an open node). Thrown, like DatasetError,
// because it is a programming error and not bad data; the message ends with the source
// file and line of the check.
#include <QString>
#include <stdexcept>

class XmlError : public std::logic_error
{
public:
    explicit XmlError(const QString &message);
    ~XmlError() override;
    QString message() const;

    // The defaults name the caller's file and line (std::source_location is not available
    // with every compiler the project builds with).
    [[noreturn]] static void Lanzar(const QString &texto, const char *archivo = __builtin_FILE(),
                                    int linea = __builtin_LINE());
};
