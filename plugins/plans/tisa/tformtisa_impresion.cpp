#include "tformtisa.h"

void TFormTISA::ComponerImpresion(TImpresion *)
{
}
