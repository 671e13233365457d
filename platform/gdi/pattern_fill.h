#pragma once
// Painting an area of a DC with a brush by a raster operation: what PatBlt
// and FillRect share. Solid, system-colour and pattern brushes; patterns
// tile from the device origin.
#include <QRegion>

#include "device_context.h"

namespace quorla {

// deviceArea is in device coordinates and already clipped by the caller.
// False for an unknown brush or an unsupported operation; a null brush
// paints nothing and succeeds.
bool PaintWithBrush(DeviceContext& dc, const QRegion& deviceArea, HBRUSH brush, DWORD rop);

}  // namespace quorla
