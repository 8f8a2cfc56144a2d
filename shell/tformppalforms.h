#pragma once
// The open-document dialog: the document index (table formPredio) grouped by property.
// The consultant picks a document to open, edits its state and resolution number, and
// copies its document or exchange file elsewhere. Created once at start-up on its own
// connection to the main database, which it opens each time it is shown.
#include <QDialog>

#include <functional>

class Connection;
class DataSource;
class DBComboBox;
class DBDateEdit;
class DBEdit;
class DBGrid;
class Dataset;
class QLabel;
class QPushButton;
class Query;
class Table;

class TFormPpalForms : public QDialog
{
    Q_OBJECT

public:
    // `dirAplicacion` is the program directory, ending in "/".
    explicit TFormPpalForms(const QString &dirAplicacion, QWidget *parent = nullptr);

    // 1 when the dialog closed through "Abrir"; whoever shows it clears it first.
    int Tag = 0;

    // The formPredio row chosen with "Abrir".
    struct Documento
    {
        QString archivo;     // foco_archivo
        int predCodigo = 0;  // pred_codigo
        QString hash;        // foco_hashXml
        int consultorId = 0; // foco_consultorId, 0 when empty
        int estado = 0;      // foco_estado
    };
    Documento DocumentoElegido() const;

    // The save-file dialog of the two copy buttons: (proposed file, filter) -> chosen file,
    // empty when cancelled. Tests replace it.
    std::function<QString(const QString &inicial, const QString &filtro)> dlgGuardar;

    // The labels of the states 0 to 4 of foco_estado.
    static QStringList Estados();

    Connection *ADOConexionBD;
    Query *adsPredios;
    Query *adtFormularios;   // every combination, for the grid's form column
    Table *adtFormPredio;    // the rows of the selected property
    Query *adsFormulario;    // the combination of the selected row
    DataSource *dsrcPredios, *dsrcFormPredio, *dsrcFormulario;

    DBGrid *dblPredios;
    QLabel *lblNombrePredio, *lblFormulario;
    DBGrid *DBGridEh1;
    DBDateEdit *edtFecha;
    DBComboBox *dbBoxFP_estado;
    DBEdit *edtNroResol;
    QPushButton *btnAbrir, *btnGuardar, *btnCancelar, *btnExpForm, *btnCopyXML, *btnCerrar;

    // The button commands.
    void btnAbrirClick();
    void btnGuardarClick();
    void btnCancelarClick();
    void btnExpFormClick();
    void btnCopyXMLClick();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void actualizarControles();
    // Copies `origen` to a file the consultant chooses (proposed: `origen`; `extension`
    // added to a name without one); nothing when cancelled or when the choice is `origen`
    // itself, under whatever spelling.
    void copiarA(const QString &origen, const QString &filtro, const QString &extension);
    // What tells whether the main database changed since it was read: the changes other
    // connections committed, and the file's size and time (a file put in its place).
    QString firmaDatos() const;

    QString m_dirAplicacion;
    QString m_firmaLeida;
};
