#pragma once
// The request form DORVO (request under decree-law 701), built from dorvo.form: the
// property section of the request forms with coordinates and adjoining rolls, and the
// date, city and signatory of the request. The plans and annexes of the document bind
// their replicas to its "dsrcPpal", its lookup combos and its tables.
#include "predio/tformsolicitudpredio.h"

class TFormDORVO : public TFormSolicitudPredio
{
    Q_OBJECT

public:
    explicit TFormDORVO(QWidget *owner = nullptr);
};
