// Modal message boxes: an OK notice or a Yes/No question.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/message_box_answers.h"
#include "platform/base/types.h"

// Shows `text` under `caption` and waits for the answer. `owner` may be null.
int MessageBox(HWND owner, const WCHAR* text, const WCHAR* caption, UINT type);
