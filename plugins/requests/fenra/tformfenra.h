#pragma once
// The request for a free-transit guide FENRA, built from fenra.form: two property
// sections, the origin (the document's property) and the destination (suffix 2, a
// second register property whose code the form keeps), and the transport: previous
// guides, tax documents, products with their volumes, the vehicle and the driver.
#include "predio/tformsolicitudpredio.h"

#include <optional>

class DBEdit;
class Dataset;

class TFormFenra : public TFormSolicitudPredio
{
    Q_OBJECT

public:
    // The kind of transport that is another kind, described in trans_tipo_otro.
    static constexpr int kTransporteOtro = 4;

    explicit TFormFenra(QWidget *owner = nullptr);

    void Nuevo() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void LlenarInfoPredio() override;
    void GuardarPredio() override;
    void TerminarGuardarPredio(bool guardado) override;
    // The form reads nothing from its siblings.
    void ConexionesExternas() override {}
    // The guide in the agency's layout: the producer, the dispatch place, the transport,
    // the addressee, the delivery place, the previous guides, tax documents and products.
    void ComponerImpresion(TImpresion *impresion) override;
    // FORMULARIO with the origin's and the destination's PREDIO, the transport, the
    // driver, the previous guides, tax documents and products.
    QByteArray PrepararXML() override;

    SeccionPredio *Destino() const { return m_destino; }
    // The destination's code in the main database; < 1 while it is not there.
    int CodigoDestino();

    // The kind of transport: "Otro:" is editable only for another kind (4); `enfocar`
    // gives it the focus when it becomes editable.
    void ActualizarTipoTransporte(bool enfocar);
    // Leaving "Otro:": another kind of transport needs its description.
    void ValidarOtroTransporte();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The destination's code of a loaded document: the file's, unless the document came
    // from elsewhere (imported: the shell leaves it without a property code).
    void resolverDestinoCargado();
    void validarConductor();
    // A property's place in the printout: its name under `titulo`, commune, province and
    // region, its kind (`comboTipo`), its reference points and its access routes.
    void imprimirLugar(TImpresion *imp, SeccionPredio &seccion, const QString &titulo, const QString &comboTipo);

    SeccionPredio *m_destino = nullptr;
    std::optional<int> m_destinoCargado;
    DBEdit *m_otroTransporte = nullptr; // "Otro:"

};
