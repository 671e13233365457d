// Pelmor's class table, in its fixed slot order (slot 0 is always empty).
#include "framework/com_object.h"
#include "http_download.h"

namespace {
S_COM::ClassEntry g_httpDownload = S_COM::MakeClassEntry<CHttpDownload>(u"CHttpDownload", true);
}  // namespace

S_COM_DEFINE_MODULE(nullptr,
                    &g_httpDownload)  // CHttpDownload
