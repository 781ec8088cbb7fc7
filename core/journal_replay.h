// The operation-log window's 撤销 and 重新应用: the journal run back or forward from the record the
// user clicked into.
#pragma once

#include "platform/window_model.h"

// 撤销: after a Yes, returns every package, setting and switched group changed from the record
// under the caret onwards to its state before that record, newest first; then says how it went.
void UndoFromCaret(const EventArgs&);
// 重新应用: after a Yes, makes the latest change of every package, setting and switched group
// again (from the record under the caret, or in the whole journal), oldest first.
void ReapplyFromCaret(const EventArgs&);
