#pragma once
// The base of the generic form's embedded sections: a frame that the form creates on a
// page of its own for a section its main-database rows name. The frame owns its datasets
// on the form's working database (opened by InicializarConexion) and writes its part of
// the printout and of the exchange XML. The form owns the frame; the frame never outlives
// the connection it was given.
#include <QFrame>
#include <QString>

class Connection;
class TCustomMDIChild;
class TImpresion;
class TXML;

class TFrameLumo : public QFrame
{
    Q_OBJECT

public:
    // `nombreDiseno` is the name rows use for the frame ("lumoFrm_plga"); the form renames
    // the instance to it followed by the section's row index.
    TFrameLumo(QWidget *parent, const QString &nombreDiseno);

    QString NombreDiseno() const { return m_nombreDiseno; }

    // Called once by the form, right after construction; the base does nothing.
    virtual void InicializarConexion(Connection *conexion, TCustomMDIChild *form);
    // Writes the frame's elements into the form's writer; the base writes nothing.
    virtual void getXML(TXML *xml);
    // Prints the frame's section, `titulo` being its title in the outline; the base
    // prints nothing.
    virtual void getImpresion(const QString &pagina, const QString &titulo, TImpresion *impresion);

private:
    QString m_nombreDiseno;
};
