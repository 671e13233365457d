#pragma once

#include <QString>

// Composes the notice as the program lays it out, with sample texts in the
// program's fonts and colours, and writes it (and a sheet of the small
// images enlarged) for a look before the images are committed. The hover
// variant shows every control under the pointer at once.
bool WritePreview(const QString& path, bool hover);
bool WriteDetailSheet(const QString& path);
