// Draws every image of the browser's main window into one directory, with
// the manifest images.txt that lists them.
//   browser_art_generator <output directory> [--preview <file.png>] [--sheet <file.png>]
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

#include "bitmap_file.h"
#include "catalogue.h"
#include "drawing.h"
#include "ico_file.h"
#include "preview.h"
#include "price_watch_art.h"

namespace {

const char* TypeName(ImageKind kind) {
  switch (kind) {
    case ImageKind::kBitmap:
      return "BITMAP";
    case ImageKind::kIcon:
      return "ICON";
    case ImageKind::kPng:
      break;
  }
  return "PNG";
}

bool WriteImage(const CatalogueEntry& entry, const QString& path) {
  switch (entry.kind) {
    case ImageKind::kBitmap:
      return WriteBitmapFile(entry.draw(), path);
    case ImageKind::kIcon:
      return WriteIcoFile(IconImages(), path);
    case ImageKind::kPng:
      break;
  }
  return drawing::SaveRgba(entry.draw(), path);
}

QString ManifestLine(const CatalogueEntry& entry, const QImage& image, int bits) {
  return QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
      .arg(entry.id)
      .arg(QString::fromLatin1(TypeName(entry.kind)), entry.file)
      .arg(image.width())
      .arg(image.height())
      .arg(entry.frames)
      .arg(bits);
}

QString Manifest() {
  QString text = QStringLiteral(
      "# The browser's main-window images, written by generator/ with them.\n"
      "# One image a line: id type file width height frames bits\n"
      "#   PNG     RGBA PNG with straight alpha; frames of width/frames side by side\n"
      "#   BITMAP  24-bit bitmap file without alpha; frames as above\n"
      "#   ICON    one line per image inside the icon file (square, 32-bit with alpha)\n");
  for (const CatalogueEntry& entry : Catalogue()) {
    if (entry.kind == ImageKind::kIcon) {
      for (const QImage& image : IconImages()) text += ManifestLine(entry, image, 32);
    } else {
      text += ManifestLine(entry, entry.draw(), entry.kind == ImageKind::kBitmap ? 24 : 32);
    }
  }
  return text;
}

bool WriteText(const QString& text, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const QByteArray bytes = text.toUtf8();
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}


bool WriteBytes(const QByteArray& bytes, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool WriteAll(const QDir& directory) {
  QTextStream err(stderr);
  const struct {
    const char* file;
    QByteArray bytes;
  } templates[] = {{"watch_list_dialog_381.dlg", WatchListDialogTemplate()},
                   {"settings_dialog_393.dlg", SettingsDialogTemplate()}};
  for (const auto& dialog : templates) {
    const QString path = directory.filePath(QString::fromLatin1(dialog.file));
    if (!WriteBytes(dialog.bytes, path)) {
      err << "cannot write " << path << "\n";
      return false;
    }
  }
  for (const CatalogueEntry& entry : Catalogue()) {
    const QString path = directory.filePath(entry.file);
    if (!WriteImage(entry, path)) {
      err << "cannot write " << path << "\n";
      return false;
    }
  }
  const QString manifest = directory.filePath(QStringLiteral("images.txt"));
  if (!WriteText(Manifest(), manifest)) {
    err << "cannot write " << manifest << "\n";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a GUI application; no screen is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  QTextStream err(stderr);
  QString preview;
  QString sheet;
  bool usable = args.size() >= 2 && args.size() % 2 == 0;
  for (qsizetype i = 2; usable && i + 1 < args.size(); i += 2) {
    if (args[i] == QStringLiteral("--preview")) preview = args[i + 1];
    else if (args[i] == QStringLiteral("--sheet")) sheet = args[i + 1];
    else usable = false;
  }
  if (!usable) {
    err << "usage: browser_art_generator <output directory> [--preview <file.png>] [--sheet <file.png>]\n";
    return 2;
  }
  const QDir directory(args[1]);
  if (!directory.exists()) {
    err << "no such directory: " << args[1] << "\n";
    return 2;
  }
  if (!WriteAll(directory)) return 1;
  if (!preview.isEmpty() && !WriteWindowPreviews(preview)) {
    err << "cannot write " << preview << "\n";
    return 1;
  }
  if (!sheet.isEmpty() && !WriteImageSheet(sheet)) {
    err << "cannot write " << sheet << "\n";
    return 1;
  }
  return 0;
}
