#pragma once
// The print layout layer every form's ComponerImpresion writes to. It keeps a cursor in
// millimetres inside the printable area, measures every text, box, image and table before
// it draws it, and records the drawing steps of a block in a TSeccion, so that a block is
// never split across two pages: a block that does not fit on the rest of the page is drawn
// at the top of the next one, below the page header (recorded once, replayed on every later
// page).
//
// Calling order of a form's printout:
//   IniDocumento();
//   IniEncabezado(); Imagen(logo ...); Texto("Form. ..."); FinEncabezado();
//   Seccion();
//   ... placing operations of a block ...; Seccion();    (one Seccion per block)
//   NuevaPagina(toApaisado) where a fresh (landscape) page is needed
//   FinDocumento();   (places the block still open)
//
// Drawing goes to the preview control (not owned) through its canvas. Problems that are
// not the form's fault (an image file that is missing or unreadable) are kept in Avisos()
// for the caller to show; nothing stops the printout.
#include "tipos_impresion.h"
#include "tseccion.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class DBComboBox;
class DBDateEdit;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DBMemo;
class Field;
class GridColumn;
class QLineEdit;
class TPgCanvas;
class TPgGraphic;
class TPgPreview;
class TRegistroImpresion;

// Font size (points) chosen by the last Tabla and used by its header and footer rows.
extern int tamano_fte_tabla;

class TImpresion
{
public:
    // Binds to the preview's new-page notification and sets its margins; runs the new-page
    // set-up once for the page the preview already holds.
    explicit TImpresion(TPgPreview *vista);
    ~TImpresion();
    TImpresion(const TImpresion &) = delete;
    TImpresion &operator=(const TImpresion &) = delete;

    // Usable width and height of the page (mm); set by the new-page set-up, by the print
    // commands after choosing the paper, and by NuevaPagina(toApaisado).
    double AnchoUtil = 0;
    double AltoUtil = 0;
    TPgPreview *Vista = nullptr;
    TPgCanvas *Lienzo = nullptr;
    // The cursor, from the top-left corner of the printable area.
    double PosX = 0;
    double PosY = 0;
    // PosY right below the page header.
    double PosYEncabezado = 0;
    // True only while a block is being placed on the page.
    bool Dibujar = false;

    TSeccion *Encabezado() const { return m_encabezado.get(); }
    TSeccion *SeccionActual() const { return m_seccion.get(); }

    // --- document
    void IniDocumento();
    // Places the block still open, drops the header, ends the update and shows page 1.
    void FinDocumento();
    // The page size (portrait width and height, mm).
    void SetTamano(double ancho, double alto);
    // The preview's new-page handler: usable size from the page, cursor to the top, and on
    // every page after the first the recorded header, leaving the cursor below it.
    void NuevaHojaVista();

    // --- cursor
    TDimensiones DeltaX(double dx);
    TDimensiones DeltaY(double dy);
    TDimensiones Cr();
    TDimensiones Lf();
    TDimensiones CrLf();
    TDimensiones CrLf2();
    TDimensiones CrLf4();

    // --- blocks and pages
    void IniEncabezado();
    void FinEncabezado();
    // Ends the block being recorded (it is placed now) and starts the next one.
    void Seccion();
    // Places a recorded block; a block that ends below the usable height goes to a new page.
    void Imprimir(TSeccion *seccion);
    // Ends the block and makes the next one start a new page; toApaisado turns the pages
    // from there on to landscape (earlier pages keep theirs).
    void NuevaPagina(TOrientacion orientacion);

    // --- text
    double AlturaCuadroTexto(double ancho, const QString &texto);
    TDimensiones ComunTexto(const QString &texto, TAlineamiento alineamiento);
    // Times New Roman 11.
    TDimensiones Texto(const QString &texto, TAlineamiento alineamiento);
    // Times New Roman 14 bold, centred; leaves 12 normal.
    TDimensiones Titulo(const QString &texto);
    // Times New Roman 12 bold; leaves 12 normal.
    TDimensiones SubTitulo(const QString &texto, TAlineamiento alineamiento);
    TDimensiones CuadroTexto(double ancho, double alto, const QString &texto, TAlineamiento alineamiento,
                             double margen, bool marco);
    TDimensiones DibujarCuadroTexto(double ancho, double alto, const QString &texto, TAlineamiento alineamiento,
                                    double margen, bool marco);

    // --- labelled fields: the label in 11 points, the value in a 12-point box; an empty
    // value prints an empty box. The cursor ends at the bottom right of the field.
    TDimensiones Campo(const QString &etiqueta, const QString &valor, TLabelPosition posicion);
    TDimensiones Campo(const QString &etiqueta, const Field *valor, TLabelPosition posicion);
    TDimensiones Campo(const QString &etiqueta, const QLineEdit *valor, TLabelPosition posicion);
    TDimensiones Campo(const QString &etiqueta, const DBEdit *valor, TLabelPosition posicion);
    TDimensiones Campo(const QString &etiqueta, const DBDateEdit *valor, TLabelPosition posicion);
    TDimensiones Campo(const QString &etiqueta, const DBComboBox *valor, TLabelPosition posicion);
    TDimensiones Campo(const QString &etiqueta, const DBMemo *valor, TLabelPosition posicion);
    TDimensiones Campo(const QString &etiqueta, const DBLookupComboBox *valor, TLabelPosition posicion);
    TDimensiones TextoCampo(const QString &etiqueta, const QString &valor, TLabelPosition posicion);

    // --- tables: the grid's visible columns, their "|"-grouped titles, every record of its
    // dataset and its footer row. Widths come from the columns' character widths and
    // shrink to the usable width; the font shrinks with them (tamano_fte_tabla).
    TDimensiones Tabla(DBGrid *grid);
    // anchos[0] is the indent before the first column, anchos[1..n] the column widths.
    TDimensiones TablaEncabezado(DBGrid *grid, const QList<double> &anchos, bool marco);
    TDimensiones TablaDatos(DBGrid *grid, const QList<double> &anchos, bool marco);
    TDimensiones TablaPie(DBGrid *grid, const QList<double> &anchos, bool marco);
    // The columns a table prints: the visible ones, in order.
    static QList<GridColumn *> ColumnasImpresas(const DBGrid *grid);
    // Printed width (mm) of a column before shrinking: two millimetres per character of its
    // field's display width.
    static double AnchoColumna(const GridColumn *columna);
    // The table font size for a ratio of summed widths to the usable width.
    static int TamanoFuenteTabla(double razon);

    // --- images: a bitmap on a line of its own, `escala` times its size at 96 dpi.
    TDimensiones Imagen(const QString &archivo, double escala, TAlineamiento alineamiento);
    TDimensiones DibujarImagen(const QString &archivo, double escala);

    // Problems met while laying out (missing image files), each once, for the caller.
    const QStringList &Avisos() const { return m_avisos; }

    // Every step that reaches a page is also written here (not owned; null: none).
    void setRegistro(TRegistroImpresion *registro) { m_registro = registro; }

private:
    void fuente(const QString &nombre, int tamano, bool negrita);
    void brocha(int color);
    void nuevaSeccion(double inicio);
    void aplicarFuente(const QString &nombre, int tamano, bool negrita);
    // Widens the columns narrower than their widest word (title or data) at the table font,
    // taking the difference from the others in proportion to what they have to spare.
    void anchosConPalabras(DBGrid *grid, QList<double> &anchos);
    // Records the table's header rows into the block being recorded.
    TDimensiones registrarEncabezadoTabla(DBGrid *grid, const QList<double> &anchos, bool marco);
    // Records a data row; one taller than a page can hold under the table's titles is cut
    // between words: what fits here, the rest on the next pages under the titles repeated.
    void filaDatos(DBGrid *grid, QStringList textos, double alto, const QList<TAlineamiento> &alineaciones,
                   const QList<double> &anchos, bool marco);
    // Records a box of text at the cursor; one taller than any page could hold it is cut
    // between words in the same way, and the cursor left where the whole box would start.
    TDimensiones cuadroPartido(TTipoElemento tipo, double ancho, double alto, const QString &texto,
                               TAlineamiento alineamiento, double margen, bool marco);
    // The longest head of `texto`, cut before a word, whose box `ancho` wide is at most
    // `alto` tall; `resto` gets what follows. Empty when not even the first word fits.
    QString cabezaQueCabe(double ancho, const QString &texto, double alto, QString &resto);
    // Places the block being recorded and goes on recording at the top of a new page.
    void seguirEnPaginaNueva();
    // Moves the block being recorded, unplaced, to the top of a new page.
    void bloqueAPaginaNueva();
    // Records one row of framed cells (one per text) and moves below it; returns its width.
    double filaTabla(const QStringList &textos, const QList<TAlineamiento> &alineaciones, double alto,
                     const QList<double> &anchos, bool marco);
    std::shared_ptr<TPgGraphic> imagen(const QString &archivo);
    void avisar(const QString &aviso);
    double lineaMm();

    std::unique_ptr<TSeccion> m_encabezado;
    std::unique_ptr<TSeccion> m_seccion;
    QHash<QString, std::shared_ptr<TPgGraphic>> m_imagenes;
    QStringList m_avisos;
    TRegistroImpresion *m_registro = nullptr;
    // Height of the last table header recorded, joints included.
    double m_altoEncabezadoTabla = 0;
};
