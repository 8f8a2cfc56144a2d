#include "tformkelu.h"

void TFormKELU::ComponerImpresion(TImpresion *)
{
}
