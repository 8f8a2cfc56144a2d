#pragma once
// A form window built from the description its plug-in embeds (":/forms/<CODE>.form"):
// it owns the connections to its working copy and to the main database and what the
// description built. A form plug-in derives from it and adds only its rules, printout
// and exchange XML; its Nuevo starts with NuevoDescrito.
#include "tcustommdichild.h"

class BuiltForm;

class TFormDescrito : public TCustomMDIChild
{
    Q_OBJECT

public:
    // `codigo` in upper case ("KELU"); the window is named "Form" + codigo.
    TFormDescrito(QWidget *owner, const QString &codigo);

    // Pages, datasets and data sources of the description; null when it failed to load
    // (reported at construction).
    BuiltForm *Formulario() const { return m_formulario; }

protected:
    // The set-up every described form's Nuevo shares: outline, first page, connections,
    // main dataset, pages at the described size, and the property button (when the
    // description has one) opening the property register. False when nothing was built.
    bool NuevoDescrito();
    // Maximised inside the document area, or on its own when it has no frame yet.
    void Maximizar();

    Connection *m_conexion;
    Connection *m_conexionPpal;
    BuiltForm *m_formulario = nullptr;
};
