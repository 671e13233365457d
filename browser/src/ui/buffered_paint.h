#pragma once
// Painting through an off-screen bitmap: the whole client area is drawn into
// memory and copied to the screen in one block, so nothing flickers while a
// window draws its background first and its parts over it.
#include <functional>

#include "afx/dc.h"
#include "afx/geometry.h"

// Draws client (the window's client rectangle, not empty) through a bitmap
// compatible with screen and copies it to (0, 0) of screen.
void PaintBuffered(CDC& screen, const CRect& client, const std::function<void(CDC& memory)>& draw);
