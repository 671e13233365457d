#include "looks.h"

#include "drawing.h"

QImage FourLooks(const std::function<QImage(Look)>& frame) {
  const QImage frames[4] = {frame(Look::kNormal), frame(Look::kHover), frame(Look::kPressed),
                            frame(Look::kDisabled)};
  return drawing::Strip(frames, 4);
}
