#pragma once
// The layer's base: types, HRESULTs, identifiers, IUnknown, the last error.
#include "win/hresult.h"
#include "win/guid.h"
#include "win/last_error.h"
#include "win/types.h"
#include "win/unknown.h"
