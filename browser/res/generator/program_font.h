#pragma once

#include <QFont>

// The program's shared 12-pixel interface font as the layer makes it: the
// Chinese face for every character, at the em size whose character cell is
// at most 12 pixels high.
QFont ProgramFont();
