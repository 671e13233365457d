// Pelmor's class table, in its fixed slot order (slot 0 is always empty).
#include "framework/com_object.h"

S_COM_DEFINE_MODULE(nullptr,
                    nullptr)  // CHttpDownload
