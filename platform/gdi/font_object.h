#pragma once
// A logical font: the LOGFONTW it was made from, and the Qt font behind it,
// made on first use (see qt_application.h for why not earlier). Resolve()
// may be called from any thread; the resolved font never changes.
#include <QFont>
#include <memory>
#include <mutex>

#include "gdi_object.h"
#include "win/fonts.h"

namespace quorla {

struct ResolvedFont {
  QFont font;
  int ascent = 0;
  int descent = 0;
  int height = 0;  // ascent + descent: the height of one line
  int averageWidth = 0;
  int maxWidth = 0;
};

class FontObject final : public GdiObject {
 public:
  explicit FontObject(const LOGFONTW& description) : description(description) {}
  int Describe(int size, void* buffer) const override { return DescribeAs(description, size, buffer); }
  const ResolvedFont& Resolve() const;

  const LOGFONTW description;

 private:
  mutable std::once_flag once_;
  mutable std::unique_ptr<ResolvedFont> resolved_;
};

LOGFONTW DefaultGuiFontDescription();
LOGFONTW SystemFontDescription();

}  // namespace quorla
