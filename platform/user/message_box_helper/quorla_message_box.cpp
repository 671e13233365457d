// quorla-message-box: shows the layer's message boxes for a program.
//
// Started by the layer with one end of a socket pair as descriptor 3. Each
// request is a header (magic, box type, caption and text sizes) followed by
// the UTF-8 caption and text; the answer is the button pressed, as a 32-bit
// number (1 OK, 2 Cancel). Qt starts only at the first request, so an idle helper costs little.
// Ends when the program closes its end (by exiting or crashing).
#include <errno.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>

namespace {

constexpr int kChannel = 3;
constexpr uint32_t kRequestMagic = 0x51424F58;
constexpr uint32_t kLargestText = 1 << 20;

struct Request {
  uint32_t magic;
  uint32_t type;
  uint32_t captionBytes;
  uint32_t textBytes;
};

bool ReadAll(void* into, size_t size) {
  auto* bytes = static_cast<char*>(into);
  while (size > 0) {
    ssize_t n = ::read(kChannel, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool WriteAll(const void* from, size_t size) {
  const auto* bytes = static_cast<const char*>(from);
  while (size > 0) {
    ssize_t n = ::write(kChannel, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

QMessageBox::Icon IconOf(uint32_t type) {
  switch (type & 0xF0) {
    case 0x10:
      return QMessageBox::Critical;
    case 0x30:
      return QMessageBox::Warning;
    case 0x40:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::unique_ptr<QApplication> app;
  for (;;) {
    Request request{};
    if (!ReadAll(&request, sizeof request) || request.magic != kRequestMagic ||
        request.captionBytes > kLargestText || request.textBytes > kLargestText) {
      return 0;
    }
    std::string caption(request.captionBytes, '\0');
    std::string text(request.textBytes, '\0');
    if (!ReadAll(caption.data(), caption.size()) || !ReadAll(text.data(), text.size())) return 0;
    if (!app) app = std::make_unique<QApplication>(argc, argv);
    const bool asks = (request.type & 0x0F) == 1;  // OK and Cancel
    QMessageBox box(IconOf(request.type), QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    asks ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (asks) box.setEscapeButton(QMessageBox::Cancel);
    const bool cancelled = box.exec() == QMessageBox::Cancel;
    const uint32_t button = asks && cancelled ? 2 : 1;
    if (!WriteAll(&button, sizeof button)) return 0;
  }
}
