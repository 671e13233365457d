#include "catalogue.h"

#include "art.h"
#include "price_watch_art.h"

const std::vector<CatalogueEntry>& Catalogue() {
  static const std::vector<CatalogueEntry> entries = {
      {323, ImageKind::kIcon, QStringLiteral("icon_323.ico"), 1, [] { return art::ProductIcon(48); }},
      {325, ImageKind::kPng, QStringLiteral("right_border_325.png"), 1, art::RightBorder},
      {326, ImageKind::kPng, QStringLiteral("bottom_border_326.png"), 1, art::BottomBorder},
      {327, ImageKind::kPng, QStringLiteral("left_border_327.png"), 1, art::LeftBorder},
      {329, ImageKind::kPng, QStringLiteral("caption_329.png"), 3, art::Caption},
      {330, ImageKind::kPng, QStringLiteral("status_bar_330.png"), 1, art::StatusBar},
      {331, ImageKind::kPng, QStringLiteral("navigation_row_331.png"), 1, art::NavigationRow},
      {332, ImageKind::kPng, QStringLiteral("tab_strip_332.png"), 1, art::TabStripBackground},
      {335, ImageKind::kPng, QStringLiteral("tab_335.png"), 9, art::TabBackground},
      {339, ImageKind::kPng, QStringLiteral("caption_button_bar_339.png"), 1, art::CaptionButtonBar},
      {340, ImageKind::kPng, QStringLiteral("close_button_340.png"), 4, art::CloseButton},
      {341, ImageKind::kPng, QStringLiteral("maximise_button_341.png"), 4, art::MaximiseButton},
      {342, ImageKind::kPng, QStringLiteral("minimise_button_342.png"), 4, art::MinimiseButton},
      {343, ImageKind::kPng, QStringLiteral("restore_button_343.png"), 4, art::RestoreButton},
      {344, ImageKind::kPng, QStringLiteral("stop_button_344.png"), 4, art::StopButton},
      {345, ImageKind::kPng, QStringLiteral("back_button_345.png"), 4, art::BackButton},
      {346, ImageKind::kPng, QStringLiteral("forward_button_346.png"), 4, art::ForwardButton},
      {347, ImageKind::kPng, QStringLiteral("refresh_button_347.png"), 4, art::RefreshButton},
      {348, ImageKind::kPng, QStringLiteral("tab_close_348.png"), 3, art::TabCloseGlyph},
      {351, ImageKind::kPng, QStringLiteral("search_frame_351.png"), 2, art::SearchFrame},
      {352, ImageKind::kBitmap, QStringLiteral("search_button_352.bmp"), 4, art::SearchButton},
      {354, ImageKind::kPng, QStringLiteral("toolbar_icons_354.png"), 2, art::ToolbarIcons},
      {355, ImageKind::kPng, QStringLiteral("toolbar_skin_355.png"), 9, art::ToolbarSkin},
      {356, ImageKind::kPng, QStringLiteral("favourites_row_356.png"), 1, art::FavouritesRow},
      {358, ImageKind::kPng, QStringLiteral("favourites_skin_358.png"), 9, art::FavouritesSkin},
      {359, ImageKind::kPng, QStringLiteral("site_taobao_359.png"), 1, art::TaobaoIcon},
      {361, ImageKind::kPng, QStringLiteral("caption_logo_361.png"), 1, art::Logo},
      {362, ImageKind::kPng, QStringLiteral("page_icon_362.png"), 1, art::DefaultPageIcon},
      {365, ImageKind::kPng, QStringLiteral("loading_365.png"), 8, art::LoadingAnimation},
      {366, ImageKind::kBitmap, QStringLiteral("site_chooser_button_366.bmp"), 4, art::SiteChooserButton},
      {367, ImageKind::kPng, QStringLiteral("site_jd_367.png"), 1, art::JdIcon},
      {368, ImageKind::kPng, QStringLiteral("site_dangdang_368.png"), 1, art::DangdangIcon},
      {369, ImageKind::kPng, QStringLiteral("address_frame_369.png"), 2, art::AddressFrame},
      {370, ImageKind::kBitmap, QStringLiteral("go_button_370.bmp"), 4, art::GoButton},
      {371, ImageKind::kPng, QStringLiteral("chooser_entry_371.png"), 9, art::ChooserEntrySkin},
      {372, ImageKind::kPng, QStringLiteral("offer_bar_372.png"), 3, art::OfferBarSkin},
      {373, ImageKind::kPng, QStringLiteral("offer_logo_373.png"), 1, art::OfferBarLogo},
      {374, ImageKind::kPng, QStringLiteral("price_box_frame_374.png"), 1, art::PriceBoxFrame},
      {375, ImageKind::kBitmap, QStringLiteral("confirm_button_375.bmp"), 4, art::ConfirmButton},
      {376, ImageKind::kBitmap, QStringLiteral("any_drop_button_376.bmp"), 4, art::AnyDropButton},
      {377, ImageKind::kBitmap, QStringLiteral("offer_close_377.bmp"), 4, art::OfferCloseButton},
      {378, ImageKind::kPng, QStringLiteral("popup_378.png"), 1, art::PopupBackground},
      {379, ImageKind::kBitmap, QStringLiteral("popup_close_379.bmp"), 4, art::PopupCloseButton},
      {380, ImageKind::kBitmap, QStringLiteral("open_item_button_380.bmp"), 4, art::OpenItemButton},
      {382, ImageKind::kPng, QStringLiteral("list_header_382.png"), 1, art::ListHeaderBackground},
      {383, ImageKind::kPng, QStringLiteral("list_divider_383.png"), 1, art::ListHeaderDivider},
      {384, ImageKind::kBitmap, QStringLiteral("home_button_384.bmp"), 4, art::HomeButton},
      {385, ImageKind::kBitmap, QStringLiteral("overflow_button_385.bmp"), 4, art::OverflowButton},
      {386, ImageKind::kPng, QStringLiteral("favourite_groups_386.png"), 5, art::FavouriteGroupIcons},
      {387, ImageKind::kPng, QStringLiteral("any_drop_words_387.png"), 1, art::AnyDropWords},
      {389, ImageKind::kPng, QStringLiteral("watch_list_skin_389.png"), 3, art::WatchListSkin},
      {392, ImageKind::kBitmap, QStringLiteral("watch_list_close_392.bmp"), 4, art::WatchListCloseButton},
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
