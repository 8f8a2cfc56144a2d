#pragma once
// The declaration of existing dead-alerce products YOLVA, built from yolva.form: the
// plain property section with its producer or trader, the antecedents the products come
// from (one extraction plan alone, or any number of transit guides) and the products with
// their volumes.
#include "predio/tformsolicitudpredio.h"

class Dataset;

class TFormYolva : public TFormSolicitudPredio
{
    Q_OBJECT

public:
    // The antecedents' kind that is an extraction plan (the others are transit guides).
    static constexpr int kPlanExtraccion = 101;

    explicit TFormYolva(QWidget *owner = nullptr);

    void Nuevo() override;
    // The form reads nothing from its siblings.
    void ConexionesExternas() override {}
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;

    // The antecedent row about to be posted: an extraction plan only alone, a transit guide
    // only without one; aborts with the message otherwise.
    void ValidarAntecedente(Dataset *antecedentes);
};
