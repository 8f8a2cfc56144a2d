#pragma once
// The request for the marking of dead-alerce products TROZEL, built from trozel.form:
// the plain property section with its producer, and the antecedents of the marking (the
// certificate or declaration, the product, its unit and the quantity to mark).
#include "predio/tformsolicitudpredio.h"

class TFormTrozel : public TFormSolicitudPredio
{
    Q_OBJECT

public:
    explicit TFormTrozel(QWidget *owner = nullptr);

    void Nuevo() override;
    // The form reads nothing from its siblings.
    void ConexionesExternas() override {}
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

    // The roll numbers in row order, each followed by "; ", the last one included.
    QString LineaRoles() const;
};
