#include "caption_suffix.h"

#include "win/text_encoding.h"

namespace {

// " - Quorla购物浏览器" in code page 936.
constexpr char kSuffix936[] =
    " - Quorla"
    "\xB9\xBA\xCE\xEF\xE4\xAF\xC0\xC0\xC6\xF7";

}  // namespace

void AppendCaptionSuffix(CString& text) {
  WCHAR wide[64] = {};
  const int units = ::MultiByteToWideChar(CP_THREAD_ACP, 0, kSuffix936, -1, wide, 64);
  // The count includes the terminating zero.
  if (units > 1) text.Append(wide, units - 1);
}
