#pragma once
// A request form whose whole content is its property section (SeccionPredio) and the
// date, city and signatory of the request: the parent request forms of the plans and
// annexes. A plug-in derives from it, names its code, description, section set-up and
// title, and adds what is its own (ImprimirAdicional, CabeceraXml, XmlPredio, XmlAdicional).
//
// The description (":/forms/<CODE>.form") names the main-table fields nom_pre, sup,
// sup_tit, sup_sii, sup_afe, via, com, prv, reg, ciu, fec, fir, the property tables of
// the section, the lists qryComunas, qryProvincias, qryRegiones and adqNom_firma, the
// button btnLlenarPredio and the edit dbe_sup_afe.
#include "cabecerasolicitudxml.h"
#include "configuracionpredio.h"
#include "tformdescrito.h"

class BuiltForm;
class SeccionPredio;

class TFormSolicitudPredio : public TFormDescrito
{
    Q_OBJECT

public:
    // `codigo` in upper case ("DORVO"); `titulo` heads the printout.
    TFormSolicitudPredio(QWidget *owner, const QString &codigo, const ConfiguracionPredio &config, const QString &titulo);

    void Nuevo() override;
    void GuardarPredio() override;
    void TerminarGuardarPredio(bool guardado) override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void LlenarInfoPredio() override;
    void ComponerImpresion(TImpresion *impresion) override;
    void ComponerDifrol(TImpresion *impresion) override;
    QByteArray PrepararXML() override;
    // Shows the principal form's affected surface in "dbe_sup_afe" when it has one.
    void ConexionesExternas() override;

    SeccionPredio *Predio() const { return m_predio; }

protected:
    // Printed after the property, before the signatures; `numero` is the next heading's.
    virtual void ImprimirAdicional(TImpresion *impresion, int &numero);
    // The variant of FORMULARIO and PREDIO's leaves the form writes (Dorvo's by default).
    virtual NodosPredioXML::CabeceraSolicitud CabeceraXml() const;
    // Written inside PREDIO after its leaves, before the owners.
    virtual void XmlPredio(TXML &xml);
    // Written inside PREDIO after the property's own nodes.
    virtual void XmlAdicional(TXML &xml);

    // The exchange file carries the reference points (COORDENADA_UTM) and the adjoining
    // rolls (ROL_CONTIGUO) the section has; a form that keeps them for the register only
    // clears it.
    bool m_xmlCoordenadasYContiguos = true;

private:
    SeccionPredio *m_predio = nullptr;
    QString m_titulo;
};
