#pragma once
// What a window with a key handler uses: the key codes and the key preview.
#include "KeyCodes.h"
#include "KeyPreview.h"
