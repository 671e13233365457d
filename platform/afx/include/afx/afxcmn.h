#pragma once
// The framework's wrappers of the common controls that only some windows
// use, in one include: the list view, its header and image lists.
#include "afx/header_ctrl.h"
#include "afx/image_list.h"
#include "afx/list_ctrl.h"
