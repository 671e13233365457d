#pragma once

#include <QPainter>
#include <QRect>

// A quick sketch of a shop's page, only so the preview shows a whole
// window. Nothing here is written into the program's resources.
namespace stand_in {

void PaintPage(QPainter& painter, const QRect& page);

}  // namespace stand_in
