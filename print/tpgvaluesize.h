#pragma once

// The size type every caller uses; it adds nothing to its base.

#include "tpgcustomvaluesize.h"

class TPgValueSize : public TPgCustomValueSize
{
};
