// The long read-only texts of the update-history and FAQ windows.
#pragma once

#include <string_view>

// The change history, newest first; CR LF line breaks.
std::string_view UpdateHistoryText();

// Answers to the usual connection messages and questions; CR LF line breaks.
std::string_view FaqText();
