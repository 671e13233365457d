// Gravik's class table, in its fixed slot order (slot 0 is always empty).
#include "async_result.h"
#include "binary_buffer.h"
#include "framework/com_object.h"
#include "lib_png.h"
#include "url_moniker.h"

namespace {
S_COM::ClassEntry g_binaryBuffer = S_COM::MakeClassEntry<CBinaryBuffer>(u"CBinaryBuffer", false);
S_COM::ClassEntry g_asyncResult = S_COM::MakeClassEntry<CFAsyncResult>(u"CFAsyncResult", false);
S_COM::ClassEntry g_urlMoniker = S_COM::MakeClassEntry<CUrlMoniker>(u"CUrlMoniker", false);
}  // namespace

S_COM_DEFINE_MODULE(nullptr,
                    &g_binaryBuffer,  // CBinaryBuffer
                    &g_asyncResult,   // CFAsyncResult
                    &g_classLibPng,   // CLibPng
                    &g_urlMoniker)    // CUrlMoniker
