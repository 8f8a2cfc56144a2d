#include "timpresion.h"

#include "dataset.h"
#include "dbcombobox.h"
#include "dbdateedit.h"
#include "dbedit.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "fallaprogramacion.h"
#include "field.h"
#include "gridcolumn.h"
#include "tpgcanvas.h"
#include "tpggraphic.h"
#include "tpgpreview.h"
#include "tregistroimpresion.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

int tamano_fte_tabla = 11;

namespace {

const QString kFuente = QStringLiteral("Times New Roman");
constexpr int kGrisClaro = 15790320;
constexpr int kBlanco = 16777215;
// A header cell holds at most this many characters.
constexpr int kMaxTextoCelda = 80;
// Extra width given to a measured text so that rounding never wraps it.
constexpr double kHolguraTexto = 1.1;
// Frames of table cells: margin inside each box, and the gap that two boxes share.
constexpr double kMargenCelda = 0.1;
constexpr double kJuntaCelda = 0.2;

TPgAlignment alineacionPg(TAlineamiento a)
{
    return a == taDerecha ? taRightJustify : (a == taCentrado ? taCenter : taLeftJustify);
}

// Line breaks of a caption as one kind, so that what is measured is what is drawn.
QString lineasNormalizadas(QString texto)
{
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texto;
}

// The text a field's value prints as.
QString textoDe(const Field *f)
{
    return f ? f->AsString() : QString();
}

// The text a grid column prints in record r: a pick-list column its shown choice, a check
// column "Sí" or "No" as on screen.
QString textoCelda(GridColumn *col, Dataset *ds, int r)
{
    const Field *f = col->field();
    if (!col->PickList().isEmpty())
        return col->DisplayTextAt(r);
    if (!f)
        return QString();
    const QVariant v = ds->valueAt(r, f);
    return v.typeId() == QMetaType::Bool ? f->displayTextOf(v) : f->textOf(v);
}

// Width of printed column c (0-based); anchos[0] is the indent.
double anchoDe(const QList<double> &anchos, int c)
{
    return c + 1 < anchos.size() ? anchos.at(c + 1) : 0.0;
}

// One merged cell of a table header.
struct CeldaEncabezado
{
    QString texto;
    int fila = 0;
    int columna = 0;
    int columnas = 1; // columns joined to the right
    int filas = 1;    // rows joined downwards
};

} // namespace

TImpresion::TImpresion(TPgPreview *vista)
    : Vista(vista)
    , Lienzo(&vista->Canvas())
{
    Vista->Margins().GetLeftMargin().SetAsMm(MARGEN_IZQ);
    Vista->Margins().GetRightMargin().SetAsMm(MARGEN_DER);
    Vista->Margins().GetTopMargin().SetAsMm(MARGEN_SUP);
    Vista->Margins().GetBottomMargin().SetAsMm(MARGEN_INF);
    Vista->OnNewPage = [this](TPgPreview *) { NuevaHojaVista(); };
    NuevaHojaVista();
}

TImpresion::~TImpresion()
{
    if (Vista)
        Vista->OnNewPage = nullptr;
}

// --- document

void TImpresion::IniDocumento()
{
    Vista->BeginUpdate();
}

void TImpresion::FinDocumento()
{
    // The last block of a printout (signatures, city and date) is often not followed by a
    // Seccion; it belongs on the page all the same.
    if (m_seccion) {
        Imprimir(m_seccion.get());
        m_seccion.reset();
    }
    m_encabezado.reset();
    Vista->EndUpdate();
    Vista->FirstPage();
}

void TImpresion::SetTamano(double ancho, double alto)
{
    Vista->SetPageSize(alto, ancho, gmMillimeters);
}

void TImpresion::NuevaHojaVista()
{
    Lienzo->SetMeasurement(gmMillimeters);
    AnchoUtil = Vista->GetPageWidth().GetAsMm() - MARGEN_IZQ - MARGEN_DER;
    AltoUtil = Vista->GetPageHeight().GetAsMm() - MARGEN_SUP - MARGEN_INF - RESERVA_PIE;
    PosX = 0;
    PosY = 0;
    if (m_registro) {
        TPasoImpresion paso;
        paso.tipo = TPasoImpresion::PaginaNueva;
        paso.pagina = Vista->GetNumPages();
        paso.ancho = Vista->GetPageWidth().GetAsMm();
        paso.alto = Vista->GetPageHeight().GetAsMm();
        paso.apaisada = paso.ancho > paso.alto;
        m_registro->Pasos.append(paso);
    }
    if (Vista->GetNumPages() > 1 && m_encabezado) {
        // The block that asked for the page goes on with the font and brush it had.
        const TPgFont fuenteAntes = Lienzo->GetFont();
        const TPgBrush brochaAntes = Lienzo->GetBrush();
        Imprimir(m_encabezado.get());
        Lienzo->GetFont() = fuenteAntes;
        Lienzo->GetBrush() = brochaAntes;
    } else {
        Lienzo->SetFontValues(kFuente, 12, 0, clBlack);
    }
}

// --- cursor

TDimensiones TImpresion::DeltaX(double dx)
{
    if (!Dibujar && m_seccion)
        m_seccion->Agregar(teMovimientoX, QString(), false, taNinguno, 0, 0, dx);
    PosX += dx;
    return {dx, 0};
}

TDimensiones TImpresion::DeltaY(double dy)
{
    if (!Dibujar && m_seccion)
        m_seccion->Agregar(teMovimientoY, QString(), false, taNinguno, 0, dy, 0);
    PosY += dy;
    return {0, dy};
}

TDimensiones TImpresion::Cr()
{
    return DeltaX(-PosX);
}

double TImpresion::lineaMm()
{
    return Lienzo->TextHeight(QStringLiteral("@")).GetAsMm();
}

TDimensiones TImpresion::Lf()
{
    return DeltaY(lineaMm());
}

TDimensiones TImpresion::CrLf()
{
    Cr();
    return Lf();
}

TDimensiones TImpresion::CrLf2()
{
    Cr();
    return DeltaY(lineaMm() / 2);
}

TDimensiones TImpresion::CrLf4()
{
    Cr();
    return DeltaY(lineaMm() / 4);
}

// --- blocks and pages

void TImpresion::nuevaSeccion(double inicio)
{
    m_seccion = std::make_unique<TSeccion>();
    m_seccion->PosYInicio = inicio;
    // A block is drawn in the font it was measured in, not in the one that the blocks
    // measured after it left on the canvas.
    if (Lienzo) {
        const TPgFont &f = Lienzo->GetFont();
        m_seccion->Agregar(teCambioFont, f.Name, false, taNinguno, 0, (f.Style & fsBold) != 0 ? 1 : 0, f.Size);
    }
}

void TImpresion::IniEncabezado()
{
    nuevaSeccion(0);
}

void TImpresion::FinEncabezado()
{
    Cr();
    m_encabezado = std::move(m_seccion);
    Imprimir(m_encabezado.get());
    PosYEncabezado = PosY;
}

void TImpresion::Seccion()
{
    if (m_seccion)
        Imprimir(m_seccion.get());
    nuevaSeccion(PosY);
}

void TImpresion::Imprimir(TSeccion *seccion)
{
    if (!seccion)
        return;
    PosX = 0;
    // A block that draws nothing (line feeds only) never opens a page of its own: the next
    // visible block does, if it must.
    bool visible = false;
    for (int i = 0; i < seccion->Count() && !visible; ++i)
        visible = seccion->Get(i).Tipo == teTexto || seccion->Get(i).Tipo == teCuadro || seccion->Get(i).Tipo == teImagen;
    if (visible && PosY > AltoUtil) {
        Vista->NewPage();
        seccion->PosYInicio = PosY;
    }
    PosY = seccion->PosYInicio;
    Dibujar = true;
    for (int i = 0; i < seccion->Count(); ++i) {
        const TElementoSeccion &e = seccion->Get(i);
        switch (e.Tipo) {
        case teMovimientoX:
            PosX += e.Ancho;
            break;
        case teMovimientoY:
            PosY += e.Alto;
            break;
        case teTexto:
            Lienzo->GetPen().Style = psClear;
            DibujarCuadroTexto(e.Ancho, e.Alto, e.Texto, e.Alineamiento, e.Margen, e.Marco);
            break;
        case teCuadro:
            DibujarCuadroTexto(e.Ancho, e.Alto, e.Texto, e.Alineamiento, e.Margen, e.Marco);
            break;
        case teImagen:
            DibujarImagen(e.Texto, e.Margen);
            break;
        case teCambioFont:
            aplicarFuente(e.Texto, e.Ancho > 0 ? int(std::lround(e.Ancho)) : 0, e.Alto == 1);
            break;
        case teCambioBrush:
            if (e.Ancho > 0)
                Lienzo->GetBrush().Color = TColor(std::lround(e.Ancho));
            break;
        case teCambioPagina:
            break;
        }
    }
    PosX = 0;
    Dibujar = false;
}

void TImpresion::NuevaPagina(TOrientacion orientacion)
{
    if (m_seccion) {
        Imprimir(m_seccion.get());
        m_seccion.reset();
    }
    PosY = AltoUtil + 1;
    if (orientacion == toApaisado && Vista->Orientation() != gmLandscape) {
        // The preview turns every page; the pages already printed keep their orientation.
        QList<TPgOrientation> anteriores;
        for (int p = 1; p <= Vista->GetNumPages(); ++p)
            anteriores.append(Vista->Page(p)->Orientation());
        Vista->SetOrientation(gmLandscape);
        for (int p = 1; p <= anteriores.size(); ++p)
            Vista->Page(p)->SetOrientation(anteriores.at(p - 1));
        AnchoUtil = Vista->GetPageWidth().GetAsMm() - MARGEN_IZQ - MARGEN_DER;
        AltoUtil = Vista->GetPageHeight().GetAsMm() - MARGEN_SUP - MARGEN_INF - RESERVA_PIE;
    }
    nuevaSeccion(PosY);
}

// --- text

void TImpresion::aplicarFuente(const QString &nombre, int tamano, bool negrita)
{
    TPgFont &f = Lienzo->GetFont();
    if (!nombre.isEmpty())
        f.Name = nombre;
    if (tamano > 0)
        f.Size = tamano;
    f.Style = negrita ? TPgFontStyles(fsBold) : TPgFontStyles(0);
}

void TImpresion::fuente(const QString &nombre, int tamano, bool negrita)
{
    aplicarFuente(nombre, tamano, negrita);
    if (!Dibujar && m_seccion)
        m_seccion->Agregar(teCambioFont, nombre, false, taNinguno, 0, negrita ? 1 : 0, tamano);
}

void TImpresion::brocha(int color)
{
    if (color > 0)
        Lienzo->GetBrush().Color = TColor(color);
    if (!Dibujar && m_seccion)
        m_seccion->Agregar(teCambioBrush, QString(), false, taNinguno, 0, 0, color);
}

double TImpresion::AlturaCuadroTexto(double ancho, const QString &texto)
{
    return Lienzo->TextBoxHeight(qint32(std::lround(ancho * 100)), texto).GetAsMm();
}

TDimensiones TImpresion::ComunTexto(const QString &texto, TAlineamiento alineamiento)
{
    const double w = Lienzo->TextExtent(texto).Width.GetAsMm();
    const double b = AnchoUtil >= w + kHolguraTexto ? w + kHolguraTexto : AnchoUtil;
    if (alineamiento == taDerecha)
        DeltaX(AnchoUtil - b);
    else if (alineamiento == taCentrado)
        DeltaX((AnchoUtil - b) / 2);
    const double h = AlturaCuadroTexto(b, texto);
    return cuadroPartido(teTexto, b, h, texto, alineamiento, 0, false);
}

TDimensiones TImpresion::Texto(const QString &texto, TAlineamiento alineamiento)
{
    fuente(kFuente, 11, false);
    const TDimensiones r = ComunTexto(texto, alineamiento);
    DeltaX(r.Ancho);
    DeltaY(r.Alto);
    return r;
}

TDimensiones TImpresion::Titulo(const QString &texto)
{
    fuente(kFuente, 14, true);
    const TDimensiones r = ComunTexto(texto, taCentrado);
    fuente(kFuente, 12, false);
    DeltaX(r.Ancho);
    DeltaY(r.Alto);
    return r;
}

TDimensiones TImpresion::SubTitulo(const QString &texto, TAlineamiento alineamiento)
{
    fuente(kFuente, 12, true);
    const TDimensiones r = ComunTexto(texto, alineamiento);
    fuente(kFuente, 12, false);
    DeltaX(r.Ancho);
    DeltaY(r.Alto);
    return r;
}

TDimensiones TImpresion::CuadroTexto(double ancho, double alto, const QString &texto, TAlineamiento alineamiento,
                                     double margen, bool marco)
{
    if (m_seccion)
        m_seccion->Agregar(teCuadro, texto, marco, alineamiento, margen, alto, ancho);
    const TDimensiones r = DibujarCuadroTexto(ancho, alto, texto, alineamiento, margen, marco);
    DeltaX(r.Ancho);
    DeltaY(r.Alto);
    return r;
}

TDimensiones TImpresion::DibujarCuadroTexto(double ancho, double alto, const QString &texto,
                                            TAlineamiento alineamiento, double margen, bool marco)
{
    if (Dibujar) {
        const double x = MARGEN_IZQ + PosX;
        const double y = MARGEN_SUP + PosY;
        if (marco)
            Lienzo->Rectangle(x, y, x + ancho + 2 * margen, y + alto + 2 * margen);
        Lienzo->GetPen().Style = psClear;
        const bool conTexto = alineamiento == taIzquierda || alineamiento == taDerecha || alineamiento == taCentrado;
        if (conTexto)
            Lienzo->TextBoxExt(x + margen, y + margen, x + margen + ancho, y + margen + alto, texto,
                               alineacionPg(alineamiento), vaTop, gmMillimeters);
        if (m_registro && (marco || conTexto)) {
            TPasoImpresion paso;
            paso.tipo = marco ? TPasoImpresion::Cuadro : TPasoImpresion::Texto;
            paso.pagina = Vista->GetNumPages();
            paso.x = x;
            paso.y = y;
            paso.ancho = ancho + 2 * margen;
            paso.alto = alto + 2 * margen;
            paso.texto = conTexto ? texto : QString();
            paso.marco = marco;
            paso.tamanoFuente = Lienzo->GetFont().Size;
            paso.negrita = (Lienzo->GetFont().Style & fsBold) != 0;
            paso.alineamiento = alineamiento;
            m_registro->Pasos.append(paso);
        }
    }
    Lienzo->GetPen().Style = psSolid;
    return {ancho + 2 * margen, alto + 2 * margen};
}

// --- labelled fields

TDimensiones TImpresion::Campo(const QString &etiqueta, const QString &valor, TLabelPosition posicion)
{
    return TextoCampo(etiqueta, valor, posicion);
}

TDimensiones TImpresion::Campo(const QString &etiqueta, const Field *valor, TLabelPosition posicion)
{
    return TextoCampo(etiqueta, textoDe(valor), posicion);
}

TDimensiones TImpresion::Campo(const QString &etiqueta, const QLineEdit *valor, TLabelPosition posicion)
{
    return TextoCampo(etiqueta, valor ? valor->text() : QString(), posicion);
}

TDimensiones TImpresion::Campo(const QString &etiqueta, const DBEdit *valor, TLabelPosition posicion)
{
    return TextoCampo(etiqueta, valor ? textoDe(valor->field()) : QString(), posicion);
}

TDimensiones TImpresion::Campo(const QString &etiqueta, const DBDateEdit *valor, TLabelPosition posicion)
{
    return TextoCampo(etiqueta, valor ? valor->text() : QString(), posicion);
}

TDimensiones TImpresion::Campo(const QString &etiqueta, const DBComboBox *valor, TLabelPosition posicion)
{
    return TextoCampo(etiqueta, valor ? textoDe(valor->field()) : QString(), posicion);
}

TDimensiones TImpresion::Campo(const QString &etiqueta, const DBMemo *valor, TLabelPosition posicion)
{
    return TextoCampo(etiqueta, valor ? valor->toPlainText() : QString(), posicion);
}

TDimensiones TImpresion::Campo(const QString &etiqueta, const DBLookupComboBox *valor, TLabelPosition posicion)
{
    return TextoCampo(etiqueta, valor ? valor->currentText() : QString(), posicion);
}

TDimensiones TImpresion::TextoCampo(const QString &etiqueta, const QString &valorDado, TLabelPosition posicion)
{
    fuente(kFuente, 11, false);
    TDimensiones l;
    if (!etiqueta.isEmpty())
        l = ComunTexto(etiqueta + QLatin1Char(' '), taIzquierda);
    if (posicion == lpLeft)
        DeltaY(-0.5);
    const QString valor = valorDado.isEmpty() ? QString(22, QLatin1Char(' ')) : valorDado;
    fuente(kFuente, 12, false);
    if (posicion == lpAbove) {
        DeltaY(l.Alto);
    } else if (posicion == lpLeft) {
        DeltaX(l.Ancho);
        DeltaY(-0.5);
    }
    double b = AnchoUtil - PosX;
    const double necesario = Lienzo->TextWidth(valor).GetAsMm() + kHolguraTexto;
    if (b > necesario)
        b = necesario;
    const double h = AlturaCuadroTexto(b, valor);
    const TDimensiones v = cuadroPartido(teCuadro, b, h, valor, taIzquierda, 0.6, false);

    TDimensiones r;
    if (posicion == lpLeft) {
        DeltaX(-l.Ancho);
        r.Ancho = l.Ancho + v.Ancho;
        DeltaY(0.5);
        r.Alto = l.Alto + v.Alto;
    } else {
        // Above (and the positions forms do not use): the label over the box.
        if (posicion == lpAbove)
            DeltaY(-l.Alto);
        r.Ancho = std::max(l.Ancho, v.Ancho);
        r.Alto = l.Alto + v.Alto;
    }
    DeltaX(r.Ancho);
    DeltaY(r.Alto);
    return r;
}

// --- tables

QList<GridColumn *> TImpresion::ColumnasImpresas(const DBGrid *grid)
{
    QList<GridColumn *> columnas;
    if (!grid)
        return columnas;
    for (int i = 0; i < grid->ColumnCount(); ++i)
        if (GridColumn *c = grid->Columns(i); c && c->Visible())
            columnas.append(c);
    return columnas;
}

double TImpresion::AnchoColumna(const GridColumn *columna)
{
    // The field's display width, not the column's width on screen: resizing a column
    // never changes the printout.
    const Field *campo = columna->field();
    return 2.0 * (campo ? campo->DisplayWidth() : 10) + 0.1;
}

int TImpresion::TamanoFuenteTabla(double razon)
{
    if (razon > 1.7)
        return 6;
    if (razon > 1.6)
        return 7;
    if (razon > 1.4)
        return 8;
    if (razon > 1.3)
        return 9;
    if (razon > 1)
        return 10;
    return 11;
}

TDimensiones TImpresion::Tabla(DBGrid *grid)
{
    CrLf4();
    const QList<GridColumn *> columnas = ColumnasImpresas(grid);
    QList<double> anchos{0};
    double total = 0;
    for (GridColumn *c : columnas) {
        anchos.append(AnchoColumna(c));
        total += anchos.last();
    }
    const double razon = AnchoUtil > 0 ? total / AnchoUtil : 1;
    // Every cell takes kJuntaCelda beside its width: the widths share what is left of the
    // usable width, so that the table ends inside the right margin.
    const double disponible = AnchoUtil - kJuntaCelda * double(columnas.size());
    if (total > disponible && disponible > 0)
        for (int i = 1; i < anchos.size(); ++i)
            anchos[i] = anchos[i] * disponible / total;
    tamano_fte_tabla = TamanoFuenteTabla(razon);
    anchosConPalabras(grid, anchos);

    TDimensiones r;
    const TDimensiones e = TablaEncabezado(grid, anchos, true);
    const TDimensiones d = TablaDatos(grid, anchos, true);
    r.Ancho = std::max(e.Ancho, d.Ancho);
    r.Alto = e.Alto + d.Alto;
    if (grid && grid->FooterRowCount() > 0 && grid->SumListActive()) {
        const TDimensiones p = TablaPie(grid, anchos, true);
        r.Ancho = std::max(r.Ancho, p.Ancho);
        r.Alto += p.Alto;
    }
    Seccion();
    fuente(kFuente, 12, false);
    return r;
}

void TImpresion::anchosConPalabras(DBGrid *grid, QList<double> &anchos)
{
    const QList<GridColumn *> columnas = ColumnasImpresas(grid);
    Dataset *ds = grid ? grid->DataSet() : nullptr;
    if (columnas.isEmpty() || !Lienzo)
        return;
    fuente(kFuente, tamano_fte_tabla, false);
    // One font for the whole table: each distinct word is measured once.
    static const QRegularExpression espacios(QStringLiteral("\\s+"));
    QHash<QString, double> anchoPalabra;
    const auto palabraMasAncha = [this, &anchoPalabra](const QString &texto) {
        double w = 0;
        for (const QString &palabra : lineasNormalizadas(texto).split(espacios, Qt::SkipEmptyParts)) {
            auto it = anchoPalabra.constFind(palabra);
            if (it == anchoPalabra.cend())
                it = anchoPalabra.insert(palabra, double(Lienzo->TextExtent(palabra).Width.GetAsMm()));
            w = std::max(w, it.value());
        }
        return w > 0 ? w + kHolguraTexto : 0.0;
    };
    QList<double> minimos;
    for (int c = 0; c < columnas.size(); ++c) {
        GridColumn *col = columnas.at(c);
        // The upper title pieces span several columns; the last one is the column's own.
        const QStringList piezas = col->TitlePieces();
        double minimo = piezas.isEmpty() ? 0 : palabraMasAncha(piezas.last().left(kMaxTextoCelda));
        if (ds && ds->Active())
            for (int r = 0; r < ds->rowCount(); ++r)
                minimo = std::max(minimo, palabraMasAncha(textoCelda(col, ds, r)));
        minimos.append(minimo);
    }
    double falta = 0;
    double sobra = 0;
    for (int c = 0; c < columnas.size(); ++c) {
        falta += std::max(0.0, minimos.at(c) - anchoDe(anchos, c));
        sobra += std::max(0.0, anchoDe(anchos, c) - minimos.at(c));
    }
    // Nothing to mend, or words that cannot all fit: the widths stay as the fields give them.
    if (falta <= 0 || falta > sobra)
        return;
    for (int c = 0; c < columnas.size(); ++c) {
        double &w = anchos[c + 1];
        if (w < minimos.at(c))
            w = minimos.at(c);
        else
            w -= (w - minimos.at(c)) * falta / sobra;
    }
}

TDimensiones TImpresion::TablaEncabezado(DBGrid *grid, const QList<double> &anchos, bool marco)
{
    fuente(kFuente, tamano_fte_tabla, false);
    return registrarEncabezadoTabla(grid, anchos, marco);
}

TDimensiones TImpresion::registrarEncabezadoTabla(DBGrid *grid, const QList<double> &anchos, bool marco)
{
    const QList<GridColumn *> columnas = ColumnasImpresas(grid);
    const int n = int(columnas.size());
    const double y0 = PosY;
    if (n == 0)
        return {};
    const auto ancho = [&anchos](int c) { return anchoDe(anchos, c); };

    // Cell (row, column): piece `row` of the caption, the last piece repeating downwards.
    QList<QStringList> piezas;
    int filas = 1;
    for (GridColumn *c : columnas) {
        QStringList p = c->TitlePieces();
        for (QString &s : p)
            s = lineasNormalizadas(s).left(kMaxTextoCelda);
        filas = std::max(filas, int(p.size()));
        piezas.append(p);
    }
    const auto celda = [&piezas](int f, int c) {
        const QStringList &p = piezas.at(c);
        return p.at(std::min(f, int(p.size()) - 1));
    };
    // Two columns share a cell of row f when their captions agree from the top down to f,
    // so that a group never spans columns of different groups above it.
    const auto mismaRama = [&celda](int f, int a, int b) {
        for (int k = 0; k <= f; ++k)
            if (celda(k, a) != celda(k, b))
                return false;
        return true;
    };

    QList<CeldaEncabezado> celdas;
    QList<QList<int>> indice(filas, QList<int>(n, -1)); // cell starting at (f, c), or -1
    for (int f = 0; f < filas; ++f) {
        for (int c = 0; c < n;) {
            CeldaEncabezado ce;
            ce.texto = celda(f, c);
            ce.fila = f;
            ce.columna = c;
            while (c + ce.columnas < n && mismaRama(f, c, c + ce.columnas))
                ++ce.columnas;
            indice[f][c] = int(celdas.size());
            celdas.append(ce);
            c += ce.columnas;
        }
    }
    // A cell absorbs the cell below it when that one has the same text and span.
    QList<bool> absorbida(celdas.size(), false);
    for (int i = 0; i < celdas.size(); ++i) {
        if (absorbida.at(i))
            continue;
        CeldaEncabezado &ce = celdas[i];
        for (int f = ce.fila + 1; f < filas; ++f) {
            const int j = indice.at(f).at(ce.columna);
            if (j < 0 || celdas.at(j).columnas != ce.columnas || celdas.at(j).texto != ce.texto)
                break;
            absorbida[j] = true;
            ++ce.filas;
        }
    }
    const auto anchoCelda = [&](const CeldaEncabezado &ce) {
        double w = 0;
        for (int k = 0; k < ce.columnas; ++k)
            w += ancho(ce.columna + k);
        return w + kJuntaCelda * (ce.columnas - 1);
    };
    // Row heights from the cells of one row; a cell over several rows stretches them
    // evenly when it needs more.
    QList<double> altos(filas, 0.0);
    for (int i = 0; i < celdas.size(); ++i)
        if (!absorbida.at(i) && celdas.at(i).filas == 1)
            altos[celdas.at(i).fila] = std::max(altos.at(celdas.at(i).fila),
                                                AlturaCuadroTexto(anchoCelda(celdas.at(i)), celdas.at(i).texto));
    for (int i = 0; i < celdas.size(); ++i) {
        const CeldaEncabezado &ce = celdas.at(i);
        if (absorbida.at(i) || ce.filas == 1)
            continue;
        double disponible = kJuntaCelda * (ce.filas - 1);
        for (int f = ce.fila; f < ce.fila + ce.filas; ++f)
            disponible += altos.at(f);
        const double falta = AlturaCuadroTexto(anchoCelda(ce), ce.texto) - disponible;
        if (falta > 0)
            for (int f = ce.fila; f < ce.fila + ce.filas; ++f)
                altos[f] += falta / ce.filas;
    }

    brocha(kGrisClaro);
    for (int f = 0; f < filas; ++f) {
        Cr();
        DeltaX(anchos.value(0));
        for (int c = 0; c < n; ++c) {
            const int i = indice.at(f).at(c);
            if (i >= 0 && !absorbida.at(i)) {
                const CeldaEncabezado &ce = celdas.at(i);
                double alto = kJuntaCelda * (ce.filas - 1);
                for (int k = ce.fila; k < ce.fila + ce.filas; ++k)
                    alto += altos.at(k);
                if (m_seccion)
                    m_seccion->Agregar(teCuadro, ce.texto, marco, taCentrado, kMargenCelda, alto, anchoCelda(ce));
                DibujarCuadroTexto(anchoCelda(ce), alto, ce.texto, taCentrado, kMargenCelda, marco);
            }
            DeltaX(ancho(c) + kJuntaCelda);
        }
        DeltaY(altos.at(f) + kJuntaCelda);
    }
    brocha(kBlanco);
    double total = 0;
    for (int c = 0; c < n; ++c)
        total += ancho(c) + kJuntaCelda;
    const TDimensiones r{anchos.value(0) + total, PosY - y0};
    m_altoEncabezadoTabla = r.Alto;
    Cr();
    return r;
}

TDimensiones TImpresion::TablaDatos(DBGrid *grid, const QList<double> &anchos, bool marco)
{
    Dataset *ds = grid ? grid->DataSet() : nullptr;
    if (!ds || !ds->Active()) {
        FALLA_PROGRAMACION(QStringLiteral("TImpresion.TablaDatos: ds inactivo"));
        return {};
    }
    const QList<GridColumn *> columnas = ColumnasImpresas(grid);
    const auto ancho = [&anchos](int c) { return anchoDe(anchos, c); };
    const double y0 = PosY;
    fuente(kFuente, tamano_fte_tabla, false);
    const double linea = lineaMm();

    QList<TAlineamiento> alineaciones;
    for (GridColumn *c : columnas)
        alineaciones.append((c->Alignment() & Qt::AlignRight) ? taDerecha : taCentrado);

    const int registros = ds->rowCount();
    if (registros == 0) {
        // An empty table still shows where its rows go.
        filaTabla(QStringList(columnas.size(), QStringLiteral(" ")), alineaciones, linea, anchos, marco);
    }
    for (int r = 0; r < registros; ++r) {
        QStringList textos;
        double alto = linea;
        for (int c = 0; c < columnas.size(); ++c) {
            const QString t = textoCelda(columnas.at(c), ds, r);
            textos.append(t);
            alto = std::max(alto, AlturaCuadroTexto(ancho(c), t));
        }
        if (r > 0) {
            // Each row is a block of its own; one that moves to the next page takes the
            // table's header with it. The joint below the row belongs to it.
            Seccion();
            fuente(kFuente, tamano_fte_tabla, false);
            if (PosY + alto + kJuntaCelda > AltoUtil && !(alto + kJuntaCelda > AltoUtil - PosYEncabezado - m_altoEncabezadoTabla))
                registrarEncabezadoTabla(grid, anchos, marco);
        }
        filaDatos(grid, textos, alto, alineaciones, anchos, marco);
    }
    double total = anchos.value(0);
    for (int c = 0; c < columnas.size(); ++c)
        total += ancho(c) + kJuntaCelda;
    const TDimensiones r{total, PosY - y0};
    Cr();
    return r;
}

TDimensiones TImpresion::TablaPie(DBGrid *grid, const QList<double> &anchos, bool marco)
{
    const QList<GridColumn *> columnas = ColumnasImpresas(grid);
    const auto ancho = [&anchos](int c) { return anchoDe(anchos, c); };
    fuente(kFuente, tamano_fte_tabla, false);
    QStringList textos;
    QList<TAlineamiento> alineaciones;
    double alto = lineaMm();
    for (int c = 0; c < columnas.size(); ++c) {
        GridColumn *col = columnas.at(c);
        const GridFooter pie = col->footerAt(0);
        QString t = QStringLiteral(" ");
        switch (pie.valueType) {
        case GridFooter::ValueType::Sum:
        case GridFooter::ValueType::Avg:
        case GridFooter::ValueType::Count:
            t = grid->FooterText(col->Index(), 0);
            break;
        case GridFooter::ValueType::StaticText:
            t = pie.value;
            break;
        case GridFooter::ValueType::None:
            break;
        }
        const Qt::Alignment a = pie.alignment ? pie.alignment : col->Alignment();
        alineaciones.append((a & Qt::AlignRight) ? taDerecha : ((a & Qt::AlignHCenter) ? taCentrado : taIzquierda));
        textos.append(t);
        alto = std::max(alto, AlturaCuadroTexto(ancho(c), t));
    }
    Seccion();
    fuente(kFuente, tamano_fte_tabla, false);
    if (PosY + alto + kJuntaCelda > AltoUtil)
        registrarEncabezadoTabla(grid, anchos, marco);
    const double y0 = PosY;
    const TDimensiones r{filaTabla(textos, alineaciones, alto, anchos, marco), PosY - y0};
    Cr();
    return r;
}

void TImpresion::filaDatos(DBGrid *grid, QStringList textos, double alto, const QList<TAlineamiento> &alineaciones,
                           const QList<double> &anchos, bool marco)
{
    const double linea = lineaMm();
    const auto altoDe = [&](const QStringList &t) {
        double alto = linea;
        for (int c = 0; c < t.size(); ++c)
            alto = std::max(alto, AlturaCuadroTexto(anchoDe(anchos, c), t.at(c)));
        return alto;
    };
    // A row that a fresh page holds under the titles is never cut: it moves whole.
    if (alto + kJuntaCelda <= AltoUtil - PosYEncabezado - m_altoEncabezadoTabla) {
        filaTabla(textos, alineaciones, alto, anchos, marco);
        return;
    }
    for (bool paginaNueva = false;; paginaNueva = true) {
        const double libre = AltoUtil - PosY - kJuntaCelda;
        const double resto = altoDe(textos);
        if (resto <= libre) {
            filaTabla(textos, alineaciones, resto, anchos, marco);
            return;
        }
        QStringList partes;
        QStringList colas;
        bool cabe = false;
        for (int c = 0; c < textos.size(); ++c) {
            QString cola;
            partes << cabezaQueCabe(anchoDe(anchos, c), textos.at(c), libre, cola);
            colas << cola;
            cabe = cabe || !partes.last().isEmpty();
        }
        if (!cabe && !paginaNueva) {
            // Not a line fits under what the block holds: the block starts a new page.
            bloqueAPaginaNueva();
            continue;
        }
        if (!cabe) {
            // Not a word fits a whole page: nothing better than printing it as it is.
            filaTabla(textos, alineaciones, resto, anchos, marco);
            return;
        }
        filaTabla(partes, alineaciones, altoDe(partes), anchos, marco);
        textos = colas;
        seguirEnPaginaNueva();
        fuente(kFuente, tamano_fte_tabla, false);
        registrarEncabezadoTabla(grid, anchos, marco);
    }
}

TDimensiones TImpresion::cuadroPartido(TTipoElemento tipo, double ancho, double alto, const QString &texto,
                                       TAlineamiento alineamiento, double margen, bool marco)
{
    // What the block holds above the box goes with it to a fresh page.
    const double enPaginaNueva = m_seccion ? AltoUtil - PosYEncabezado - (PosY - m_seccion->PosYInicio) : 0;
    if (!m_seccion || Dibujar || alto + 2 * margen <= enPaginaNueva) {
        if (m_seccion)
            m_seccion->Agregar(tipo, texto, marco, alineamiento, margen, alto, ancho);
        return DibujarCuadroTexto(ancho, alto, texto, alineamiento, margen, marco);
    }
    const double x = PosX;
    QString resto = texto;
    double altoUltima = 0;
    for (bool paginaNueva = false;; paginaNueva = true) {
        const double libre = AltoUtil - PosY - 2 * margen;
        const double necesario = AlturaCuadroTexto(ancho, resto);
        QString cola;
        const QString parte = necesario <= libre ? resto : cabezaQueCabe(ancho, resto, libre, cola);
        if (parte.isEmpty() && !paginaNueva) {
            // Not a line fits under what the block holds: the block starts a new page.
            bloqueAPaginaNueva();
            continue;
        }
        if (parte.isEmpty()) {
            // Not a word fits a whole page: nothing better than printing it as it is.
            m_seccion->Agregar(tipo, resto, marco, alineamiento, margen, necesario, ancho);
            altoUltima = necesario;
            break;
        }
        altoUltima = parte == resto ? necesario : AlturaCuadroTexto(ancho, parte);
        m_seccion->Agregar(tipo, parte, marco, alineamiento, margen, altoUltima, ancho);
        if (parte == resto)
            break;
        resto = cola;
        seguirEnPaginaNueva();
        DeltaX(x);
    }
    // The rest of the block goes on as a block of its own, from where the whole box would
    // have started: the caller's moves below the box land below its last part.
    Seccion();
    DeltaX(x);
    DeltaY(altoUltima - alto);
    return {ancho + 2 * margen, alto + 2 * margen};
}

QString TImpresion::cabezaQueCabe(double ancho, const QString &texto, double alto, QString &resto)
{
    QList<qsizetype> cortes; // where a word starts after white space, and the end
    for (qsizetype i = 1; i < texto.size(); ++i)
        if (texto.at(i - 1).isSpace() && !texto.at(i).isSpace())
            cortes.append(i);
    cortes.append(texto.size());
    const auto cabeza = [&texto](qsizetype corte) {
        QString c = texto.left(corte);
        while (!c.isEmpty() && c.back().isSpace())
            c.chop(1);
        return c;
    };
    // Heights grow with the head: the longest head that fits is found by halving.
    qsizetype bajo = 0;
    qsizetype alto_ = cortes.size() - 1;
    qsizetype mejor = -1;
    while (bajo <= alto_) {
        const qsizetype medio = (bajo + alto_) / 2;
        if (AlturaCuadroTexto(ancho, cabeza(cortes.at(medio))) <= alto + 1e-9) {
            mejor = medio;
            bajo = medio + 1;
        } else {
            alto_ = medio - 1;
        }
    }
    if (mejor < 0) {
        resto = texto;
        return {};
    }
    resto = texto.mid(cortes.at(mejor));
    return cabeza(cortes.at(mejor));
}

void TImpresion::seguirEnPaginaNueva()
{
    Seccion();
    Vista->NewPage();
    m_seccion->PosYInicio = PosY;
}

void TImpresion::bloqueAPaginaNueva()
{
    const double dentro = PosY - m_seccion->PosYInicio;
    const double x = PosX;
    Vista->NewPage();
    m_seccion->PosYInicio = PosY;
    PosY += dentro;
    PosX = x;
}

double TImpresion::filaTabla(const QStringList &textos, const QList<TAlineamiento> &alineaciones, double alto,
                             const QList<double> &anchos, bool marco)
{
    Cr();
    DeltaX(anchos.value(0));
    double total = anchos.value(0);
    for (int c = 0; c < textos.size(); ++c) {
        const double ancho = anchoDe(anchos, c);
        if (m_seccion)
            m_seccion->Agregar(teCuadro, textos.at(c), marco, alineaciones.at(c), kMargenCelda, alto, ancho);
        DibujarCuadroTexto(ancho, alto, textos.at(c), alineaciones.at(c), kMargenCelda, marco);
        DeltaX(ancho + kJuntaCelda);
        total += ancho + kJuntaCelda;
    }
    DeltaY(alto + kJuntaCelda);
    return total;
}

// --- images

void TImpresion::avisar(const QString &aviso)
{
    if (!m_avisos.contains(aviso))
        m_avisos.append(aviso);
}

std::shared_ptr<TPgGraphic> TImpresion::imagen(const QString &archivo)
{
    if (auto it = m_imagenes.constFind(archivo); it != m_imagenes.constEnd())
        return it.value();
    std::shared_ptr<TPgGraphic> g;
    if (!QFileInfo::exists(archivo)) {
        avisar(QStringLiteral("Archivo %1 no existe").arg(archivo));
    } else {
        const QImage img(archivo);
        if (img.isNull())
            avisar(QStringLiteral("Archivo %1 no es una imagen legible").arg(archivo));
        else
            g = TPgGraphic::FromBitmap(img);
    }
    m_imagenes.insert(archivo, g);
    return g;
}

TDimensiones TImpresion::DibujarImagen(const QString &archivo, double escala)
{
    const std::shared_ptr<TPgGraphic> g = imagen(archivo);
    if (!g)
        return {};
    const TDimensiones r{escala * double(Lienzo->GraphicWidth(*g).GetAsMm()), escala * double(Lienzo->GraphicHeight(*g).GetAsMm())};
    if (Dibujar) {
        const double x = MARGEN_IZQ + PosX;
        const double y = MARGEN_SUP + PosY;
        Lienzo->Draw(x, y, g, escala);
        if (m_registro) {
            TPasoImpresion paso;
            paso.tipo = TPasoImpresion::Imagen;
            paso.pagina = Vista->GetNumPages();
            paso.x = x;
            paso.y = y;
            paso.ancho = r.Ancho;
            paso.alto = r.Alto;
            paso.texto = archivo;
            m_registro->Pasos.append(paso);
        }
    }
    return r;
}

TDimensiones TImpresion::Imagen(const QString &archivo, double escala, TAlineamiento alineamiento)
{
    Cr();
    const TDimensiones r = DibujarImagen(archivo, escala);
    if (alineamiento == taDerecha)
        DeltaX(AnchoUtil - r.Ancho);
    else if (alineamiento == taCentrado)
        DeltaX(AnchoUtil / 2 - r.Ancho / 2);
    else
        DeltaX(0);
    if (m_seccion)
        m_seccion->Agregar(teImagen, archivo, false, alineamiento, escala, 0, 0);
    DeltaX(r.Ancho);
    DeltaY(r.Alto);
    return r;
}
