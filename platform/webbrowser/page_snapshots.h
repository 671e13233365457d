#pragma once
// Snapshots of the markup of the page a WebBrowser control shows, as
// documents of the layer (LiveDocument). The engine serialises a page
// asynchronously and slowly (about a second for 1.5 MB), so one snapshot is
// taken at a time: a request while one is under way asks for one more after
// it. A commit of a new page drops the latest snapshot and throws away the one
// under way, so no document ever holds one page's text under another page's
// address. Used on the thread that runs Qt; results that arrive after the
// keeper is gone are dropped.
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "win/mshtml.h"

class QWebEnginePage;

namespace quorla {

class PageSnapshots {
 public:
  // kept: told after each snapshot kept, with its serial number.
  PageSnapshots(QWebEnginePage* page, std::function<void(std::uint64_t serial)> kept);
  ~PageSnapshots();
  PageSnapshots(const PageSnapshots&) = delete;
  PageSnapshots& operator=(const PageSnapshots&) = delete;

  // The latest document with a reference for the caller, or null.
  IDispatch* Latest() const;
  // Starts a snapshot, or one more after the one under way.
  void Request();
  // Serial number of the latest snapshot started (0 before the first): a
  // snapshot with a higher number was started after this call.
  std::uint64_t LastStarted() const { return started_; }
  // A new page committed: its title so far, and no snapshot.
  void Commit(const QString& title);
  void SetTitle(const QString& title);

 private:
  void Start();
  void Arrived(std::uint64_t serial, std::uint64_t commit, const QString& markup);

  QPointer<QWebEnginePage> page_;
  std::function<void(std::uint64_t)> kept_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  IHTMLDocument2* latest_ = nullptr;
  std::shared_ptr<QString> title_ = std::make_shared<QString>();
  std::uint64_t started_ = 0;
  std::uint64_t commits_ = 0;
  bool underWay_ = false;
  bool again_ = false;
};

}  // namespace quorla
