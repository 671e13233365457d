#include "font_faces.h"

#include <QFontDatabase>

namespace quorla {
namespace {

const char* const kChinese = "WenQuanYi Micro Hei";

struct FaceEntry {
  const char16_t* face;
  const char* families[3];
};

// Latin user-interface faces map to DejaVu Sans (Liberation Sans, metric
// twin of Arial, when it is installed); the Chinese faces, serif and sans
// alike, to WenQuanYi Micro Hei, the Chinese family the set-up installs.
const FaceEntry kFaces[] = {
    {u"Tahoma", {"DejaVu Sans", nullptr, nullptr}},
    {u"MS Shell Dlg", {"DejaVu Sans", nullptr, nullptr}},
    {u"MS Shell Dlg 2", {"DejaVu Sans", nullptr, nullptr}},
    {u"MS Sans Serif", {"DejaVu Sans", nullptr, nullptr}},
    {u"Microsoft Sans Serif", {"DejaVu Sans", nullptr, nullptr}},
    {u"Segoe UI", {"DejaVu Sans", nullptr, nullptr}},
    {u"Verdana", {"DejaVu Sans", nullptr, nullptr}},
    {u"System", {"DejaVu Sans", nullptr, nullptr}},
    {u"Arial", {"Liberation Sans", "DejaVu Sans", nullptr}},
    {u"Helvetica", {"Liberation Sans", "DejaVu Sans", nullptr}},
    {u"Times New Roman", {"Liberation Serif", "DejaVu Serif", nullptr}},
    {u"Courier New", {"Liberation Mono", "DejaVu Sans Mono", nullptr}},
    {u"微软雅黑", {kChinese, nullptr, nullptr}},
    {u"Microsoft YaHei", {kChinese, nullptr, nullptr}},
    {u"宋体", {kChinese, nullptr, nullptr}},
    {u"SimSun", {kChinese, nullptr, nullptr}},
    {u"新宋体", {kChinese, nullptr, nullptr}},
    {u"NSimSun", {kChinese, nullptr, nullptr}},
    {u"黑体", {kChinese, nullptr, nullptr}},
    {u"SimHei", {kChinese, nullptr, nullptr}},
};

}  // namespace

QStringList FamiliesForFace(const QString& face) {
  QStringList result;
  const QStringList installed = QFontDatabase::families();
  auto present = [&](const QString& family) { return installed.contains(family, Qt::CaseInsensitive); };
  QString wanted = face.trimmed();
  if (wanted.isEmpty()) wanted = QStringLiteral("MS Shell Dlg");
  for (const FaceEntry& entry : kFaces) {
    if (wanted.compare(QString::fromUtf16(entry.face), Qt::CaseInsensitive) != 0) continue;
    for (const char* family : entry.families) {
      if (family && present(QString::fromLatin1(family))) {
        result << QString::fromLatin1(family);
        break;
      }
    }
    break;
  }
  if (result.isEmpty()) {
    // Not in the table: an installed family of that name, else the default.
    result << (present(wanted) ? wanted : QStringLiteral("DejaVu Sans"));
  }
  if (!result.contains(QString::fromLatin1(kChinese))) result << QString::fromLatin1(kChinese);
  return result;
}

}  // namespace quorla
