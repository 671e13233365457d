#pragma once

#include <QString>

// A mock-up of the main window at 1024 x 768, drawn the way the program
// draws its frame, with stand-ins for the images other work supplies.
// Beside <path> it writes <stem>_hover.png (buttons under the pointer and
// pressed) and <stem>_maximised.png.
bool WriteWindowPreviews(const QString& path);

// Every image at 1:1 and 4 times, frame edges marked.
bool WriteImageSheet(const QString& path);
