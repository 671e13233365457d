#include <QString>

#include <cstdint>

#include "price_watch_art.h"

// The two dialogs' templates, written as the program's RT_DIALOG resources
// hold them: little-endian, UTF-16 texts, every item on a 4-byte boundary
// counted from the template's start.
namespace {

constexpr uint32_t kPopup = 0x80000000, kChild = 0x40000000, kVisible = 0x10000000, kDisabled = 0x08000000;
constexpr uint32_t kCaption = 0x00C00000, kBorder = 0x00800000, kSysMenu = 0x00080000;
constexpr uint32_t kGroup = 0x00020000, kTabStop = 0x00010000;
constexpr uint32_t kSetFont = 0x40, kModalFrame = 0x80, kFixedSys = 0x08;
constexpr uint32_t kReport = 0x0001, kOwnerDrawFixed = 0x0400, kAlignLeft = 0x0800;
constexpr uint32_t kPushButton = 0x0, kAutoRadio = 0x9;
constexpr uint32_t kCentre = 0x1, kAutoHScroll = 0x80, kNumber = 0x2000;
constexpr uint16_t kButtonAtom = 0x0080, kEditAtom = 0x0081;

class Writer {
 public:
  void Word(uint16_t value) {
    bytes_.append(static_cast<char>(value & 0xFF));
    bytes_.append(static_cast<char>(value >> 8));
  }
  void Dword(uint32_t value) {
    Word(static_cast<uint16_t>(value & 0xFFFF));
    Word(static_cast<uint16_t>(value >> 16));
  }
  void Text(const QString& text) {
    for (QChar c : text) Word(c.unicode());
    Word(0);
  }
  void Atom(uint16_t atom) {
    Word(0xFFFF);
    Word(atom);
  }
  void Align() {
    while (bytes_.size() % 4) bytes_.append('\0');
  }
  void Box(int x, int y, int cx, int cy) {
    Word(static_cast<uint16_t>(x));
    Word(static_cast<uint16_t>(y));
    Word(static_cast<uint16_t>(cx));
    Word(static_cast<uint16_t>(cy));
  }
  QByteArray bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
};

struct Item {
  uint32_t style;
  int x, y, cx, cy;
  uint16_t id;
  uint16_t atom;  // 0: the class is given by name
  QString className;
  QString text;
};

void PlainItem(Writer& out, const Item& item) {
  out.Align();
  out.Dword(item.style | kChild | kVisible);
  out.Dword(0);
  out.Box(item.x, item.y, item.cx, item.cy);
  out.Word(item.id);
  out.Atom(item.atom);
  out.Text(item.text);
  out.Word(0);
}

}  // namespace

QByteArray WatchListDialogTemplate() {
  Writer out;
  out.Word(1);
  out.Word(0xFFFF);
  out.Dword(0);  // help id
  out.Dword(0);  // extended style
  out.Dword(kPopup | kSysMenu | kSetFont | kFixedSys);
  out.Word(1);
  out.Box(0, 0, 479, 268);
  out.Word(0);    // no menu
  out.Word(0);    // the dialog class
  out.Text({});   // no caption text
  out.Word(8);
  out.Word(400);  // weight
  out.Word(0x0100);  // not italic, DEFAULT_CHARSET
  out.Text(QStringLiteral("MS Shell Dlg"));
  out.Align();
  out.Dword(0);
  out.Dword(0);
  out.Dword(kChild | kVisible | kTabStop | kReport | kOwnerDrawFixed | kAlignLeft);
  out.Box(1, 32, 476, 234);
  out.Dword(2000);
  out.Text(QStringLiteral("SysListView32"));
  out.Text({});
  out.Word(0);
  return out.bytes();
}

QByteArray SettingsDialogTemplate() {
  const Item items[] = {
      {kAutoRadio | kGroup | kTabStop, 9, 19, 128, 10, 1002, kButtonAtom, {}, QStringLiteral("设置开机以最小化方式自动启动")},
      {kAutoRadio, 9, 45, 78, 10, 1003, kButtonAtom, {}, QStringLiteral("设置开机自动启动")},
      {kAutoRadio, 9, 62, 64, 10, 1004, kButtonAtom, {}, QStringLiteral("禁止开机启动")},
      {kBorder | kNumber | kCentre | kAutoHScroll | kGroup | kTabStop, 9, 94, 34, 12, 1005, kEditAtom, {}, {}},
      {kPushButton | kGroup | kTabStop, 56, 125, 50, 14, 1006, kButtonAtom, {}, QStringLiteral("确定")},
      {kPushButton | kTabStop, 114, 125, 50, 14, 1007, kButtonAtom, {}, QStringLiteral("取消")},
      {kPushButton | kTabStop | kDisabled, 171, 125, 50, 14, 1008, kButtonAtom, {}, QStringLiteral("应用")},
  };
  Writer out;
  out.Dword(kPopup | kCaption | kSysMenu | kModalFrame | kSetFont | kFixedSys);
  out.Dword(0);
  out.Word(static_cast<uint16_t>(std::size(items)));
  out.Box(0, 0, 228, 143);
  out.Word(0);
  out.Word(0);
  out.Text(QStringLiteral("Quorla购物浏览器设置"));
  out.Word(8);
  out.Text(QStringLiteral("MS Shell Dlg"));
  for (const Item& item : items) PlainItem(out, item);
  return out.bytes();
}
