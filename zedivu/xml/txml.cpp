#include "txml.h"

#include "connection.h"
#include "dataset.h"
#include "field.h"
#include "util_texto.h"
#include "xmlerror.h"

#include <md5.h>

namespace {

// Blanks and control characters off both ends, as the exchange format always trimmed.
QString recortar(const QString &s)
{
    qsizetype inicio = 0;
    qsizetype fin = s.size();
    while (inicio < fin && s.at(inicio).unicode() <= ' ')
        ++inicio;
    while (fin > inicio && s.at(fin - 1).unicode() <= ' ')
        --fin;
    return (inicio == 0 && fin == s.size()) ? s : s.mid(inicio, fin - inicio);
}

// Mayusculas, without copying a text that is already in capitals.
QString mayusculas(const QString &s)
{
    for (QChar c : s) {
        if (Mayuscula(c) != c)
            return Mayusculas(s);
    }
    return s;
}

// A field's text for the exchange file: dates as dd/mm/yyyy, everything else as AsString.
QString textoDeCampo(const Field *campo)
{
    if (campo->DataType() == FieldType::DateTime) {
        const QDateTime fecha = campo->AsDateTime();
        return fecha.isValid() ? fecha.date().toString(QStringLiteral("dd/MM/yyyy")) : QString();
    }
    return campo->AsString();
}

bool esEspecie(TTipoSeleccionMultiple tsm)
{
    switch (tsm) {
    case tsmEspecie:
    case tsmEspecieTAMVO:
    case tsmEspecieQUIREL:
    case tsmEspecieCOBA:
    case tsmEspecieERTIV:
    case tsmEspecieKELU:
    case tsmEspecieNativo:
    case tsmEspecieMARPO:
    case tsmEspecieHARPE:
    case tsmFlora:
        return true;
    default:
        return false;
    }
}

void anexarIndentacion(QByteArray &salida, int nivel)
{
    salida.append(qsizetype(nivel) * 4, ' ');
}

// Appends `s` as ISO-8859-1 with the escapes of XML text; line breaks become CR LF.
void anexarEscapado(QByteArray &salida, const QString &s)
{
    const QChar *p = s.constData();
    const QChar *fin = p + s.size();
    for (; p < fin; ++p) {
        const char16_t c = p->unicode();
        if (c >= 0x20 && c < 0x100) {
            switch (c) {
            case '&':
                salida.append("&amp;");
                break;
            case '<':
                salida.append("&lt;");
                break;
            case '>':
                salida.append("&gt;");
                break;
            default:
                salida.append(char(c));
            }
        } else if (c == '\r') {
            salida.append("\r\n");
            if (p + 1 < fin && p[1] == QLatin1Char('\n'))
                ++p;
        } else if (c == '\n') {
            salida.append("\r\n");
        } else if (c == '\t') {
            salida.append('\t');
        } else if (c < 0x20 || c == 0xFFFE || c == 0xFFFF) {
            // Not representable in XML at all.
        } else if (QChar::isHighSurrogate(c)) {
            if (p + 1 < fin && p[1].isLowSurrogate()) {
                salida.append("&#").append(QByteArray::number(QChar::surrogateToUcs4(c, p[1].unicode()))).append(';');
                ++p;
            }
        } else if (QChar::isLowSurrogate(c)) {
            // A lone half of a pair: no character to write.
        } else {
            salida.append("&#").append(QByteArray::number(uint(c))).append(';');
        }
    }
}

const QString kNoEspecificado = QStringLiteral("NO ESPECIFICADO");

} // namespace

TXML::TXML(Connection *conexion)
    : m_conexion(conexion)
{
    m_elementos.emplace_back();
}

TXML::~TXML() = default;

void TXML::Limpiar()
{
    m_pila.clear();
    m_elementos.clear();
    m_elementos.emplace_back();
    m_actual = 0;
    m_contador = 1;
    m_avisos.clear();
}

int TXML::agregar(int padre, const QString &nombre, const QString &texto)
{
    const int i = int(m_elementos.size());
    Elemento e;
    e.nombre = nombre;
    e.texto = texto;
    e.padre = padre;
    m_elementos.push_back(std::move(e));
    Elemento &p = m_elementos[std::size_t(padre)];
    if (p.ultimoHijo < 0)
        p.primerHijo = i;
    else
        m_elementos[std::size_t(p.ultimoHijo)].siguiente = i;
    p.ultimoHijo = i;
    return i;
}

void TXML::desenlazarUltimo(int padre)
{
    Elemento &p = m_elementos[std::size_t(padre)];
    int anterior = -1;
    for (int i = p.primerHijo; i >= 0 && i != p.ultimoHijo; i = m_elementos[std::size_t(i)].siguiente)
        anterior = i;
    if (anterior < 0) {
        p.primerHijo = p.ultimoHijo = -1;
    } else {
        m_elementos[std::size_t(anterior)].siguiente = -1;
        p.ultimoHijo = anterior;
    }
}

QString TXML::nombreHijo(const QString &tag) const
{
    if (m_actual == 0)
        return mayusculas(recortar(tag));
    return mayusculas(recortar(m_elementos[std::size_t(m_actual)].nombre + QLatin1Char('.') + tag));
}

void TXML::AbrirNodo(const QString &nombre)
{
    const int nodo = agregar(m_actual, mayusculas(recortar(nombre)), QString());
    m_pila.push_back(std::make_unique<TListaElementosXML>(nullptr, nodo));
    m_actual = nodo;
}

void TXML::AbrirNodo(const QString &nombre, Dataset *ds)
{
    if (!ds)
        XmlError::Lanzar(QStringLiteral("Dataset para nodo \"%1\" es nil").arg(nombre));
    if (ds->RecordCount() > 1) {
        ds->setRecNo(1);
        if (ds->RecNo() != 1)
            XmlError::Lanzar(QStringLiteral("Dataset ") + ds->objectName() + QStringLiteral(" se niega a poner su cursor al inicio"));
    }
    const int nodo = agregar(m_actual, mayusculas(recortar(nombre)), QString());
    m_pila.push_back(std::make_unique<TListaElementosXML>(ds, nodo));
    m_actual = nodo;
}

void TXML::CerrarNodo()
{
    if (m_pila.empty())
        XmlError::Lanzar(QStringLiteral("CerrarNodo sin nodo abierto"));
    const std::unique_ptr<TListaElementosXML> lista = std::move(m_pila.back());
    m_pila.pop_back();
    const int nodo = lista->Nodo();
    const int padre = m_elementos[std::size_t(nodo)].padre;
    Dataset *ds = lista->DataSet();

    // A node over no record stands for nothing: a fixed child must not make one up.
    if (ds && ds->IsEmpty()) {
        desenlazarUltimo(padre);
        m_actual = padre;
        return;
    }
    if (ds && ds->RecordCount() > 1) {
        // The fields are resolved once: HijoCampo checked that they exist.
        std::vector<const Field *> campos(std::size_t(lista->Contar()), nullptr);
        for (int j = 0; j < lista->Contar(); ++j) {
            if (lista->Linea(j).Tipo == teCampo)
                campos[std::size_t(j)] = ds->FieldByName(lista->Linea(j).NombreCampo());
        }
        const QString nombreNodo = m_elementos[std::size_t(nodo)].nombre;
        const int registros = ds->RecordCount();
        // Record 1's children are those already in the node.
        for (int i = 2; i <= registros; ++i) {
            ds->setRecNo(i);
            m_actual = agregar(padre, nombreNodo, QString());
            for (int j = 0; j < lista->Contar(); ++j) {
                const TLineaXML &linea = lista->Linea(j);
                const Field *campo = campos[std::size_t(j)];
                if (linea.Columna) {
                    const QString valor = campo ? (campo->IsNull() ? QString() : textoDeCampo(campo)) : linea.Campo;
                    reglaColumna(linea.Nombre, linea.Tag, valor, *linea.Columna);
                } else if (linea.Tipo == teCampo) {
                    reglaCampo(linea.Nombre, campo, linea.TSM);
                } else if (linea.Tipo == teIndexacionExterna) {
                    agregar(m_actual, linea.Nombre, QString::number(m_contador++));
                } else {
                    agregar(m_actual, linea.Nombre, linea.Campo);
                }
            }
        }
    }
    m_actual = padre;
}

void TXML::Hijo(const QString &tag)
{
    Hijo(tag, QString(), tsmNinguno);
}

void TXML::Hijo(const QString &tag, int valor)
{
    Hijo(tag, QString::number(valor), tsmNinguno);
}

void TXML::Hijo(const QString &tag, const QString &valor, TTipoSeleccionMultiple tsm)
{
    const QString texto = recortar(valor);
    const QString nombre = nombreHijo(tag);
    if (!m_pila.empty())
        m_pila.back()->Add(mayusculas(recortar(tag)), texto, teFijo, tsm, nombre);
    agregar(m_actual, nombre, texto);
}

void TXML::Hijo(const QString &tag, const QString &valor, const TColumnaXML &columna)
{
    const QString nombre = nombreHijo(tag);
    if (!m_pila.empty())
        m_pila.back()->Add(mayusculas(recortar(tag)), mayusculas(recortar(valor)), teFijo, columna, nombre);
    reglaColumna(nombre, tag, valor, columna);
}

void TXML::Hijo(const QString &tag, const Field *campo, const TColumnaXML &columna)
{
    if (!campo || campo->IsNull())
        return;
    const QString valor = textoDeCampo(campo);
    if (!valor.isEmpty())
        reglaColumna(nombreHijo(tag), tag, valor, columna);
}

void TXML::Hijo(const QString &tag, const Field *campo, TTipoSeleccionMultiple tsm)
{
    if (!campo || campo->IsNull() || textoDeCampo(campo).isEmpty())
        return;
    reglaCampo(nombreHijo(tag), campo, tsm);
}

TListaElementosXML *TXML::listaConDataset(const QString &tag, const QString &campo) const
{
    TListaElementosXML *lista = m_pila.empty() ? nullptr : m_pila.back().get();
    if (!lista || !lista->DataSet())
        XmlError::Lanzar(QStringLiteral("Dataset para nodo \"%1\" y campo \"%2\" es nil (Se está usando HijoCampo en vez de Hijo?)")
                             .arg(tag, campo));
    if (!lista->DataSet()->FindField(recortar(campo)))
        XmlError::Lanzar(QStringLiteral("El campo \"%1\" no existe para el tag \"%2\"")
                             .arg(campo, m_elementos[std::size_t(m_actual)].nombre + QLatin1Char('.') + tag));
    return lista;
}

void TXML::HijoCampo(const QString &tag, const QString &campo, TTipoSeleccionMultiple tsm)
{
    TListaElementosXML *lista = listaConDataset(tag, campo);
    const QString nombreCampo = mayusculas(recortar(campo));
    const QString nombre = nombreHijo(tag);
    lista->Add(mayusculas(recortar(tag)), QLatin1Char('@') + nombreCampo, teCampo, tsm, nombre);
    reglaCampo(nombre, lista->DataSet()->FindField(nombreCampo), tsm);
}

void TXML::HijoCampo(const QString &tag, const QString &campo, const TColumnaXML &columna)
{
    TListaElementosXML *lista = listaConDataset(tag, campo);
    const QString nombreCampo = mayusculas(recortar(campo));
    const QString nombre = nombreHijo(tag);
    lista->Add(mayusculas(recortar(tag)), nombreCampo, teCampo, columna, nombre);
    const Field *f = lista->DataSet()->FindField(nombreCampo);
    reglaColumna(nombre, tag, f->IsNull() ? QString() : textoDeCampo(f), columna);
}

void TXML::HijoSecuencia(const QString &tag)
{
    const QString nombre = nombreHijo(tag);
    if (!m_pila.empty())
        m_pila.back()->Add(mayusculas(recortar(tag)), QStringLiteral("#"), teIndexacionExterna, tsmNinguno, nombre);
    agregar(m_actual, nombre, QString::number(m_contador++));
}

void TXML::ImprimirTag(const QString &tag, const QString &valor)
{
    agregar(m_actual, nombreHijo(tag), recortar(valor));
}

void TXML::ImprimirTag(const QString &tag, const QString &valor, const TColumnaXML &columna)
{
    reglaColumna(nombreHijo(tag), tag, valor, columna);
}

void TXML::ImprimirTag(const QString &tag, const Field *campo, TTipoSeleccionMultiple tsm)
{
    reglaCampo(nombreHijo(tag), campo, tsm);
}

void TXML::reglaCampo(const QString &nombre, const Field *campo, TTipoSeleccionMultiple tsm)
{
    if (!campo || campo->IsNull())
        return;
    if (esEspecie(tsm) || tsm == tsmFauna) {
        const QStringList nombres = Explode(textoDeCampo(campo), QStringLiteral(","));
        for (const QString &n : nombres)
            agregar(m_actual, nombre, tsm == tsmFauna ? codigoFauna(n) : codigoEspecie(n));
        return;
    }
    agregar(m_actual, nombre, mayusculas(recortar(textoDeCampo(campo))));
}

void TXML::reglaColumna(const QString &nombre, const QString &tag, const QString &valor, const TColumnaXML &columna)
{
    const QString clave = recortar(valor);
    if (clave.isEmpty())
        return;
    bool esEntero = false;
    const int codigo = clave.toInt(&esEntero);
    if (!esEntero)
        return;
    if (codigo >= 0) {
        agregar(m_actual, nombre, QString::number(codigo));
        return;
    }
    agregar(m_actual, nombre, QString::number(columna.CodigoOtro()));
    QString texto;
    if (columna.TextoDeClave(clave, texto)) {
        texto = mayusculas(recortar(texto));
    } else {
        m_avisos.append(QStringLiteral("Para el registro ") + tag
                        + QStringLiteral(" Se había especificado un 'OTRO', pero ahora no se encuentra dicho valor"));
        texto = kNoEspecificado;
    }
    agregar(m_actual, nombre + QStringLiteral("_OTRO"), texto);
}

QString TXML::codigoEspecie(const QString &nombreEspecie) const
{
    if (!m_conexion || nombreEspecie.isEmpty())
        return QString();
    // The main database always compared names without regard to case.
    return mayusculas(recortar(Consulta(m_conexion,
                                        QStringLiteral("SELECT espe_codigo FROM especie WHERE TRIM(espe_descripcion) = ? COLLATE NOCASE"),
                                        {nombreEspecie})));
}

QString TXML::codigoFauna(const QString &nombreFauna) const
{
    // The selection list shows the name followed by the common name in parentheses.
    const qsizetype parentesis = nombreFauna.indexOf(QLatin1Char('('));
    const QString nombre = recortar(parentesis < 0 ? nombreFauna : nombreFauna.left(parentesis));
    if (!m_conexion || nombre.isEmpty())
        return QString();
    return mayusculas(recortar(Consulta(m_conexion, QStringLiteral("SELECT faun_codigo FROM fauna WHERE faun_descripcion = ?"), {nombre})));
}

QByteArray TXML::Texto() const
{
    QByteArray salida;
    salida.reserve(qsizetype(m_elementos.size()) * 48);
    for (int i = m_elementos.front().primerHijo; i >= 0; i = m_elementos[std::size_t(i)].siguiente)
        escribir(salida, i, 0);
    return salida;
}

void TXML::escribir(QByteArray &salida, int elemento, int nivel) const
{
    const Elemento &e = m_elementos[std::size_t(elemento)];
    if (e.primerHijo < 0) {
        if (e.texto.isEmpty())
            return;
        anexarIndentacion(salida, nivel);
        salida.append('<');
        anexarEscapado(salida, e.nombre);
        salida.append('>');
        anexarEscapado(salida, e.texto);
        salida.append("</");
        anexarEscapado(salida, e.nombre);
        salida.append(">\r\n");
        return;
    }
    anexarIndentacion(salida, nivel);
    salida.append('<');
    anexarEscapado(salida, e.nombre);
    salida.append(">\r\n");
    for (int i = e.primerHijo; i >= 0; i = m_elementos[std::size_t(i)].siguiente)
        escribir(salida, i, nivel + 1);
    anexarIndentacion(salida, nivel);
    salida.append("</");
    anexarEscapado(salida, e.nombre);
    salida.append(">\r\n");
}

QString TXML::Hash() const
{
    return HashDe(Texto());
}

QString TXML::HashDe(const QByteArray &bytes)
{
    MD5_CTX contexto;
    MD5Init(&contexto);
    MD5Update(&contexto, reinterpret_cast<const uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
    uint8_t resumen[16];
    MD5Final(resumen, &contexto);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(resumen), 16).toHex().toUpper());
}
