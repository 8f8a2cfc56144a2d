#pragma once
// Reads a form description file (the format is in FORMS.md) into a FormDescription.
// Every problem, of syntax or of reference (a grid column that its table does not have),
// is reported as "file:line: text"; a description with any problem gives no model.
#include "formdescription.h"

#include <QString>
#include <QStringList>
#include <optional>

class FormDescriptionParser
{
public:
    // `fileName` only names the text in messages.
    static std::optional<FormDescription> parse(const QString &text, const QString &fileName, QStringList *errors);
    // Reads a file (a resource path ":/..." too) as UTF-8.
    static std::optional<FormDescription> parseFile(const QString &path, QStringList *errors);
};
