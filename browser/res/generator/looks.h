#pragma once

#include <QImage>

#include <functional>

// The four looks of a button, in the order the program cuts its strips.
enum class Look { kNormal, kHover, kPressed, kDisabled };

// Draws one frame per look and lays them side by side.
QImage FourLooks(const std::function<QImage(Look)>& frame);
