// Build-time generator of a form's template database from its description:
//   formtemplate <description.form> <output.db>
// The output is written whole or not at all; on any problem the messages go to stderr
// and the exit status is 1.
#include "formdescriptionparser.h"
#include "formtemplate.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "uso: formtemplate <descripción.form> <plantilla.db>\n");
        return 2;
    }
    QStringList errors;
    const auto form = FormDescriptionParser::parseFile(args[1], &errors);
    QString error;
    if (form && !FormTemplate::write(*form, args[2], &error))
        errors << error;
    for (const QString &e : std::as_const(errors))
        std::fprintf(stderr, "%s\n", qPrintable(e));
    return errors.isEmpty() ? 0 : 1;
}
