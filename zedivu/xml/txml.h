#pragma once
// The exchange-XML writer. Every form window owns one; its PrepararXML writes the form's
// part of the exchange file through it:
//
//     xml.Limpiar();
//     xml.AbrirNodo("FORMULARIO");                 // a plain node
//     xml.Hijo("TISO_CODIGO", TisoCodigo);        // FORMULARIO.TISO_CODIGO
//     xml.AbrirNodo("RODAL", adtKELU_desc);       // repeats over the dataset's records
//     xml.HijoCampo("NUMERO", "num");             // children of the first record...
//     xml.HijoCampo("ESPECIE", "esp", tsmEspecieKELU);
//     xml.HijoCampo("ESTADO", "est_san", dbgKELU_desc->ColumnByFieldName("est_san"));
//     xml.CerrarNodo();                           // ...written again for every further record
//     xml.CerrarNodo();
//     return xml.Texto();
//
// Elements: a node is named by its own name, a child by the name of its node, a point and
// its tag, all upper case (RODAL.NUMERO). Values are trimmed; values taken from fields and
// grid columns are also upper-cased (Mayusculas); literals keep their case. Field texts
// follow the program's fixed format (numbers "12,5", booleans "TRUE"/"FALSE"), except
// dates, which are written "dd/mm/yyyy". Empty elements are left out of the text; a node
// whose children were all left out keeps its opening and closing lines.
//
// Text: one element per line, four blanks per nesting level, CR LF after every line (a
// line break inside a value is written as CR LF too), no declaration. The bytes are
// ISO-8859-1; a character outside it is written as a character reference (&#8364;);
// & < > are escaped; control characters other than tab and line breaks are left out,
// since XML cannot carry them.
//
// The running number (HijoSecuencia) starts again at 1 with every Limpiar, so exporting
// the same data twice gives the same text and the same hash.
//
// Species and fauna names are turned into agency codes with look-ups on the main
// database `conexion` (not owned; null gives empty codes). Misuse by the form (see each
// operation) throws XmlError. A coded value whose "other" text has gone missing is
// written as "NO ESPECIFICADO" and reported in Avisos(), which the form window shows.
#include "tcolumnaxml.h"
#include "tlistaelementosxml.h"
#include "util_bbdd.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class Connection;
class Dataset;
class Field;

class TXML
{
public:
    explicit TXML(Connection *conexion = nullptr);
    ~TXML();
    TXML(const TXML &) = delete;
    TXML &operator=(const TXML &) = delete;

    Connection *Conexion() const { return m_conexion; }
    void setConexion(Connection *conexion) { m_conexion = conexion; }

    // Empties the document, closes every open node, clears Avisos and sets Contador to 1.
    void Limpiar();

    // A plain node under the current one, which becomes current.
    void AbrirNodo(const QString &nombre);
    // A node repeated once per record of `ds` (not owned). The dataset is put on its first
    // record; the children added until CerrarNodo are those of that record. Throws XmlError
    // when `ds` is null or will not go to its first record.
    void AbrirNodo(const QString &nombre, Dataset *ds);
    // Closes the innermost node. A repeating node over an empty dataset is taken out with
    // its children (fixed ones too). For a repeating node, a sibling of the same name is
    // written for every further record with the registered children in registration
    // order; the dataset is left on its last record. A repeating node nested in another
    // repeats only within the outer node's first record. Throws XmlError when no node is open.
    void CerrarNodo();

    // An empty child (left out of the text, but it keeps its parent's lines).
    void Hijo(const QString &tag);
    void Hijo(const QString &tag, int valor);
    // A literal value, trimmed, case kept; repeated as is in further records.
    void Hijo(const QString &tag, const QString &valor, TTipoSeleccionMultiple tsm = tsmNinguno);
    // A literal code through the column rule; repeated as is in further records.
    void Hijo(const QString &tag, const QString &valor, const TColumnaXML &columna);
    // A field's value of the current record, through the column or the field rule; nothing
    // when the field is null, its text empty or `campo` null. Registers nothing.
    void Hijo(const QString &tag, const Field *campo, const TColumnaXML &columna);
    void Hijo(const QString &tag, const Field *campo, TTipoSeleccionMultiple tsm = tsmNinguno);
    // The field `campo` of the innermost node's dataset, through the field or the column
    // rule, for the current record and every further one. Throws XmlError when the
    // innermost node does not repeat over a dataset or the dataset lacks the field.
    void HijoCampo(const QString &tag, const QString &campo, TTipoSeleccionMultiple tsm = tsmNinguno);
    void HijoCampo(const QString &tag, const QString &campo, const TColumnaXML &columna);
    // The running number, then Contador + 1; a new number in every record.
    void HijoSecuencia(const QString &tag);

    // One element and nothing registered: the trimmed value (also when empty).
    void ImprimirTag(const QString &tag, const QString &valor);
    // Column rule: an integer code. A code >= 0 is written as is; a negative code (a free
    // "other" entry) writes the column's "other" code, and the text the pick list shows
    // for it, upper-cased, in the element tag + "_OTRO". An empty or non-integer value
    // writes nothing.
    void ImprimirTag(const QString &tag, const QString &valor, const TColumnaXML &columna);
    // Field rule: nothing for a null field. Species kinds and tsmFlora write one element
    // per name of the comma-separated list, holding the species' code; tsmFauna the same
    // with the fauna code of the name before "("; every other kind the field's text.
    void ImprimirTag(const QString &tag, const Field *campo, TTipoSeleccionMultiple tsm);

    // The document's text as ISO-8859-1 bytes, exactly what is written and hashed.
    QByteArray Texto() const;
    // MD5 of Texto() as 32 upper-case hexadecimal digits.
    QString Hash() const;
    // MD5 of any bytes as 32 upper-case hexadecimal digits (the exchange file's seal).
    static QString HashDe(const QByteArray &bytes);

    // The next running number.
    int Contador() const { return m_contador; }
    // Open nodes, the innermost last.
    int Profundidad() const { return int(m_pila.size()); }
    const TListaElementosXML *NodoAbierto(int i) const { return m_pila.at(std::size_t(i)).get(); }
    // Messages for the user collected since Limpiar (a coded "other" value not found).
    QStringList Avisos() const { return m_avisos; }

private:
    struct Elemento
    {
        QString nombre;
        QString texto;
        int padre = -1;
        int primerHijo = -1;
        int ultimoHijo = -1;
        int siguiente = -1;
    };

    int agregar(int padre, const QString &nombre, const QString &texto);
    // Takes the last child of `padre` out of the tree.
    void desenlazarUltimo(int padre);
    QString nombreHijo(const QString &tag) const;
    TListaElementosXML *listaConDataset(const QString &tag, const QString &campo) const;
    void reglaCampo(const QString &nombre, const Field *campo, TTipoSeleccionMultiple tsm);
    void reglaColumna(const QString &nombre, const QString &tag, const QString &valor, const TColumnaXML &columna);
    QString codigoEspecie(const QString &nombreEspecie) const;
    QString codigoFauna(const QString &nombreFauna) const;
    void escribir(QByteArray &salida, int elemento, int nivel) const;

    Connection *m_conexion;
    std::vector<Elemento> m_elementos; // [0] is the document
    int m_actual = 0;                   // NodoActual
    int m_contador = 1;
    std::vector<std::unique_ptr<TListaElementosXML>> m_pila;
    QStringList m_avisos;
};
