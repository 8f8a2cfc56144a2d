#pragma once
// The test form PRUEBA, built from its description prueba.form: a main table with an
// edit, a lookup combo and a memo on its first page, a detail grid on the second.
#include "tformdescrito.h"

class BuiltForm;

class TFormPRUEBA : public TFormDescrito
{
    Q_OBJECT

public:
    explicit TFormPRUEBA(QWidget *owner = nullptr);

    void Nuevo() override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void DbgEventoOnExitEspecial(QObject *sender) override;
};
