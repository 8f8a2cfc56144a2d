#include "impresion/impresionformulario.h"

#include "dbedit.h"
#include "dblookupcombobox.h"
#include "dbmemo.h"
#include "impresion/timpresion.h"
#include "tcustommdichild.h"
#include "util_texto.h"

#include <algorithm>

void ImprimirEncabezado(TImpresion *imp, const QString &dirAplicacion, const QString &codigo,
                        const OpcionesEncabezado &o)
{
    imp->IniEncabezado();
    const double altoLogo = imp->Imagen(dirAplicacion + QStringLiteral("img/logo.bmp"), o.escalaLogo, taIzquierda).Alto;
    imp->Cr();
    imp->DeltaY(-imp->PosY);
    QString marca = QStringLiteral("Form. ") + codigo.toUpper();
    if (o.version)
        marca += QStringLiteral(" (v.") + GetProgramVersion(QString()) + QLatin1Char(')');
    imp->Texto(marca, taDerecha);
    if (o.bajoLogo) {
        imp->CrLf();
        if (imp->PosY < altoLogo)
            imp->DeltaY(altoLogo - imp->PosY);
        imp->CrLf4();
    } else if (o.dosLf) {
        imp->CrLf();
        imp->Lf();
        imp->Lf();
    } else {
        imp->Cr();
        imp->CrLf();
        if (o.saltos)
            imp->CrLf();
    }
    imp->FinEncabezado();
    imp->Seccion();
}

void ImprimirRecepcion(TImpresion *imp, CajaRecepcion caja)
{
    const QString texto = QStringLiteral("Nº:       _________________\n\nFecha:  _________________");
    const QString uso = QStringLiteral("(Uso Okran)                ");
    switch (caja) {
    case CajaRecepcion::Solicitud:
        ImprimirCajaNumero(imp, {texto});
        break;
    case CajaRecepcion::Margen: {
        const double ancho = 60;
        const double margen = 1;
        imp->DeltaX(imp->AnchoUtil - ancho - 2 * margen);
        imp->CuadroTexto(ancho, imp->AlturaCuadroTexto(ancho, texto), texto, taIzquierda, margen, true);
        imp->Cr();
        imp->Texto(uso, taDerecha);
        imp->CrLf();
        break;
    }
    case CajaRecepcion::Fija:
        imp->DeltaX(imp->AnchoUtil - 63);
        imp->CuadroTexto(55, 20, texto, taDerecha, 3, false);
        imp->Cr();
        imp->CrLf4();
        imp->Texto(uso, taDerecha);
        imp->CrLf();
        break;
    }
}

void ImprimirConCierre(TCustomMDIChild *form, TImpresion *imp, const QString &padre, const std::function<void()> &cuerpo,
                       const std::function<void()> &anexo)
{
    if (!form || !imp)
        return;
    imp->IniDocumento();
    cuerpo();
    form->prtUltimaSeccion(imp, form->ConsultorId, form->DatasetPpal, padre);
    imp->Seccion();
    if (anexo) {
        anexo();
        imp->Seccion();
    }
    imp->FinDocumento();
}

void ImprimirCajaNumero(TImpresion *imp, const CajaNumero &caja)
{
    imp->DeltaX(imp->AnchoUtil - caja.desdeDerecha);
    const double alto = caja.alto > 0 ? caja.alto : imp->AlturaCuadroTexto(caja.ancho, caja.texto);
    imp->CuadroTexto(caja.ancho, alto, caja.texto, taIzquierda, 1, false);
    imp->Cr();
    if (caja.usoOkran) {
        imp->DeltaX(imp->AnchoUtil - caja.desdeDerecha);
        imp->Texto(QStringLiteral("(Uso Okran)                "), taIzquierda);
        imp->Cr();
    }
    imp->CrLf();
    imp->Seccion();
}

ImpresionFormulario::ImpresionFormulario(TCustomMDIChild *form, TImpresion *imp, double entreCampos)
    : m_form(form)
    , m_imp(imp)
    , m_entreCampos(entreCampos)
{
}

double ImpresionFormulario::separacion(double valor) const
{
    if (valor < 0)
        valor = m_entreCampos;
    return valor > 0 ? valor : m_imp->AnchoUtil / 16;
}

void ImpresionFormulario::subtitulo(const QString &texto)
{
    m_imp->CrLf4();
    m_imp->SubTitulo(texto, taIzquierda);
    m_imp->Cr();
}

void ImpresionFormulario::texto(const QString &texto)
{
    m_imp->Texto(texto, taIzquierda);
    m_imp->Cr();
}

void ImpresionFormulario::tabla(const QString &grilla)
{
    DBGrid *g = componentes::grilla(m_form, grilla);
    if (g && g->DataSet() && g->DataSet()->Active())
        m_imp->Tabla(g);
}

void ImpresionFormulario::tablaConTitulo(const QString &titulo, const QString &grilla)
{
    subtitulo(titulo);
    tabla(grilla);
}

void ImpresionFormulario::memo(const QString &titulo, const QString &nombre)
{
    texto(titulo);
    campo<const DBMemo *>(QString(), componentes::componente<DBMemo>(m_form, nombre));
}

void ImpresionFormulario::encabezado()
{
    OpcionesEncabezado o;
    o.escalaLogo = 0.5;
    o.bajoLogo = true;
    ImprimirEncabezado(m_imp, m_form->DirAplicacion, componentes::codigoDe(m_form), o);
}

void ImpresionFormulario::portada(const QString &titulo, CajaRecepcion caja)
{
    ImprimirRecepcion(m_imp, caja);
    m_imp->Titulo(titulo);
    m_imp->CrLf();
}

void ImpresionFormulario::antecedentesGenerales()
{
    const auto edit = [this](const char *nombre) { return componentes::componente<DBEdit>(m_form, QLatin1String(nombre)); };
    const auto combo = [this](const char *nombre) {
        return static_cast<const DBLookupComboBox *>(componentes::componente<DBLookupComboBox>(m_form, QLatin1String(nombre)));
    };
    subtitulo(tituloAntecedentes);
    texto(QStringLiteral("Nombre del (de la) Propietario(a):"));
    tabla(QStringLiteral("dbgPropietarios"));
    campo<const DBEdit *>(QStringLiteral("Nombre del Predio:"), edit("edt_nom_pre"));
    texto(QStringLiteral("Roles de Avalúo Nº:"));
    tabla(QStringLiteral("dbgRoles"));
    campos<const DBLookupComboBox *>({{QStringLiteral("Comuna:"), combo("lcb_com")},
                                      {QStringLiteral("Provincia:"), combo("lcb_prv")},
                                      {QStringLiteral("Región:"), combo("lcb_reg")}},
                                     lpLeft, separacion(entreLugares));
    m_imp->Seccion();
    tablaConTitulo(QStringLiteral("COORDENADAS U.T.M.:"), QStringLiteral("dbgCoordenadas"));
    subtitulo(QStringLiteral("Superficie total del predio (hectáreas), según:"));
    campos<const DBEdit *>({{QStringLiteral("Título de Dominio:"), edit("edt_sup_tit")},
                            {QStringLiteral("Servicio Impuestos Internos:"), edit("edt_sup_sii")},
                            {etiquetaSuperficiePlano, edit("edt_sup")}},
                           lpAbove, separacion(entreSuperficies));
    m_imp->Seccion();
    subtitulo(QStringLiteral("Vías de Acceso:"));
    campo<const DBMemo *>(QString(), componentes::componente<DBMemo>(m_form, QStringLiteral("mem_via")));
    m_imp->Seccion();
    tablaConTitulo(QStringLiteral("Roles de avalúo contiguos al predio:"), QStringLiteral("dbgRolesContiguos"));
    const Field *resolucion = componentes::campo(m_form->DatasetPpal, QStringLiteral("resJud_tiene"));
    if (resolucion && resolucion->AsBoolean()) {
        subtitulo(QStringLiteral("Estudio proviene de resolución Judicial. Antecedentes:"));
        campo<const DBMemo *>(QString(), componentes::componente<DBMemo>(m_form, QStringLiteral("mem_resJud_desc")));
        m_imp->Seccion();
    }
}

void ImpresionFormulario::textoFijo(const QString &texto)
{
    const EspaciadoTextoFijo &e = espaciadoTexto;
    QStringList bloque;
    const auto volcar = [&] {
        if (e.entreLineas > 0) {
            for (qsizetype i = 0; i < bloque.size(); ++i) {
                if (i > 0)
                    m_imp->DeltaY(e.entreLineas);
                this->texto(bloque.at(i));
            }
        } else if (!bloque.isEmpty()) {
            // Unspaced, the block is one text, as it always printed.
            this->texto(bloque.join(QLatin1Char('\n')));
        }
        bloque.clear();
    };
    for (const QString &linea : texto.split(QLatin1Char('\n'))) {
        if (linea.startsWith(QLatin1String("# "))) {
            volcar();
            if (e.antesDeTitulo < 0) {
                subtitulo(linea.mid(2));
            } else {
                m_imp->Cr();
                m_imp->DeltaY(e.antesDeTitulo);
                m_imp->SubTitulo(linea.mid(2), taIzquierda);
                m_imp->Cr();
            }
        } else if (linea.startsWith(QLatin1Char('|'))) {
            volcar();
            QStringList celdas = linea.mid(1).split(QLatin1Char('|'));
            if (celdas.size() > 1 && celdas.last().trimmed().isEmpty())
                celdas.removeLast();
            filaFija(celdas);
        } else if (linea.trimmed().isEmpty()) {
            volcar();
            if (e.entreSecciones > 0)
                m_imp->DeltaY(e.entreSecciones);
            m_imp->Seccion();
        } else {
            bloque << linea;
        }
    }
    volcar();
}

void ImpresionFormulario::filaFija(const QStringList &celdas)
{
    if (celdas.isEmpty())
        return;
    const double margen = 1;
    const double ancho = m_imp->AnchoUtil / celdas.size() - 2 * margen;
    double alto = 0;
    for (const QString &c : celdas)
        alto = std::max(alto, m_imp->AlturaCuadroTexto(ancho, c.trimmed()));
    for (const QString &c : celdas) {
        const TDimensiones d = m_imp->CuadroTexto(ancho, alto, c.trimmed(), taIzquierda, margen, true);
        m_imp->DeltaY(-d.Alto);
    }
    m_imp->Cr();
    m_imp->DeltaY(alto + 2 * margen);
}
