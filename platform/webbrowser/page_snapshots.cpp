#include "page_snapshots.h"

#include <QWebEnginePage>

#include "live_document.h"

namespace quorla {

PageSnapshots::PageSnapshots(QWebEnginePage* page, std::function<void(std::uint64_t)> kept)
    : page_(page), kept_(std::move(kept)) {}

PageSnapshots::~PageSnapshots() {
  *alive_ = false;
  if (latest_) latest_->Release();
}

IDispatch* PageSnapshots::Latest() const {
  if (!latest_) return nullptr;
  latest_->AddRef();
  return latest_;
}

void PageSnapshots::Request() {
  if (underWay_) {
    again_ = true;
    return;
  }
  Start();
}

void PageSnapshots::Start() {
  if (!page_) return;
  underWay_ = true;
  again_ = false;
  const std::uint64_t serial = ++started_;
  const std::uint64_t commit = commits_;
  std::weak_ptr<bool> alive = alive_;
  page_->toHtml([this, alive, serial, commit](const QString& markup) {
    if (alive.expired() || !*alive.lock()) return;
    Arrived(serial, commit, markup);
  });
}

void PageSnapshots::Arrived(std::uint64_t serial, std::uint64_t commit, const QString& markup) {
  underWay_ = false;
  const bool current = commit == commits_ && page_;
  if (current) {
    // The engine tells no title that stayed as it was; it holds the page's.
    *title_ = page_->title();
    LiveDocument* document = LiveDocument::FromMarkup(markup, QString::fromLatin1(page_->url().toEncoded()), title_);
    if (document) {
      if (latest_) latest_->Release();
      latest_ = document;
    }
  }
  if (again_ || !current) {
    // A snapshot of a page that is gone stands for none: the one asked for
    // is taken from the new page.
    Start();
  }
  if (current) {
    // The listener may end the control, and this keeper with it.
    auto kept = kept_;
    kept(serial);
  }
}

void PageSnapshots::Commit(const QString& title) {
  ++commits_;
  if (latest_) latest_->Release();
  latest_ = nullptr;
  // Documents handed out before keep the title their page had.
  title_ = std::make_shared<QString>(title);
}

void PageSnapshots::SetTitle(const QString& title) { *title_ = title; }

}  // namespace quorla
