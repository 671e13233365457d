#pragma once
// The process's one web engine profile, made on first use on the thread that
// runs Qt and kept for the life of the process (pages must never outlive it,
// and the layer's QApplication is never destroyed either).
//
// Before the engine first starts: as an effective root user the engine's
// sandbox cannot start, so it is switched off for root only (an ordinary user
// keeps it). Cookies and other lasting data go under $XDG_DATA_HOME, the
// cache under $XDG_CACHE_HOME (their usual defaults when unset). The engine
// loads no page icons of its own, lets no script open windows, reads a page
// that declares no charset as GBK, and every download is refused.
class QWebEngineProfile;

namespace quorla {

QWebEngineProfile* WebEngineProfile();

}  // namespace quorla
