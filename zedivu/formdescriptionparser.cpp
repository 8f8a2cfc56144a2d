#include "formdescriptionparser.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <functional>
#include <memory>
#include <tuple>

namespace {

// A label's "|"-separated header pieces without the blanks written around "|".
QString headerPieces(const QString &label)
{
    if (!label.contains(QLatin1Char('|')))
        return label;
    QStringList pieces = label.split(QLatin1Char('|'));
    for (QString &piece : pieces)
        piece = piece.trimmed();
    return pieces.join(QLatin1Char('|'));
}

struct Token
{
    QString key;   // before "=", empty for a plain token
    QString text;  // the word, the quoted text or the value after "="
    bool quoted = false;
};

struct Node
{
    int indent = 0;
    int line = 0;
    QList<Token> tokens;
    QList<Node> children;
};

// A statement's tokens sorted into positional words, flags and key=value options, checked
// against what the statement accepts.
struct Args
{
    QStringList positional;
    QList<bool> quoted;
    QSet<QString> flags;
    QHash<QString, QString> options;
};

class Parser
{
public:
    Parser(const QString &fileName, QStringList *errors)
        : m_file(fileName)
        , m_errors(errors)
    {
    }

    std::optional<FormDescription> run(const QString &text)
    {
        m_form.fileName = m_file;
        QList<Node> roots;
        if (!buildTree(text, roots))
            return std::nullopt;
        for (const Node &n : roots)
            topLevel(n);
        parentPage();
        fillDefaultNames();
        if (!m_seenForm)
            error(0, QStringLiteral("falta la línea \"form <CÓDIGO>\""));
        if (m_failed)
            return std::nullopt;
        const QStringList problems = m_form.check();
        if (!problems.isEmpty()) {
            if (m_errors)
                *m_errors << problems;
            return std::nullopt;
        }
        return m_form;
    }

private:
    void error(int line, const QString &text)
    {
        m_failed = true;
        if (m_errors)
            *m_errors << QStringLiteral("%1:%2: %3").arg(m_file).arg(line).arg(text);
    }

    // --- lines and tokens

    bool tokenize(const QString &line, int lineNo, int &indent, QList<Token> &tokens)
    {
        int i = 0;
        while (i < line.size() && line[i] == QLatin1Char(' '))
            ++i;
        indent = i;
        if (i < line.size() && line[i] == QLatin1Char('\t')) {
            error(lineNo, QStringLiteral("la sangría se escribe con espacios, no con tabuladores"));
            return false;
        }
        while (i < line.size()) {
            const QChar c = line[i];
            if (c.isSpace()) {
                ++i;
                continue;
            }
            if (c == QLatin1Char('#'))
                break;
            Token t;
            if (c == QLatin1Char('"')) {
                if (!quotedText(line, i, lineNo, t.text))
                    return false;
                t.quoted = true;
            } else {
                const int start = i;
                while (i < line.size() && !line[i].isSpace() && line[i] != QLatin1Char('"'))
                    ++i;
                const QString word = line.mid(start, i - start);
                const int eq = word.indexOf(QLatin1Char('='));
                if (eq > 0) {
                    t.key = word.left(eq);
                    t.text = word.mid(eq + 1);
                    if (t.text.isEmpty() && i < line.size() && line[i] == QLatin1Char('"')) {
                        if (!quotedText(line, i, lineNo, t.text))
                            return false;
                        t.quoted = true;
                    }
                } else if (i < line.size() && line[i] == QLatin1Char('"')) {
                    error(lineNo, QStringLiteral("falta un espacio antes de las comillas"));
                    return false;
                } else {
                    t.text = word;
                }
            }
            tokens << t;
        }
        return true;
    }

    bool quotedText(const QString &line, int &i, int lineNo, QString &out)
    {
        ++i; // opening quote
        while (i < line.size()) {
            const QChar c = line[i++];
            if (c == QLatin1Char('"'))
                return true;
            if (c != QLatin1Char('\\')) {
                out += c;
                continue;
            }
            if (i >= line.size())
                break;
            const QChar e = line[i++];
            if (e == QLatin1Char('n'))
                out += QLatin1Char('\n');
            else if (e == QLatin1Char('t'))
                out += QLatin1Char('\t');
            else if (e == QLatin1Char('"') || e == QLatin1Char('\\'))
                out += e;
            else {
                error(lineNo, QStringLiteral("secuencia de escape desconocida \"\\%1\"").arg(e));
                return false;
            }
        }
        error(lineNo, QStringLiteral("faltan las comillas de cierre"));
        return false;
    }

    bool buildTree(const QString &text, QList<Node> &roots)
    {
        // A line belongs under the nearest shallower line above it. The nodes are kept in
        // a flat list with the index of their parent and linked at the end.
        struct Flat
        {
            Node node;
            int parent;
        };
        std::vector<Flat> flat;
        std::vector<std::pair<int, int>> open{{-1, -1}}; // (indent, flat index)
        const QStringList lines = text.split(QLatin1Char('\n'));
        bool ok = true;
        for (int n = 0; n < lines.size(); ++n) {
            QString line = lines[n];
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            Node node;
            node.line = n + 1;
            if (!tokenize(line, node.line, node.indent, node.tokens)) {
                ok = false;
                continue;
            }
            if (node.tokens.isEmpty())
                continue;
            while (open.back().first >= node.indent)
                open.pop_back();
            flat.push_back({node, open.back().second});
            open.push_back({node.indent, int(flat.size()) - 1});
        }
        // Link children bottom-up so that every node is complete before it is copied.
        for (int i = int(flat.size()) - 1; i >= 0; --i) {
            if (flat[std::size_t(i)].parent >= 0)
                flat[std::size_t(flat[std::size_t(i)].parent)].node.children.prepend(flat[std::size_t(i)].node);
        }
        for (const Flat &f : flat)
            if (f.parent < 0)
                roots << f.node;
        return ok;
    }

    // --- statements

    bool args(const Node &n, const QStringList &flags, const QStringList &keys, int minPos, int maxPos, Args &out)
    {
        for (int i = 1; i < n.tokens.size(); ++i) {
            const Token &t = n.tokens[i];
            if (!t.key.isEmpty()) {
                if (!keys.contains(t.key)) {
                    error(n.line, QStringLiteral("\"%1\" no admite la opción \"%2=\"").arg(n.tokens[0].text, t.key));
                    return false;
                }
                out.options.insert(t.key, t.text);
            } else if (!t.quoted && flags.contains(t.text)) {
                out.flags.insert(t.text);
            } else {
                out.positional << t.text;
                out.quoted << t.quoted;
            }
        }
        if (out.positional.size() < minPos || out.positional.size() > maxPos) {
            error(n.line, QStringLiteral("\"%1\" lleva de %2 a %3 valores, no %4 (%5)")
                              .arg(n.tokens[0].text).arg(minPos).arg(maxPos).arg(out.positional.size()).arg(out.positional.join(QLatin1Char(' '))));
            return false;
        }
        return true;
    }

    bool integer(const Node &n, const QString &text, int &value)
    {
        bool ok = false;
        value = text.toInt(&ok);
        if (!ok)
            error(n.line, QStringLiteral("\"%1\" no es un número entero").arg(text));
        return ok;
    }

    void noChildren(const Node &n)
    {
        if (!n.children.isEmpty())
            error(n.children.first().line, QStringLiteral("\"%1\" no lleva líneas interiores").arg(n.tokens[0].text));
    }

    void topLevel(const Node &n)
    {
        const QString kw = n.tokens[0].text;
        Args a;
        if (!m_seenForm && kw != QLatin1String("form")) {
            error(n.line, QStringLiteral("la descripción empieza con \"form <CÓDIGO>\""));
            m_seenForm = true;
        }
        if (kw == QLatin1String("form")) {
            if (args(n, {}, {}, 1, 1, a))
                m_form.code = a.positional[0];
            m_seenForm = true;
            noChildren(n);
        } else if (kw == QLatin1String("caption")) {
            if (args(n, {}, {}, 1, 1, a))
                m_form.caption = a.positional[0];
            noChildren(n);
        } else if (kw == QLatin1String("title")) {
            if (args(n, {}, {}, 1, 1, a))
                m_form.title = a.positional[0];
            noChildren(n);
        } else if (kw == QLatin1String("size")) {
            if (args(n, {}, {}, 2, 2, a)) {
                integer(n, a.positional[0], m_form.ancho);
                integer(n, a.positional[1], m_form.alto);
            }
            noChildren(n);
        } else if (kw == QLatin1String("sections")) {
            if (args(n, {}, {}, 1, 1, a)) {
                if (a.positional[0] == QLatin1String("runtime"))
                    m_form.seccionesEnEjecucion = true;
                else
                    error(n.line, QStringLiteral("sections solo admite runtime, no \"%1\"").arg(a.positional[0]));
            }
            noChildren(n);
        } else if (kw == QLatin1String("pagecontrol")) {
            if (args(n, {}, {}, 1, 1, a))
                m_form.pageControl = a.positional[0];
            noChildren(n);
        } else if (kw == QLatin1String("table")) {
            table(n);
        } else if (kw == QLatin1String("query")) {
            query(n);
        } else if (kw == QLatin1String("page")) {
            page(n);
        } else if (kw == QLatin1String("validate")) {
            validation(n);
        } else if (kw == QLatin1String("parent")) {
            parent(n);
        } else if (kw == QLatin1String("predio")) {
            predio(n);
        } else {
            error(n.line, QStringLiteral("instrucción desconocida \"%1\"").arg(kw));
        }
    }

    void table(const Node &n)
    {
        Args a;
        if (!args(n, {QStringLiteral("main")}, {QStringLiteral("dataset"), QStringLiteral("source"), QStringLiteral("master"), QStringLiteral("link")}, 1, 1, a))
            return;
        TableDescription t;
        t.name = a.positional[0];
        t.main = a.flags.contains(QStringLiteral("main"));
        t.dataset = a.options.value(QStringLiteral("dataset"));
        t.dataSource = a.options.value(QStringLiteral("source"));
        t.master = a.options.value(QStringLiteral("master"));
        t.line = n.line;
        const QString link = a.options.value(QStringLiteral("link"));
        if (t.master.isEmpty() != link.isEmpty())
            error(n.line, QStringLiteral("master= y link= van juntos"));
        const int colon = link.indexOf(QLatin1Char(':'));
        t.masterFields = colon < 0 ? link : link.left(colon);
        t.detailFields = colon < 0 ? link : link.mid(colon + 1);
        for (const Node &c : n.children) {
            if (c.tokens[0].text == QLatin1String("row") && !c.tokens[0].quoted)
                tableRow(c, t);
            else
                column(c, t);
        }
        m_form.tables << t;
    }

    void tableRow(const Node &n, TableDescription &t)
    {
        QList<QPair<QString, QString>> row;
        for (int i = 1; i < n.tokens.size(); ++i) {
            if (n.tokens[i].key.isEmpty()) {
                error(n.line, QStringLiteral("una fila se escribe columna=valor"));
                return;
            }
            row << qMakePair(n.tokens[i].key, n.tokens[i].text);
        }
        noChildren(n);
        t.rows << row;
    }

    static bool typeOf(const QString &word, FieldType &type)
    {
        static const QHash<QString, FieldType> types = {
            {QStringLiteral("integer"), FieldType::Integer}, {QStringLiteral("smallint"), FieldType::SmallInt},
            {QStringLiteral("float"), FieldType::Float},     {QStringLiteral("text"), FieldType::Text},
            {QStringLiteral("memo"), FieldType::Memo},       {QStringLiteral("boolean"), FieldType::Boolean},
            {QStringLiteral("datetime"), FieldType::DateTime}, {QStringLiteral("autoinc"), FieldType::AutoInc}};
        const auto it = types.find(word);
        if (it == types.end())
            return false;
        type = *it;
        return true;
    }

    void column(const Node &n, TableDescription &t)
    {
        noChildren(n);
        ColumnDescription c;
        c.name = n.tokens[0].text;
        c.line = n.line;
        if (n.tokens[0].quoted || !n.tokens[0].key.isEmpty() || n.tokens.size() < 2) {
            error(n.line, QStringLiteral("una columna se escribe <nombre> <tipo> [\"etiqueta\"]"));
            return;
        }
        const QString kind = n.tokens[1].text;
        Node rest = n;
        rest.tokens.removeFirst(); // "args" skips the statement word, here the type
        Args a;
        if (kind == QLatin1String("lookup")) {
            c.kind = ColumnDescription::Kind::Lookup;
            // <name> lookup <keys>=<table>.<keys> result=<field> ["label"] [readonly]
            QString mapping;
            for (int i = 2; i < n.tokens.size(); ++i) {
                const Token &tok = n.tokens[i];
                if (!tok.key.isEmpty() && tok.key != QLatin1String("result") && mapping.isEmpty()) {
                    mapping = tok.key + QLatin1Char('=') + tok.text;
                    rest.tokens.removeAt(i - 1);
                    break;
                }
            }
            if (!args(rest, {QStringLiteral("readonly")}, {QStringLiteral("result"), QStringLiteral("display")}, 0, 1, a))
                return;
            const int eq = mapping.indexOf(QLatin1Char('='));
            const int dot = mapping.indexOf(QLatin1Char('.'), eq);
            if (eq < 0 || dot < 0 || !a.options.contains(QStringLiteral("result"))) {
                error(n.line, QStringLiteral("un campo de búsqueda se escribe <nombre> lookup <clave>=<tabla>.<clave> result=<campo>"));
                return;
            }
            c.keyFields = mapping.left(eq);
            c.lookupTable = mapping.mid(eq + 1, dot - eq - 1);
            c.lookupKeyFields = mapping.mid(dot + 1);
            c.resultField = a.options.value(QStringLiteral("result"));
        } else {
            QString typeWord = kind;
            if (kind == QLatin1String("calc")) {
                c.kind = ColumnDescription::Kind::Calculated;
                if (rest.tokens.size() < 2) {
                    error(n.line, QStringLiteral("un campo calculado se escribe <nombre> calc <tipo>"));
                    return;
                }
                typeWord = rest.tokens[1].text;
                rest.tokens.removeAt(1);
            }
            if (!typeOf(typeWord, c.type)) {
                error(n.line, QStringLiteral("tipo desconocido \"%1\" (integer, smallint, float, text, memo, boolean, datetime, autoinc)").arg(typeWord));
                return;
            }
            if (!args(rest, {QStringLiteral("readonly")},
                      {QStringLiteral("default"), QStringLiteral("format"), QStringLiteral("display")}, 0, 2, a))
                return;
            if (c.type == FieldType::Text)
                c.size = 20;
            // An unquoted number after "text" is its size.
            if (!a.positional.isEmpty() && !a.quoted.first()) {
                if (c.type != FieldType::Text) {
                    error(n.line, QStringLiteral("sólo las columnas text llevan tamaño"));
                    return;
                }
                if (!integer(n, a.positional.first(), c.size))
                    return;
                if (c.size < 1 || c.size > 255)
                    error(n.line, QStringLiteral("el tamaño de un texto va de 1 a 255"));
                a.positional.removeFirst();
                a.quoted.removeFirst();
            }
            c.defaultValue = a.options.value(QStringLiteral("default"));
            c.displayFormat = a.options.value(QStringLiteral("format"));
        }
        if (a.positional.size() > 1 || (a.positional.size() == 1 && !a.quoted.first())) {
            error(n.line, QStringLiteral("la etiqueta de la columna \"%1\" va entre comillas").arg(c.name));
            return;
        }
        if (!a.positional.isEmpty())
            c.label = headerPieces(a.positional.first());
        c.readOnly = a.flags.contains(QStringLiteral("readonly"));
        if (a.options.contains(QStringLiteral("display"))) {
            if (!integer(n, a.options.value(QStringLiteral("display")), c.displayWidth))
                return;
            if (c.displayWidth < 1 || c.displayWidth > 255) {
                error(n.line, QStringLiteral("el ancho display= va de 1 a 255 caracteres"));
                return;
            }
        }
        t.columns << c;
    }

    void query(const Node &n)
    {
        Args a;
        if (!args(n, {}, {QStringLiteral("source"), QStringLiteral("database")}, 2, 2, a))
            return;
        noChildren(n);
        QueryDescription q;
        q.dataset = a.positional[0];
        q.sql = a.positional[1];
        q.dataSource = a.options.value(QStringLiteral("source"));
        const QString db = a.options.value(QStringLiteral("database"), QStringLiteral("working"));
        if (db != QLatin1String("main") && db != QLatin1String("working"))
            error(n.line, QStringLiteral("database= es main o working"));
        q.mainDatabase = db == QLatin1String("main");
        q.line = n.line;
        m_form.queries << q;
    }

    void page(const Node &n)
    {
        Args a;
        if (!args(n, {}, {QStringLiteral("level"), QStringLiteral("name")}, 0, 1, a))
            return;
        PageDescription p;
        p.line = n.line;
        p.outline = a.positional.value(0);
        p.name = a.options.value(QStringLiteral("name"));
        if (a.options.contains(QStringLiteral("level")))
            integer(n, a.options.value(QStringLiteral("level")), p.level);
        for (const Node &c : n.children)
            control(c, p.controls);
        m_form.pages << p;
    }

    void parent(const Node &n)
    {
        Args a;
        const QStringList opciones = {QStringLiteral("ces"), QStringLiteral("fir"), QStringLiteral("ciu"),
                                      QStringLiteral("required")};
        noChildren(n);
        if (!args(n, opciones, {}, 1, 1, a))
            return;
        ParentDescription &p = m_form.parent;
        p.code = a.positional[0].toLower();
        p.line = n.line;
        if (p.code != QLatin1String("dorvo") && p.code != QLatin1String("ferun"))
            error(n.line, QStringLiteral("parent es dorvo o ferun, no \"%1\"").arg(a.positional[0]));
        p.required = a.flags.contains(QStringLiteral("required"));
        for (const QString &o : opciones.mid(0, 3))
            if (a.flags.contains(o))
                p.options << o;
    }

    // The first page of a bound form: the request form's property data as replicas (bound
    // at run time), the form's own property code and affected surface hidden, and the
    // hidden button that opens the property register.
    void parentPage()
    {
        const ParentDescription &p = m_form.parent;
        if (p.code.isEmpty())
            return;
        const TableDescription *main = m_form.mainTable();
        QString text = QStringLiteral("page\n  label \"No cambiar nada de esta página !\" warning\n");
        for (const char *own : {"sup_afe", "cod_pre"})
            if (main && main->column(QLatin1String(own)))
                text += QStringLiteral("  edit %1 hidden\n").arg(QLatin1String(own));
        text += QStringLiteral(
            "  button btnLlenarPredio \"Llenar predio\" hidden\n"
            "  group \" Antecedentes del Predio \"\n"
            "    edit nom_pre \"Nombre del Predio:\" external width=40\n"
            "    lookup reg \"Región:\" external\n"
            "    lookup prv \"Provincia:\" external\n"
            "    lookup com \"Comuna:\" external\n"
            "    edit sup \"Superficie según plano (ha):\" external\n"
            "    edit sup_tit \"Superficie según título (ha):\" external\n"
            "    edit sup_sii \"Superficie según S.I.I. (ha):\" external\n"
            "    memo via \"Vías de Acceso:\" external lines=2\n"
            "    grid dbgPropietarios pro \"Propietarios\" external rows=3\n"
            "      rut width=10\n      dv width=2\n      nom width=16\n      pat width=12\n      mat width=12\n"
            "      dom width=30\n      com_look width=16\n"
            "    row\n"
            "      grid dbgRoles rol \"Roles de Avalúo\" external rows=3\n"
            "        rol\n        com_look width=20\n"
            "      grid dbgRolesContiguos rol_con \"Roles de avalúo contiguos al predio\" external rows=3\n"
            "        rol\n"
            "    row\n"
            "      grid dbgCoordenadas coo \"Coordenadas U.T.M.\" external rows=3\n"
            "        pun width=30\n        n\n        e\n");
        if (p.options.contains(QLatin1String("ces")))
            text += QStringLiteral("    grid dbgCesionarios ces \"Cesionarios o Beneficiarios\" external rows=3\n"
                                   "      rut width=10\n      dv width=2\n      nom width=16\n      pat width=12\n"
                                   "      mat width=12\n");
        if (p.options.contains(QLatin1String("ciu")))
            text += QStringLiteral("    edit ciu \"Ciudad:\" external width=30\n");
        if (p.options.contains(QLatin1String("fir")))
            text += QStringLiteral("    lookup fir \"Firmante:\" external width=50\n");
        QList<Node> roots;
        if (!buildTree(text, roots) || roots.size() != 1)
            return;
        const int before = int(m_form.pages.size());
        page(roots.first());
        if (m_form.pages.size() == before + 1) {
            PageDescription replica = m_form.pages.takeLast();
            replica.line = p.line;
            m_form.pages.prepend(replica);
        }
    }

    // --- the property section of a request form ("predio", see FORMS.md)

    struct Predio
    {
        QString suffix;
        bool coo = false;
        bool rolCon = false;
        bool usuf = false;
        bool rutFirst = false;
        bool idPre = false;
        bool repOnly = false;
        QString fono = QStringLiteral("30"); // representatives' phone: "30", "50", "none"
        QString fonoPro;                     // owners' phone: "30", "50"; empty: as fono (30 for none)
        QString juridical = QStringLiteral("nom");
    };

    static QString quote(const QString &text)
    {
        QString out = text;
        out.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\"")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
        return QLatin1Char('"') + out + QLatin1Char('"');
    }

    // Description text the parser writes itself, read as if it stood on `line`.
    QList<Node> expansion(const QString &text, int line)
    {
        QList<Node> roots;
        buildTree(text, roots);
        std::function<void(Node &)> relabel = [&](Node &node) {
            node.line = line;
            for (Node &child : node.children)
                relabel(child);
        };
        for (Node &r : roots)
            relabel(r);
        return roots;
    }

    // The property tables, the locality lists and (first property) the signatory list.
    void predio(const Node &n)
    {
        Args a;
        noChildren(n);
        if (!args(n, {QStringLiteral("coo"), QStringLiteral("rol_con"), QStringLiteral("usuf"), QStringLiteral("rutfirst"), QStringLiteral("id_pre"),
                      QStringLiteral("reponly")},
                  {QStringLiteral("suffix"), QStringLiteral("fono"), QStringLiteral("fonopro"), QStringLiteral("juridical")}, 0, 0,
                  a))
            return;
        Predio p;
        p.suffix = a.options.value(QStringLiteral("suffix"));
        p.coo = a.flags.contains(QStringLiteral("coo"));
        p.rolCon = a.flags.contains(QStringLiteral("rol_con"));
        p.usuf = a.flags.contains(QStringLiteral("usuf"));
        p.rutFirst = a.flags.contains(QStringLiteral("rutfirst"));
        p.idPre = a.flags.contains(QStringLiteral("id_pre"));
        p.repOnly = a.flags.contains(QStringLiteral("reponly"));
        p.fono = a.options.value(QStringLiteral("fono"), p.fono);
        p.juridical = a.options.value(QStringLiteral("juridical"), p.juridical);
        if (p.fono != QLatin1String("30") && p.fono != QLatin1String("50") && p.fono != QLatin1String("none"))
            return error(n.line, QStringLiteral("fono= es 30, 50 o none, no \"%1\"").arg(p.fono));
        p.fonoPro = a.options.value(QStringLiteral("fonopro"), p.fono == QLatin1String("50") ? p.fono : QStringLiteral("30"));
        if (p.fonoPro != QLatin1String("30") && p.fonoPro != QLatin1String("50"))
            return error(n.line, QStringLiteral("fonopro= es 30 o 50, no \"%1\"").arg(p.fonoPro));
        if (p.juridical != QLatin1String("nom") && p.juridical != QLatin1String("pat"))
            return error(n.line, QStringLiteral("juridical= es nom o pat, no \"%1\"").arg(p.juridical));
        if (m_predios.contains(p.suffix))
            return error(n.line, QStringLiteral("ya hay un predio con suffix=\"%1\"").arg(p.suffix));
        const TableDescription *main = m_form.mainTable();
        if (!main)
            return error(n.line, QStringLiteral("predio va después de la tabla principal"));
        m_predios.insert(p.suffix, p);

        const QString prefix = m_form.code.toLower() + QLatin1Char('_');
        const QString s = p.suffix;
        QString text;
        const auto table = [&](const char *part, const char *columns) {
            text += QStringLiteral("table ") + prefix + QLatin1String(part) + s;
            if (p.idPre)
                text += QStringLiteral(" master=%1 link=id_pre").arg(main->name);
            text += QStringLiteral("\n  id autoinc\n");
            if (p.idPre)
                text += QStringLiteral("  id_pre integer\n");
            text += QString::fromUtf8(columns);
        };
        const char *comuna = "  com text 6 \"Comuna\"\n"
                             "  com_look lookup com=qryComunas.loca_codigo result=loca_descripcion \"Comuna\"\n";
        const char *comunaPersona = "  com text 6 \"Comuna\"\n"
                                    "  com_look lookup com=qryComunas.loca_codigo result=loca_descripcion \"Comuna\" display=12\n";
        if (p.coo)
            table("coo", "  pun text 60 \"Punto de Referencia\"\n  n integer \"Coordenadas UTM | N\"\n  e integer \"Coordenadas UTM | E\"\n");
        table("rol", "  rol text 20 \"Rol Nº\"\n");
        text += QString::fromUtf8(comuna);
        if (p.rolCon)
            table("rol_con", "  rol text 20 \"Rol Nº\"\n");
        table("con", "  foj text 50 \"Fojas\"\n  num integer \"Número\"\n  ano smallint \"Año\"\n  con text 60 \"Conservador de Bienes Raíces\"\n");
        table("cer", "  cer text 20 \"Nº Certificado\"\n  fec datetime \"Fecha\"\n");
        for (const bool owners : {true, false}) {
            table(owners ? "pro" : "rep",
                  "  rut integer \"R.U.T.\"\n  dv text 1 \"-\"\n  nom text 60 \"Nombres\" display=18\n"
                  "  pat text 60 \"Apellido Paterno\" display=14\n  mat text 60 \"Apellido Materno\" display=14\n"
                  "  dom text 80 \"Domicilio\" display=22\n  ciu text 60 \"Ciudad\" display=12\n");
            // Printed, the persons' tables keep a legible size: long names and addresses wrap.
            text += QString::fromUtf8(comunaPersona);
            if (owners || p.fono != QLatin1String("none"))
                text += QStringLiteral("  fono text %1 \"Teléfono\" display=10\n").arg(owners ? p.fonoPro : p.fono);
            if (!p.idPre)
                text += QStringLiteral("  firm boolean \"Firmante\" default=0\n");
            // Rows per property keep the sex (and usufruct) an upgraded document has,
            // though their grids do not show them.
            text += QStringLiteral("  sexo integer \"Sexo\"\n");
            if (owners && p.usuf)
                text += QStringLiteral("  usuf boolean \"Usufruct.\" default=0\n");
        }
        for (const auto &[list, type] : {std::pair{"qryComunas", 'C'}, std::pair{"qryProvincias", 'P'}, std::pair{"qryRegiones", 'R'}})
            if (!m_form.query(QLatin1String(list)))
                text += QStringLiteral("query %1 \"SELECT loca_codigo, loca_tipo, loca_descripcion FROM localidad WHERE loca_tipo = '%2' "
                                       "ORDER BY loca_descripcion COLLATE ESPANOL\" database=main\n")
                            .arg(QLatin1String(list))
                            .arg(QLatin1Char(type));
        // Who may sign: the owners, and the representatives who are not owners themselves
        // (taken from the representatives crossed with the owners unless `reponly`).
        if (s.isEmpty()) {
            const QString pro = prefix + QStringLiteral("pro");
            const QString rep = prefix + QStringLiteral("rep");
            text += QStringLiteral("query adqNom_firma \"SELECT rut, ifnull(pat, '') || ' ' || ifnull(mat, '') || ' ' || ifnull(nom, '') AS nom_completo "
                                   "FROM %1 UNION SELECT r.rut, ifnull(r.pat, '') || ' ' || ifnull(r.mat, '') || ' ' || ifnull(r.nom, '') "
                                   "FROM %2 r%3 WHERE r.rut NOT IN (SELECT rut FROM %1 WHERE rut IS NOT NULL) ORDER BY nom_completo COLLATE ESPANOL\"\n")
                        .arg(pro, rep, p.repOnly ? QString() : QStringLiteral(", %1 p").arg(pro));
        }
        for (const Node &r : expansion(text, n.line))
            topLevel(r);
    }

    // "predio property|persons|request [suffix=] ["Group title"]" inside a page: the
    // section's controls, for the property declared by the "predio" statement.
    void predioControls(const Node &n, QList<ControlDescription> &into)
    {
        Args a;
        noChildren(n);
        if (!args(n, {}, {QStringLiteral("suffix")}, 1, 3, a))
            return;
        const QString part = a.positional[0];
        const QString s = a.options.value(QStringLiteral("suffix"));
        if (!m_predios.contains(s))
            return error(n.line, QStringLiteral("falta la instrucción predio%1 antes de las páginas").arg(s.isEmpty() ? QString() : QStringLiteral(" suffix=") + s));
        const Predio &p = m_predios[s];
        const TableDescription *main = m_form.mainTable();
        const auto has = [&](const QString &field) { return main && main->column(field + s); };
        const QString title = a.positional.size() > 1 ? quote(a.positional[1]) : QString();
        // (persons: a second title retitles the representatives' group)
        const QString titleRep = a.positional.size() > 2 ? quote(a.positional[2]) : QString();
        const QString prefix = m_form.code.toLower() + QLatin1Char('_');
        const QString grid = QStringLiteral("dbg") + m_form.code + QLatin1Char('_');
        QString text;
        if (part == QLatin1String("property")) {
            text += QStringLiteral("button btnLlenarPredio%1 \"Seleccionar Predio desde Base de Datos...\"\n").arg(s);
            text += QStringLiteral("group %1\n").arg(title.isEmpty() ? QStringLiteral("\" Predio \"") : title);
            if (has(QStringLiteral("nom_pre")))
                text += QStringLiteral("  edit nom_pre%1 \"Nombre:\" name=dbe_nom_pre%1\n").arg(s);
            for (const auto &[field, label, list] : {std::tuple{"com", "Comuna:", "qryComunas"}, std::tuple{"prv", "Provincia:", "qryProvincias"},
                                                     std::tuple{"reg", "Región:", "qryRegiones"}})
                if (has(QLatin1String(field)))
                    text += QStringLiteral("  lookup %1%2 \"%3\" list=%4 key=loca_codigo show=loca_descripcion name=dbl_%1%2%5\n")
                                .arg(QLatin1String(field), s, QString::fromUtf8(label), QLatin1String(list),
                                     qstrcmp(field, "com") ? QStringLiteral(" readonly") : QString());
            const auto surfaces = [&](const char *first, const char *firstLabel, const char *second, const char *secondLabel) {
                QString row;
                for (const auto &[field, label] : {std::pair{first, firstLabel}, std::pair{second, secondLabel}})
                    if (has(QLatin1String(field)))
                        row += QStringLiteral("    edit %1%2 \"%3\" name=dbe_%1%2\n").arg(QLatin1String(field), s, QString::fromUtf8(label));
                if (!row.isEmpty())
                    text += QStringLiteral("  row\n") + row;
            };
            surfaces("sup", "Superficie (há):", "sup_afe", "Afecta a Solicitud (há):");
            surfaces("sup_tit", "Según Título de Dominio (há):", "sup_sii", "Según S.I.I. (há):");
            if (has(QStringLiteral("via")))
                text += QStringLiteral("  memo via%1 \"Vías de Acceso:\" lines=3 name=dbm_via%1\n").arg(s);
            if (p.coo)
                text += QStringLiteral("group \" Coordenadas UTM \"\n  grid %1coo%2 %3coo%2 \"Puntos de Referencia\" rows=3\n"
                                       "    pun width=30\n    n\n    e\n")
                            .arg(grid, s, prefix);
            text += QStringLiteral("group \" Roles de Avalúo \"\n  row\n    grid %1rol%2 %3rol%2 \"Roles de Avalúo del Predio:\" rows=3\n"
                                   "      rol\n      com_look width=20\n")
                        .arg(grid, s, prefix);
            if (p.rolCon)
                text += QStringLiteral("    grid %1rol_con%2 %3rol_con%2 \"Roles de Avalúo contiguos al Predio:\" rows=3\n      rol\n").arg(grid, s, prefix);
            text += QStringLiteral("group \" Información Administrativa \"\n"
                                   "  grid %1con%2 %3con%2 \"Fojas del Conservador de Bienes Raíces:\" rows=3\n"
                                   "    foj\n    num\n    ano\n    con width=30\n"
                                   "  grid %1cer%2 %3cer%2 \"Certificados del Ministerio de Bienes Nacionales:\" rows=3\n"
                                   "    cer\n    fec\n")
                        .arg(grid, s, prefix);
        } else if (part == QLatin1String("persons")) {
            // The edited grids, then the printed ones: natural persons and, headed
            // "Razón Social", juridical persons.
            for (const bool owners : {true, false}) {
                const QString table = prefix + (owners ? QStringLiteral("pro") : QStringLiteral("rep")) + s;
                const QString name = grid + (owners ? QStringLiteral("pro") : QStringLiteral("rep")) + s;
                const bool fono = owners || p.fono != QLatin1String("none");
                if (owners && !title.isEmpty())
                    text += QStringLiteral("group %1\n").arg(title);
                else if (!owners && !titleRep.isEmpty())
                    text += QStringLiteral("group %1\n").arg(titleRep);
                else
                    text += owners ? QStringLiteral("group \" Propietarios \"\n") : QStringLiteral("group \" Representantes Legales \"\n");
                text += QStringLiteral("  grid %1 %2 rows=%3\n").arg(name, table).arg(owners ? 4 : 3);
                if (!p.idPre)
                    text += QStringLiteral("    firm\n");
                if (owners && p.usuf && !p.idPre)
                    text += QStringLiteral("    usuf\n");
                text += QStringLiteral("    rut width=10\n    dv width=2\n    nom width=16\n    pat \"Apellido\\nPaterno\" width=12\n"
                                       "    mat \"Apellido\\nMaterno\" width=12\n");
                if (!p.idPre)
                    text += QStringLiteral("    sexo width=10 list=tceSexo\n");
                text += QStringLiteral("    dom width=30\n    com_look width=20\n    ciu\n");
                if (fono)
                    text += QStringLiteral("    fono\n");
            }
            for (const bool owners : {true, false}) {
                const QString table = prefix + (owners ? QStringLiteral("pro") : QStringLiteral("rep")) + s;
                const QString name = grid + (owners ? QStringLiteral("pro") : QStringLiteral("rep")) + s;
                const QString rut = QStringLiteral("  rut\n  dv \"-\"\n");
                const QString rest = QStringLiteral("  dom\n  com_look width=14\n  ciu\n") + (owners ? QStringLiteral("  fono\n") : QString());
                text += QStringLiteral("grid %1_nat %2 hidden\n").arg(name, table);
                const QString names = QStringLiteral("  nom\n  pat\n  mat\n");
                text += (p.rutFirst ? rut + names : names + rut) + rest;
                text += QStringLiteral("grid %1_jur %2 hidden\n  %3 \"Razón Social\"\n").arg(name, table, p.juridical) + rut + rest;
            }
        } else if (part == QLatin1String("request")) {
            text += QStringLiteral("group %1\n").arg(title.isEmpty() ? QStringLiteral("\" Información de Solicitud\"") : title);
            QString row;
            if (has(QStringLiteral("fec")))
                row += QStringLiteral("    date fec%1 \"Fecha:\" name=dbd_fec%1\n").arg(s);
            if (has(QStringLiteral("ciu")))
                row += QStringLiteral("    edit ciu%1 \"Ciudad:\" name=dbe_ciu%1\n").arg(s);
            if (!row.isEmpty())
                text += QStringLiteral("  row\n") + row;
            if (has(QStringLiteral("fir")))
                text += QStringLiteral("  lookup fir%1 \"Firmante:\" list=adqNom_firma key=rut show=nom_completo name=dbl_fir%1 width=50\n").arg(s);
        } else {
            return error(n.line, QStringLiteral("predio en una página es property, persons o request, no \"%1\"").arg(part));
        }
        for (const Node &r : expansion(text, n.line))
            control(r, into);
    }

    void validation(const Node &n)
    {
        Args a;
        if (!args(n, {}, {}, 1, 1, a))
            return;
        ValidationDescription v;
        v.table = a.positional[0];
        v.line = n.line;
        for (const Node &c : n.children) {
            noChildren(c);
            Args e;
            Node rest = c;
            if (!args(rest, {}, {QStringLiteral("limit")}, 0, 20, e))
                continue;
            ValidationDescription::Entry entry;
            entry.field = c.tokens[0].text;
            entry.flags = e.positional;
            entry.line = c.line;
            if (e.options.contains(QStringLiteral("limit"))) {
                bool ok = false;
                const double limit = e.options.value(QStringLiteral("limit")).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
                if (!ok)
                    error(c.line, QStringLiteral("el límite \"%1\" no es un número").arg(e.options.value(QStringLiteral("limit"))));
                entry.limit = limit;
            }
            if (entry.flags.isEmpty())
                error(c.line, QStringLiteral("el campo \"%1\" no tiene validaciones").arg(entry.field));
            v.entries << entry;
        }
        m_form.validations << v;
    }

    // "tabla.campo" names the table's data source; a plain field is the main table's
    // unless source= says otherwise.
    static void fieldRef(const QString &text, ControlDescription &c)
    {
        const int dot = text.indexOf(QLatin1Char('.'));
        if (dot > 0) {
            c.source = text.left(dot);
            c.field = text.mid(dot + 1);
        } else {
            c.field = text;
        }
    }

    void control(const Node &n, QList<ControlDescription> &into)
    {
        using K = ControlDescription::Kind;
        static const QHash<QString, K> kinds = {
            {QStringLiteral("group"), K::Group},   {QStringLiteral("row"), K::Row},       {QStringLiteral("label"), K::Label},
            {QStringLiteral("heading"), K::Heading}, {QStringLiteral("edit"), K::Edit},   {QStringLiteral("date"), K::Date},
            {QStringLiteral("memo"), K::Memo},     {QStringLiteral("check"), K::Check},   {QStringLiteral("combo"), K::Combo},
            {QStringLiteral("lookup"), K::Lookup}, {QStringLiteral("navigator"), K::Navigator},
            {QStringLiteral("button"), K::Button}, {QStringLiteral("grid"), K::Grid}};
        const QString kw = n.tokens[0].text;
        if (kw == QLatin1String("predio") && !n.tokens[0].quoted) {
            predioControls(n, into);
            return;
        }
        const auto it = kinds.find(kw);
        if (it == kinds.end() || n.tokens[0].quoted) {
            error(n.line, QStringLiteral("control desconocido \"%1\"").arg(kw));
            return;
        }
        ControlDescription c;
        c.kind = *it;
        c.line = n.line;
        const QStringList common = {QStringLiteral("hidden")};
        const QStringList bound = {QStringLiteral("hidden"), QStringLiteral("readonly"), QStringLiteral("external")};
        const QStringList fieldKeys = {QStringLiteral("name"), QStringLiteral("source"), QStringLiteral("width")};
        Args a;
        switch (c.kind) {
        case K::Group:
        case K::Row:
            if (!args(n, common, {QStringLiteral("name")}, 0, c.kind == K::Group ? 1 : 0, a))
                return;
            c.caption = a.positional.value(0);
            for (const Node &child : n.children)
                control(child, c.children);
            break;
        case K::Label:
        case K::Heading:
            if (!args(n, {QStringLiteral("hidden"), QStringLiteral("warning")}, {QStringLiteral("name")}, 1, 1, a))
                return;
            c.caption = a.positional[0];
            noChildren(n);
            break;
        case K::Edit:
        case K::Date:
        case K::Memo:
        case K::Check:
        case K::Lookup: {
            QStringList keys = fieldKeys;
            if (c.kind == K::Memo)
                keys << QStringLiteral("lines");
            if (c.kind == K::Edit)
                keys << QStringLiteral("maxlength");
            if (c.kind == K::Lookup)
                keys << QStringLiteral("list") << QStringLiteral("key") << QStringLiteral("show");
            if (!args(n, bound, keys, 1, 2, a))
                return;
            fieldRef(a.positional[0], c);
            c.caption = a.positional.value(1);
            c.listSource = a.options.value(QStringLiteral("list"));
            c.keyField = a.options.value(QStringLiteral("key"));
            c.listField = a.options.value(QStringLiteral("show"));
            if (a.options.contains(QStringLiteral("lines")))
                integer(n, a.options.value(QStringLiteral("lines")), c.lines);
            if (a.options.contains(QStringLiteral("maxlength")))
                integer(n, a.options.value(QStringLiteral("maxlength")), c.maxLength);
            noChildren(n);
            break;
        }
        case K::Combo:
            if (!args(n, bound, fieldKeys, 1, 2, a))
                return;
            fieldRef(a.positional[0], c);
            c.caption = a.positional.value(1);
            items(n, c.items, c.keys);
            break;
        case K::Navigator:
            if (!args(n, bound, {QStringLiteral("name")}, 0, 1, a))
                return;
            c.source = a.positional.value(0);
            noChildren(n);
            break;
        case K::Button:
            if (!args(n, common, {}, 1, 2, a))
                return;
            c.name = a.positional[0];
            c.caption = a.positional.value(1);
            noChildren(n);
            break;
        case K::Grid:
            if (!args(n, bound, {QStringLiteral("tag"), QStringLiteral("allow"), QStringLiteral("rows")}, 1, 3, a))
                return;
            grid(n, a, c);
            break;
        }
        if (c.name.isEmpty())
            c.name = a.options.value(QStringLiteral("name"));
        c.hidden = a.flags.contains(QStringLiteral("hidden"));
        c.readOnly = a.flags.contains(QStringLiteral("readonly"));
        c.external = a.flags.contains(QStringLiteral("external"));
        c.warning = a.flags.contains(QStringLiteral("warning"));
        if (a.options.contains(QStringLiteral("source")))
            c.source = a.options.value(QStringLiteral("source"));
        if (a.options.contains(QStringLiteral("width")))
            integer(n, a.options.value(QStringLiteral("width")), c.width);
        into << c;
    }

    // The `item "text" [key]` lines under a combo or a grid column.
    void items(const Node &n, QStringList &textos, QStringList &claves)
    {
        for (const Node &item : n.children) {
            Args ia;
            if (item.tokens[0].text != QLatin1String("item") || !args(item, {}, {}, 1, 2, ia)) {
                if (item.tokens[0].text != QLatin1String("item"))
                    error(item.line, QStringLiteral("una lista fija sólo lleva líneas item \"texto\" [clave]"));
                continue;
            }
            textos << ia.positional[0];
            if (ia.positional.size() > 1)
                claves << ia.positional[1];
        }
    }

    void grid(const Node &n, const Args &a, ControlDescription &c)
    {
        // grid <name> [<table or source>] ["caption"]
        c.name = a.positional[0];
        for (int i = 1; i < a.positional.size(); ++i) {
            if (a.quoted[i])
                c.caption = a.positional[i];
            else
                c.source = a.positional[i];
        }
        GridDescription &g = c.grid;
        if (a.options.contains(QStringLiteral("tag")))
            integer(n, a.options.value(QStringLiteral("tag")), g.tag);
        if (a.options.contains(QStringLiteral("rows")))
            integer(n, a.options.value(QStringLiteral("rows")), g.rows);
        if (a.options.contains(QStringLiteral("allow"))) {
            g.allowInsert = g.allowUpdate = g.allowDelete = g.allowAppend = false;
            for (const QString &op : a.options.value(QStringLiteral("allow")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                if (op == QLatin1String("insert"))
                    g.allowInsert = true;
                else if (op == QLatin1String("update"))
                    g.allowUpdate = true;
                else if (op == QLatin1String("delete"))
                    g.allowDelete = true;
                else if (op == QLatin1String("append"))
                    g.allowAppend = true;
                else if (op != QLatin1String("none"))
                    error(n.line, QStringLiteral("allow= admite insert, update, delete, append o none, no \"%1\"").arg(op));
            }
        }
        for (const Node &child : n.children) {
            if (child.tokens[0].text == QLatin1String("footer") && !child.tokens[0].quoted) {
                Args fa;
                if (!args(child, {}, {QStringLiteral("at"), QStringLiteral("align")}, 1, 20, fa))
                    continue;
                if (!fa.quoted.first())
                    error(child.line, QStringLiteral("el pie empieza con su texto entre comillas (\"Total:\")"));
                noChildren(child);
                g.footerCaption = fa.positional.first();
                g.footerSums = fa.positional.mid(1);
                g.footerColumn = fa.options.value(QStringLiteral("at"));
                g.footerAlignment = fa.options.value(QStringLiteral("align"));
                static const QStringList alineaciones = {QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right")};
                if (!g.footerAlignment.isEmpty() && !alineaciones.contains(g.footerAlignment))
                    error(child.line, QStringLiteral("align= admite left, center o right, no \"%1\"").arg(g.footerAlignment));
                continue;
            }
            Args ca;
            if (!args(child, {QStringLiteral("readonly"), QStringLiteral("hidden")}, {QStringLiteral("width"), QStringLiteral("list")}, 0, 1, ca))
                continue;
            GridColumnDescription gc;
            gc.field = child.tokens[0].text;
            gc.title = ca.positional.value(0);
            gc.readOnly = ca.flags.contains(QStringLiteral("readonly"));
            gc.hidden = ca.flags.contains(QStringLiteral("hidden"));
            gc.list = ca.options.value(QStringLiteral("list"));
            gc.line = child.line;
            if (ca.options.contains(QStringLiteral("width")))
                integer(child, ca.options.value(QStringLiteral("width")), gc.width);
            items(child, gc.items, gc.keys);
            g.columns << gc;
        }
    }

    // --- default component names

    QString unique(const QString &base)
    {
        QString name = base;
        for (int i = 2; m_used.contains(name.toLower()); ++i)
            name = base + QLatin1Char('_') + QString::number(i);
        m_used.insert(name.toLower());
        return name;
    }

    void collectNames(const QList<ControlDescription> &controls)
    {
        for (const ControlDescription &c : controls) {
            if (!c.name.isEmpty())
                m_used.insert(c.name.toLower());
            collectNames(c.children);
        }
    }

    void nameControls(QList<ControlDescription> &controls)
    {
        using K = ControlDescription::Kind;
        static const QHash<int, QString> prefixes = {
            {int(K::Group), QStringLiteral("grp")}, {int(K::Row), QStringLiteral("row")},  {int(K::Label), QStringLiteral("lbl")},
            {int(K::Heading), QStringLiteral("lbl")}, {int(K::Edit), QStringLiteral("edt")}, {int(K::Date), QStringLiteral("dte")},
            {int(K::Memo), QStringLiteral("mem")},  {int(K::Check), QStringLiteral("chk")}, {int(K::Combo), QStringLiteral("cbo")},
            {int(K::Lookup), QStringLiteral("lcb")}, {int(K::Navigator), QStringLiteral("nav")}};
        for (ControlDescription &c : controls) {
            if (c.name.isEmpty()) {
                QString base = prefixes.value(int(c.kind));
                if (!c.field.isEmpty())
                    base += QLatin1Char('_') + c.field;
                else if (c.kind == K::Navigator)
                    base += QLatin1Char('_') + (c.source.isEmpty() ? QStringLiteral("Ppal") : c.source);
                else
                    base += QString::number(++m_counter);
                c.name = unique(base);
            }
            nameControls(c.children);
        }
    }

    void fillDefaultNames()
    {
        const QString code = m_form.code;
        for (TableDescription &t : m_form.tables) {
            QString suffix = t.name;
            if (suffix.startsWith(code + QLatin1Char('_'), Qt::CaseInsensitive))
                suffix = suffix.mid(code.size() + 1);
            if (t.dataset.isEmpty())
                t.dataset = t.main ? QStringLiteral("adsPpal") : QStringLiteral("adt") + code + QLatin1Char('_') + suffix;
            if (t.dataSource.isEmpty())
                t.dataSource = t.main ? QStringLiteral("dsrcPpal") : QStringLiteral("dsrc") + code + QLatin1Char('_') + suffix;
        }
        for (QueryDescription &q : m_form.queries)
            if (q.dataSource.isEmpty())
                q.dataSource = QStringLiteral("dsrc") + q.dataset;
        for (int i = 0; i < m_form.pages.size(); ++i) {
            if (m_form.pages[i].name.isEmpty())
                m_form.pages[i].name = QStringLiteral("TabSheet") + QString::number(i);
            collectNames(m_form.pages[i].controls);
        }
        for (PageDescription &p : m_form.pages)
            nameControls(p.controls);
    }

    QString m_file;
    QStringList *m_errors;
    FormDescription m_form;
    bool m_seenForm = false;
    bool m_failed = false;
    QSet<QString> m_used;
    int m_counter = 0;
    QHash<QString, Predio> m_predios; // by suffix
};

} // namespace

std::optional<FormDescription> FormDescriptionParser::parse(const QString &text, const QString &fileName, QStringList *errors)
{
    return Parser(fileName, errors).run(text);
}

std::optional<FormDescription> FormDescriptionParser::parseFile(const QString &path, QStringList *errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errors)
            *errors << QStringLiteral("%1: no se pudo leer (%2)").arg(path, file.errorString());
        return std::nullopt;
    }
    return parse(QString::fromUtf8(file.readAll()), path.startsWith(QLatin1Char(':')) ? path : QFileInfo(path).fileName(), errors);
}
