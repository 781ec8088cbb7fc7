// Headless message boxes: recorded, and answered at once or by the test's responder; questions
// get the answer the test chose.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless/driver.h"
#include "platform/headless/live_window.h"
#include "platform/window_system.h"

namespace headless {

namespace {

struct MessageRecord {
    std::vector<std::string> texts;
    std::function<void(std::string_view)> responder;
    bool answerYes = false;
};

MessageRecord& Record()
{
    static MessageRecord record;
    return record;
}

}  // namespace

std::vector<std::string> Messages() { return Record().texts; }

void SetMessageResponder(std::function<void(std::string_view text)> responder)
{
    Record().responder = std::move(responder);
}

void AnswerQuestions(bool yes) { Record().answerYes = yes; }

void detail::ClearMessages() { Record() = {}; }

}  // namespace headless

// The box is task-modal: every window is disabled while the responder answers it.
void ShowMessage(std::string_view text)
{
    using namespace headless::detail;
    if (IsProgramEnding()) {
        return;
    }
    auto& record = headless::Record();
    record.texts.emplace_back(text);
    if (!record.responder) {
        return;
    }
    const std::function<void(std::string_view)> respond = record.responder;
    const std::vector<WindowRef> disabled = OpenList();
    for (const WindowRef& window : disabled) {
        ++window->disablers;
    }
    respond(text);
    for (const WindowRef& window : disabled) {
        --window->disablers;
    }
}

bool AskYesNo(std::string_view question)
{
    if (IsProgramEnding()) {
        return false;
    }
    ShowMessage(question);
    return headless::Record().answerYes;
}
