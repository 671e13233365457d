#include "catalogue.h"

#include "art.h"

const std::vector<CatalogueEntry>& Catalogue() {
  static const std::vector<CatalogueEntry> entries = {
      {323, ImageKind::kIcon, QStringLiteral("icon_323.ico"), 1, [] { return art::ProductIcon(48); }},
      {325, ImageKind::kPng, QStringLiteral("right_border_325.png"), 1, art::RightBorder},
      {326, ImageKind::kPng, QStringLiteral("bottom_border_326.png"), 1, art::BottomBorder},
      {327, ImageKind::kPng, QStringLiteral("left_border_327.png"), 1, art::LeftBorder},
      {329, ImageKind::kPng, QStringLiteral("caption_329.png"), 3, art::Caption},
      {330, ImageKind::kPng, QStringLiteral("status_bar_330.png"), 1, art::StatusBar},
      {331, ImageKind::kPng, QStringLiteral("navigation_row_331.png"), 1, art::NavigationRow},
      {339, ImageKind::kPng, QStringLiteral("caption_button_bar_339.png"), 1, art::CaptionButtonBar},
      {340, ImageKind::kPng, QStringLiteral("close_button_340.png"), 4, art::CloseButton},
      {341, ImageKind::kPng, QStringLiteral("maximise_button_341.png"), 4, art::MaximiseButton},
      {342, ImageKind::kPng, QStringLiteral("minimise_button_342.png"), 4, art::MinimiseButton},
      {343, ImageKind::kPng, QStringLiteral("restore_button_343.png"), 4, art::RestoreButton},
      {344, ImageKind::kPng, QStringLiteral("stop_button_344.png"), 4, art::StopButton},
      {345, ImageKind::kPng, QStringLiteral("back_button_345.png"), 4, art::BackButton},
      {346, ImageKind::kPng, QStringLiteral("forward_button_346.png"), 4, art::ForwardButton},
      {347, ImageKind::kPng, QStringLiteral("refresh_button_347.png"), 4, art::RefreshButton},
      {351, ImageKind::kPng, QStringLiteral("search_frame_351.png"), 2, art::SearchFrame},
      {356, ImageKind::kPng, QStringLiteral("favourites_row_356.png"), 1, art::FavouritesRow},
      {361, ImageKind::kPng, QStringLiteral("caption_logo_361.png"), 1, art::Logo},
      {369, ImageKind::kPng, QStringLiteral("address_frame_369.png"), 2, art::AddressFrame},
      {385, ImageKind::kBitmap, QStringLiteral("overflow_button_385.bmp"), 4, art::OverflowButton},
  };
  return entries;
}

QList<QImage> IconImages() { return {art::ProductIcon(16), art::ProductIcon(32), art::ProductIcon(48)}; }

QImage ImageOf(int id) {
  for (const CatalogueEntry& entry : Catalogue()) {
    if (entry.id == id) return entry.draw();
  }
  return {};
}

QImage FrameOf(const QImage& image, int frames, int index) {
  const int width = image.width() / frames;
  return image.copy(index * width, 0, width, image.height());
}
