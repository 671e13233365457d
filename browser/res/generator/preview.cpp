#include "preview.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

#include <vector>

#include "catalogue.h"
#include "drawing.h"
#include "preview_drawing.h"
#include "preview_tabs.h"
#include "program_font.h"
#include "stand_ins.h"

namespace {

using preview::DrawFrame;
using preview::DrawText;
using preview::TextWidth;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
const QColor kLinkText{42, 75, 101};
const QColor kHintText{0xBE, 0xBE, 0xBE};
const QColor kDesktop{0x3B, 0x4A, 0x5A};

struct Scene {
  bool maximised = false;
  int captionHover = -1;     // index of the caption button under the pointer
  int captionState = 1;
  int navigationHot = -1;    // index of the navigation button hovered or pressed
  int navigationState = 1;
  int toolbarHover = -1;
  int toolbarState = 1;
  int favouriteHover = -1;
  int overflowState = 0;
  int goState = 0;
  int searchState = 0;
  int chooserState = 0;
  int homeState = 0;
  bool chooserOpen = false;
  int chooserHover = -1;
  int extraGroups = 0;       // groups past the shipped ones, to show the overflow
  std::vector<preview::PreviewTab> tabs;
  int selectedTab = 0;
};

// One frame of a strip of `frames` equal frames.
void Draw(QPainter& painter, const QImage& image, int frames, int frame, const QRect& target) {
  DrawFrame(painter, image, image.width() / frames, frame, target);
}

class Window {
 public:
  explicit Window(const Scene& scene) : scene_(scene) {
    cH_ = ImageOf(329).height();
    nH_ = ImageOf(331).height();
    fH_ = ImageOf(356).height();
    sH_ = ImageOf(330).height();
    bH_ = ImageOf(326).height();
    lW_ = ImageOf(327).width();
    rW_ = ImageOf(325).width();
    const QImage go = ImageOf(370);
    const QImage search = ImageOf(352);
    gW_ = go.width() / 4;
    gH_ = go.height();
    sbW_ = search.width() / 4;
    sbH_ = search.height();
  }

  QImage Compose() {
    QImage window(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::white);
    QPainter painter(&window);
    PaintCaption(painter);
    PaintRowsAndBoxes(painter);
    PaintStatusBar(painter);
    PaintBorders(painter);
    PaintCaptionButtons(painter);
    PaintNavigationButtons(painter);
    PaintMainToolbar(painter);
    PaintFavourites(painter);
    PaintBoxChildren(painter);
    PaintTabsAndPage(painter);
    PaintLinks(painter);
    if (scene_.chooserOpen)
      preview::PaintChooserList(painter, QPoint(W() - sbW_ - 300, ImageOf(351).height() + cH_ + 4), scene_.chooserHover);
    painter.end();
    if (!scene_.maximised) {
      window.setPixelColor(0, 0, kDesktop);
      window.setPixelColor(W() - 1, 0, kDesktop);
    }
    return window;
  }

 private:
  int W() const { return kWidth; }
  int H() const { return kHeight; }

  void PaintCaption(QPainter& painter) {
    const QImage caption = ImageOf(329);
    const int w = caption.width() / 3;
    const int h = caption.height();
    Draw(painter, caption, 3, 0, QRect(0, 0, w, h));
    if (W() - 2 * w >= 0) Draw(painter, caption, 3, 1, QRect(w, 0, W() - 2 * w, h));
    Draw(painter, caption, 3, 2, QRect(W() - w, 0, w, h));
    const QImage logo = ImageOf(361);
    painter.drawImage(6, (cH_ - logo.height()) / 2, logo);
    DrawText(painter, QRect(30, 9, W() - 180 - 30, 12), QStringLiteral("淘宝网 - 淘！我喜欢 - Quorla购物浏览器"), Qt::black);
  }

  void PaintRowsAndBoxes(QPainter& painter) {
    Draw(painter, ImageOf(331), 1, 0, QRect(lW_, cH_, W() - lW_ - rW_, nH_));
    Draw(painter, ImageOf(356), 1, 0, QRect(lW_, cH_ + nH_, W() - lW_ - rW_, fH_));

    const QImage search = ImageOf(351);
    int w = search.width() / 2;
    int h = search.height();
    int top = cH_ + (nH_ - h) / 2;
    Draw(painter, search, 2, 0, QRect(W() - gW_ - 300, top, w, h));
    Draw(painter, search, 2, 1, QRect(W() - gW_ - 300 + w, top, 290 - w, h));
    const QImage site = ImageOf(359);
    painter.drawImage(W() - gW_ - 294, cH_ + (nH_ - site.height()) / 2, site);

    const QImage address = ImageOf(369);
    w = address.width() / 2;
    h = address.height();
    top = cH_ + (nH_ - h) / 2;
    Draw(painter, address, 2, 0, QRect(300, top, w, h));
    Draw(painter, address, 2, 1, QRect(300 + w, top, W() - 2 * gW_ - 610 - w, h));
    const preview::PreviewTab& current = scene_.tabs[scene_.selectedTab];
    painter.drawImage(308, cH_ + (nH_ - 16) / 2, ImageOf(current.icon != 0 ? current.icon : 362));
  }

  void PaintStatusBar(QPainter& painter) {
    Draw(painter, ImageOf(330), 1, 0, QRect(1, H() - sH_ - bH_, W() - 2, sH_));
    DrawText(painter, QRect(8, H() - sH_, 400 - 8, sH_), QStringLiteral("完成"), Qt::black);
  }

  void PaintBorders(QPainter& painter) {
    const QImage left = ImageOf(327);
    const QImage right = ImageOf(325);
    const QImage bottom = ImageOf(326);
    Draw(painter, left, 1, 0, QRect(0, 0, left.width(), H()));
    Draw(painter, right, 1, 0, QRect(W() - right.width(), 0, right.width(), H()));
    Draw(painter, bottom, 1, 0, QRect(0, H() - bottom.height(), W(), bottom.height()));
  }

  // An image bar: its background stretched, then each button's frame for
  // its state.
  void PaintImageBar(QPainter& painter, const QPoint& at, const QImage& background,
                     const std::vector<std::pair<QImage, int>>& buttons) {
    int width = 0;
    for (const auto& button : buttons) width += button.first.width() / 4;
    const int height = background.height();
    Draw(painter, background, 1, 0, QRect(at.x(), at.y(), width, height));
    int x = at.x();
    for (const auto& [image, state] : buttons) {
      const int w = image.width() / 4;
      const int top = (height - image.height()) / 2;
      Draw(painter, image, 4, state, QRect(x, at.y() + top, w, image.height()));
      x += w;
    }
  }

  void PaintCaptionButtons(QPainter& painter) {
    const std::vector<int> ids = {342, scene_.maximised ? 343 : 341, 340};
    std::vector<std::pair<QImage, int>> buttons;
    for (size_t i = 0; i < ids.size(); ++i)
      buttons.emplace_back(ImageOf(ids[i]), static_cast<int>(i) == scene_.captionHover ? scene_.captionState : 0);
    int width = 0;
    for (const auto& button : buttons) width += button.first.width() / 4;
    PaintImageBar(painter, QPoint(W() - width - 4, 3), ImageOf(339), buttons);
  }

  void PaintNavigationButtons(QPainter& painter) {
    const std::vector<int> ids = {345, 346, 344, 347};
    std::vector<std::pair<QImage, int>> buttons;
    for (size_t i = 0; i < ids.size(); ++i) {
      int state = static_cast<int>(i) == scene_.navigationHot ? scene_.navigationState : 0;
      if (ids[i] == 346) state = 3;  // nothing to go forward to yet
      buttons.emplace_back(ImageOf(ids[i]), state);
    }
    PaintImageBar(painter, QPoint(4, cH_), ImageOf(331), buttons);
    navigationWidth_ = 0;
    for (const auto& button : buttons) navigationWidth_ += button.first.width() / 4;
  }

  // A toolbar as the program draws it: background, then per button its
  // skin slices, its icon frame (none past the strip's last) and its text.
  void PaintToolbar(QPainter& painter, const QRect& bar, const QImage& background, const QImage& skin,
                    const QImage& icons, int iconWidth, const std::vector<QString>& texts, int hover, int hoverState,
                    bool overflow) {
    Draw(painter, background, 1, 0, QRect(bar.topLeft(), QSize(bar.width(), background.height())));
    const QImage overflowImage = ImageOf(385);
    const int overflowWidth = overflowImage.width() / 4;
    const int skinHeight = skin.height();
    int x = 0;
    bool hidden = false;
    for (size_t i = 0; i < texts.size(); ++i) {
      const int width = iconWidth + TextWidth(texts[i]) + 10;
      const QRect rect(bar.left() + x, bar.top() + (bar.height() - skinHeight) / 2, width, skinHeight);
      x += width;
      if (overflow && x > bar.width() - overflowWidth) {
        hidden = true;
        break;
      }
      const int look = static_cast<int>(i) == hover ? hoverState : 0;
      preview::DrawThreeSlices(painter, skin, look, rect);
      const int frame = static_cast<int>(i);
      if ((frame + 1) * iconWidth <= icons.width())
        DrawFrame(painter, icons, iconWidth, frame,
                  QRect(rect.left(), rect.top() + (rect.height() - icons.height()) / 2, iconWidth, icons.height()));
      DrawText(painter, QRect(rect.left() + iconWidth, rect.top(), width - iconWidth - 10, rect.height()), texts[i],
               Qt::black);
    }
    if (hidden) {
      // Copied as it is: the strip carries the row's colours.
      const QRect button(bar.right() + 1 - overflowWidth, bar.top() + (bar.height() - overflowImage.height()) / 2,
                         overflowWidth, overflowImage.height());
      painter.drawImage(button, overflowImage,
                        QRect(scene_.overflowState * overflowWidth, 0, overflowWidth, overflowImage.height()));
    }
  }

  void PaintMainToolbar(QPainter& painter) {
    const std::vector<QString> texts = {QStringLiteral("Quorla主页"), QStringLiteral("降价通知")};
    int width = 0;
    for (const QString& text : texts) width += 32 + TextWidth(text) + 10;
    PaintToolbar(painter, QRect(navigationWidth_ + 8, cH_, width, nH_), ImageOf(331), ImageOf(355), ImageOf(354), 32,
                 texts, scene_.toolbarHover, scene_.toolbarState, false);
  }

  void PaintFavourites(QPainter& painter) {
    std::vector<QString> texts = {QStringLiteral("综合商城"), QStringLiteral("数码家电"), QStringLiteral("图书音像"),
                                  QStringLiteral("服饰美妆"), QStringLiteral("特卖")};
    const QString extra[] = {QStringLiteral("母婴玩具"), QStringLiteral("食品生鲜"), QStringLiteral("家居家装"),
                             QStringLiteral("运动户外"), QStringLiteral("汽车用品"), QStringLiteral("生活服务"),
                             QStringLiteral("海外购"),   QStringLiteral("二手闲置"), QStringLiteral("美食外卖"),
                             QStringLiteral("鲜花礼品"), QStringLiteral("宠物用品"), QStringLiteral("办公文具"),
                             QStringLiteral("医药健康"), QStringLiteral("珠宝手表"), QStringLiteral("箱包皮具")};
    for (int i = 0; i < scene_.extraGroups && i < static_cast<int>(std::size(extra)); ++i) texts.push_back(extra[i]);
    PaintToolbar(painter, QRect(4, cH_ + nH_, W() - 8, fH_), ImageOf(356), ImageOf(358), ImageOf(386), 20, texts,
                 scene_.favouriteHover, 1, true);
  }

  void PaintBoxChildren(QPainter& painter) {
    DrawText(painter, QRect(328, cH_ + (nH_ - 18) / 2, W() - 2 * gW_ - 310 - 328, 18),
             QStringLiteral("http://www.taobao.com/"), Qt::black);
    Draw(painter, ImageOf(370), 4, scene_.goState, QRect(W() - 2 * gW_ - 310, cH_ + (nH_ - gH_) / 2, gW_, gH_));
    const QImage chooser = ImageOf(366);
    Draw(painter, chooser, 4, scene_.chooserState,
         QRect(W() - gW_ - 278, cH_ + 24, chooser.width() / 4, chooser.height()));
    DrawText(painter, QRect(W() - sbW_ - 268, cH_ + (nH_ - 16) / 2, 258, 16), QStringLiteral("淘宝网搜索"), kHintText);
    Draw(painter, ImageOf(352), 4, scene_.searchState, QRect(W() - sbW_ - 10, cH_ + (nH_ - sbH_) / 2, sbW_, sbH_));
  }

  void PaintTabsAndPage(QPainter& painter) {
    const QRect strip(lW_, cH_ + nH_ + fH_, W() - lW_ - rW_, H() - sH_ - bH_ - cH_ - nH_ - fH_);
    preview::PaintTabStrip(painter, strip, scene_.tabs, scene_.selectedTab, scene_.homeState);
    const int top = strip.top() + preview::PageTop();
    stand_in::PaintPage(painter, QRect(strip.left(), top, strip.width(), strip.bottom() + 1 - top));
  }

  void PaintLinks(QPainter& painter) {
    const QString feedback = QStringLiteral("反馈");
    const QString settings = QStringLiteral("设置");
    const int height = QFontMetrics(ProgramFont()).height();
    DrawText(painter, QRect(W() - 160, 10, TextWidth(feedback), height), feedback, kLinkText);
    DrawText(painter, QRect(W() - 130, 10, TextWidth(settings), height), settings, kLinkText);
  }

  Scene scene_;
  int cH_ = 0, nH_ = 0, fH_ = 0, sH_ = 0, bH_ = 0, lW_ = 0, rW_ = 0;
  int gW_ = 0, gH_ = 0, sbW_ = 0, sbH_ = 0;
  int navigationWidth_ = 0;
};

bool Save(const QImage& image, const QString& path) { return image.save(path, "PNG"); }

// Three tabs: the shop's page with its icon, one still loading with a long
// title, one that showed no icon of its own.
std::vector<preview::PreviewTab> ThreeTabs() {
  return {{QStringLiteral("淘宝网 - 淘！我喜欢"), 359, -1, false, false},
          {QStringLiteral("京东(JD.COM)-正品低价、品质保障、配送及时、轻松购物！"), 0, 2, false, false},
          {QStringLiteral("当当网"), 362, -1, false, false}};
}

}  // namespace

bool WriteWindowPreviews(const QString& path) {
  const QFileInfo info(path);
  const QString stem = info.dir().filePath(info.completeBaseName());
  Scene plain;
  plain.tabs = ThreeTabs();

  Scene hover;
  hover.tabs = ThreeTabs();
  hover.tabs[1].hot = true;
  hover.tabs[1].closeHot = true;
  hover.captionHover = 2;
  hover.navigationHot = 0;
  hover.navigationState = 2;
  hover.toolbarHover = 1;
  hover.favouriteHover = 2;
  hover.overflowState = 1;
  hover.extraGroups = 15;
  hover.goState = 1;
  hover.chooserState = 2;
  hover.homeState = 1;
  hover.chooserOpen = true;
  hover.chooserHover = 1;

  Scene maximised;
  maximised.maximised = true;
  maximised.captionHover = 1;
  maximised.navigationHot = 3;
  maximised.toolbarHover = 0;
  maximised.toolbarState = 2;
  maximised.searchState = 1;
  maximised.homeState = 2;
  for (int i = 0; i < 12; ++i) {
    maximised.tabs.push_back({QStringLiteral("商品%1 - 淘宝网").arg(i + 1), i % 3 == 0 ? 359 : 362,
                              i == 4 ? i % 8 : -1, i == 7, false});
  }
  maximised.selectedTab = 3;
  return Save(Window(plain).Compose(), path) && Save(Window(hover).Compose(), stem + QStringLiteral("_hover.png")) &&
         Save(Window(maximised).Compose(), stem + QStringLiteral("_maximised.png"));
}
