// Draws every skin and the icon of the tray program into one directory.
//   tray_art_generator <output directory> [--preview <file.png>]
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QList>
#include <QTextStream>

#include <functional>

#include "drawing.h"
#include "ico_file.h"
#include "preview.h"
#include "skins.h"

namespace {

struct Skin {
  int resource;
  std::function<QImage()> draw;
  bool opaque;
};

const Skin kSkins[] = {
    {10001, skins::NoticeBackground, true}, {10002, skins::CloseButton, false},
    {10003, skins::OpenButton, false},      {10004, skins::ProductBox, false},
    {10005, skins::PriceBox, false},        {10006, skins::CurrencySigns, false},
    {10007, skins::StrikeThrough, false},   {10008, skins::DropBadge, false},
};

bool WriteAll(const QDir& directory) {
  QTextStream err(stderr);
  for (const Skin& skin : kSkins) {
    const QString path = directory.filePath(QStringLiteral("skin_%1.png").arg(skin.resource));
    const QImage image = skin.draw();
    if (!(skin.opaque ? drawing::SaveRgb(image, path) : drawing::SaveRgba(image, path))) {
      err << "cannot write " << path << "\n";
      return false;
    }
  }
  const QString icon = directory.filePath(QStringLiteral("tray.ico"));
  if (!WriteIcoFile({skins::TrayIcon(16), skins::TrayIcon(32), skins::TrayIcon(48)}, icon)) {
    err << "cannot write " << icon << "\n";
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
  if (args.size() != 2 && !(args.size() == 4 && args[2] == QStringLiteral("--preview"))) {
    err << "usage: tray_art_generator <output directory> [--preview <file.png>]\n";
    return 2;
  }
  const QDir directory(args[1]);
  if (!directory.exists()) {
    err << "no such directory: " << args[1] << "\n";
    return 2;
  }
  if (!WriteAll(directory)) return 1;
  if (args.size() == 4) {
    const QFileInfo preview(args[3]);
    const QString stem = preview.dir().filePath(preview.completeBaseName());
    if (!WritePreview(args[3], false) || !WritePreview(stem + QStringLiteral("_hover.png"), true) ||
        !WriteDetailSheet(stem + QStringLiteral("_details.png"))) {
      err << "cannot write the preview\n";
      return 1;
    }
  }
  return 0;
}
