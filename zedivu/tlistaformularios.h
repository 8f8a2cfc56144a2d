#pragma once
// The form types and form combinations of the main database (tables tiposolicitud and
// formularios). Every question is one query on the stored file, at the moment it is
// asked; nothing is cached. A code or combination that is not in the tables answers -1
// (numbers) or "" (texts); so does a database that cannot be read.
#include <QString>

class TListaFormularios
{
public:
    void SetBBDD(const QString &archivo) { m_archivo = archivo; }
    QString BBDD() const { return m_archivo; }

    // Number of form types / of combinations; 0 when the database cannot be read.
    int ObtenerCantidad() const;
    int ObtenerCombinaciones() const;
    // tiso_numero (1..n) of a form code.
    int GetIndice(const QString &codigo) const;
    // tiso_codigo, the agency type code, of a form code.
    int GetCodigo(const QString &codigo) const;
    // Form code (upper case) of list index i (tiso_numero i + 1).
    QString GetAbreviacion(int i) const;
    QString GetNombre(const QString &codigo) const;
    // The full title; for the generic form "LUMO" the combination's title without backslashes.
    QString GetNombreCompleto(const QString &codigo, int combinacion) const;
    // Extension (upper case), description, and the three form codes of a combination.
    QString GetCombinacionExtension(int id) const;
    QString GetCombinacionNombre(int id) const;
    QString GetCombinacionPrincipal(int id) const;
    QString GetCombinacionSolicitud(int id) const;
    QString GetCombinacionOpcional1(int id) const;

private:
    int entero(const QString &sql, const QVariant &valor) const;
    QString texto(const QString &sql, const QVariant &valor) const;

    QString m_archivo;
};
