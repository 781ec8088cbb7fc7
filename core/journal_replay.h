// The operation-log window's 撤销 and 重新应用: the journal run back or forward from the record the
// user clicked into.
#pragma once

#include "platform/window_model.h"

// 撤销: after a Yes to a question that lists every change, returns every package and setting
// changed from the record under the caret onwards (in time order) to its state before that
// record, newest first; then says how it went. Refused while another change is being made.
void UndoFromCaret(const EventArgs&);
// 重新应用: the same for making the latest change of every package and setting again (from the
// record under the caret, or in the whole journal), oldest first.
void ReapplyFromCaret(const EventArgs&);

// True while 撤销 or 重新应用 runs its steps. The log window is modal, so that meanwhile only its
// own buttons can be clicked; 清空 asks this.
bool IsPlanRunning();
