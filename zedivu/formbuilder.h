#pragma once
// Makes a form window's contents from its description: the page control (hidden tabs),
// one page per described page with its groups, labels, data-aware controls, navigators,
// buttons and grids, the datasets of the working tables (attached to `working`) and of
// the queries (attached to `working` or `main`), their data sources and master-detail
// links, lookup and calculated fields. Every component is a child of `window` named as
// the description says (findComponent<T>(window, name)).
//
// The page control goes into `window`'s layout (a vertical layout is created when the
// window has none). Datasets are not opened: BuiltForm::openDatasets does that, or the
// form framework when it points the connection at the working copy; field labels and
// read-only marks are applied whenever a dataset opens, and every control resolves its
// field then. Layout is automatic: groups stacked, labelled fields in label/field rows,
// grids and memos across the width.
#include "builtform.h"

class Connection;
class QWidget;

class FormBuilder
{
public:
    static BuiltForm *build(const FormDescription &description, QWidget *window, Connection *working, Connection *main);
    // The same from the description a form plug-in embeds as ":/forms/<codigo>.form". A
    // damaged description is a programming fault: reported, and nothing is built (nullptr).
    static BuiltForm *buildEmbedded(const QString &codigo, QWidget *window, Connection *working, Connection *main);
};
