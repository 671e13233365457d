#include "preview.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

#include <vector>

#include "catalogue.h"
#include "drawing.h"
#include "program_font.h"
#include "stand_ins.h"

namespace {

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
  int favouriteHover = -1;
  int overflowState = 0;
};

// The program draws with nearest-pixel stretching and per-pixel alpha.
void Draw(QPainter& painter, const QImage& image, int frames, int frame, const QRect& target) {
  if (target.width() <= 0 || target.height() <= 0) return;
  const int width = image.width() / frames;
  painter.drawImage(target, image, QRect(frame * width, 0, width, image.height()));
}

QFont UiFont() { return ProgramFont(); }

void Text(QPainter& painter, const QRect& rect, const QString& text, const QColor& colour) {
  painter.setFont(UiFont());
  painter.setPen(colour);
  const QString shown = QFontMetrics(painter.font()).elidedText(text, Qt::ElideRight, rect.width());
  painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

int TextWidth(const QString& text) { return QFontMetrics(UiFont()).horizontalAdvance(text); }

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
    stand_in::PaintTabsAndPage(painter, QRect(lW_, cH_ + nH_ + fH_, W() - lW_ - rW_, H() - sH_ - bH_ - cH_ - nH_ - fH_),
                               QStringLiteral("淘宝网 - 淘！我喜欢"));
    PaintLinks(painter);
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
    Text(painter, QRect(30, 9, W() - 180 - 30, 12),
         QStringLiteral("淘宝网 - 淘！我喜欢 - Quorla购物浏览器"), Qt::black);
  }

  void PaintRowsAndBoxes(QPainter& painter) {
    Draw(painter, ImageOf(331), 1, 0, QRect(lW_, cH_, W() - lW_ - rW_, nH_));
    Draw(painter, ImageOf(356), 1, 0, QRect(lW_, cH_ + nH_, W() - lW_ - rW_, fH_));
    const int gW = stand_in::kGoWidth;

    const QImage search = ImageOf(351);
    int w = search.width() / 2;
    int h = search.height();
    int top = cH_ + (nH_ - h) / 2;
    Draw(painter, search, 2, 0, QRect(W() - gW - 300, top, w, h));
    Draw(painter, search, 2, 1, QRect(W() - gW - 300 + w, top, 290 - w, h));
    const QImage site = stand_in::SiteIcon();
    painter.drawImage(W() - gW - 294, cH_ + (nH_ - site.height()) / 2, site);

    const QImage address = ImageOf(369);
    w = address.width() / 2;
    h = address.height();
    top = cH_ + (nH_ - h) / 2;
    Draw(painter, address, 2, 0, QRect(300, top, w, h));
    Draw(painter, address, 2, 1, QRect(300 + w, top, W() - 2 * gW - 610 - w, h));
    painter.drawImage(308, cH_ + (nH_ - 16) / 2, stand_in::PageIcon());
  }

  void PaintStatusBar(QPainter& painter) {
    Draw(painter, ImageOf(330), 1, 0, QRect(1, H() - sH_ - bH_, W() - 2, sH_));
    Text(painter, QRect(8, H() - sH_, 400 - 8, sH_), QStringLiteral("完成"), Qt::black);
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

  // A toolbar: background, then per button its face, icon and text.
  void PaintToolbar(QPainter& painter, const QRect& bar, const QImage& background,
                    const std::vector<QString>& texts, const std::vector<QImage>& icons, int skinHeight,
                    int hover, bool overflow) {
    Draw(painter, background, 1, 0, QRect(bar.topLeft(), QSize(bar.width(), background.height())));
    const QImage overflowImage = ImageOf(385);
    const int overflowWidth = overflowImage.width() / 4;
    int x = 0;
    bool hidden = false;
    for (size_t i = 0; i < texts.size(); ++i) {
      const QImage& icon = icons[i % icons.size()];
      const int width = icon.width() + TextWidth(texts[i]) + 10;
      const QRect rect(bar.left() + x, bar.top() + (bar.height() - skinHeight) / 2, width, skinHeight);
      x += width;
      if (overflow && x > bar.width() - overflowWidth) {
        hidden = true;
        break;
      }
      stand_in::PaintToolbarFace(painter, rect, static_cast<int>(i) == hover);
      painter.drawImage(rect.left(), rect.top() + (rect.height() - icon.height()) / 2, icon);
      Text(painter, QRect(rect.left() + icon.width(), rect.top(), width - icon.width() - 10, rect.height()),
           texts[i], Qt::black);
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
    const std::vector<QImage> icons = {stand_in::ToolbarIcon(0), stand_in::ToolbarIcon(1)};
    int width = 0;
    for (const QString& text : texts) width += 32 + TextWidth(text) + 10;
    PaintToolbar(painter, QRect(navigationWidth_ + 8, cH_, width, nH_), ImageOf(331), texts, icons, 32,
                 scene_.toolbarHover, false);
  }

  void PaintFavourites(QPainter& painter) {
    const std::vector<QString> texts = {
        QStringLiteral("淘宝精选"), QStringLiteral("京东商城"), QStringLiteral("当当图书"),
        QStringLiteral("服装鞋包"), QStringLiteral("数码家电"), QStringLiteral("美妆个护"),
        QStringLiteral("母婴玩具"), QStringLiteral("食品生鲜"), QStringLiteral("家居家装"),
        QStringLiteral("运动户外"), QStringLiteral("汽车用品"), QStringLiteral("图书音像"),
        QStringLiteral("生活服务"), QStringLiteral("海外购"), QStringLiteral("特价团购"),
        QStringLiteral("二手闲置")};
    PaintToolbar(painter, QRect(4, cH_ + nH_, W() - 8, fH_), ImageOf(356), texts, {stand_in::FavouriteIcon()},
                 22, scene_.favouriteHover, true);
  }

  void PaintBoxChildren(QPainter& painter) {
    const int gW = stand_in::kGoWidth;
    const int gH = stand_in::kButtonHeight;
    const int sbW = stand_in::kGoWidth;
    const int sbH = stand_in::kButtonHeight;
    Text(painter, QRect(328, cH_ + (nH_ - 18) / 2, W() - 2 * gW - 310 - 328, 18),
         QStringLiteral("http://www.taobao.com/"), Qt::black);
    painter.drawImage(W() - 2 * gW - 310, cH_ + (nH_ - gH) / 2, stand_in::GoButton());
    painter.drawImage(W() - gW - 278, cH_ + 24, stand_in::ChooserButton());
    Text(painter, QRect(W() - sbW - 268, cH_ + (nH_ - 16) / 2, 258, 16), QStringLiteral("淘宝网搜索"), kHintText);
    painter.drawImage(W() - sbW - 10, cH_ + (nH_ - sbH) / 2, stand_in::SearchButton());
  }

  void PaintLinks(QPainter& painter) {
    const QString feedback = QStringLiteral("反馈");
    const QString settings = QStringLiteral("设置");
    const int height = QFontMetrics(UiFont()).height();
    Text(painter, QRect(W() - 160, 10, TextWidth(feedback), height), feedback, kLinkText);
    Text(painter, QRect(W() - 130, 10, TextWidth(settings), height), settings, kLinkText);
  }

  Scene scene_;
  int cH_ = 0, nH_ = 0, fH_ = 0, sH_ = 0, bH_ = 0, lW_ = 0, rW_ = 0;
  int navigationWidth_ = 0;
};

bool Save(const QImage& image, const QString& path) { return image.save(path, "PNG"); }

}  // namespace

bool WriteWindowPreviews(const QString& path) {
  const QFileInfo info(path);
  const QString stem = info.dir().filePath(info.completeBaseName());
  Scene hover;
  hover.captionHover = 2;
  hover.navigationHot = 0;
  hover.navigationState = 2;
  hover.toolbarHover = 1;
  hover.favouriteHover = 2;
  hover.overflowState = 1;
  Scene maximised;
  maximised.maximised = true;
  maximised.captionHover = 1;
  maximised.navigationHot = 3;
  return Save(Window(Scene{}).Compose(), path) && Save(Window(hover).Compose(), stem + QStringLiteral("_hover.png")) &&
         Save(Window(maximised).Compose(), stem + QStringLiteral("_maximised.png"));
}
