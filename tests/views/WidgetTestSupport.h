#pragma once

// What the widget tests share: one QApplication on the offscreen platform, and the messages the
// program shows, captured instead of waiting in modal boxes.

#include "views/MessageBox.h"

#include <QApplication>

#include <vector>

namespace Pellora::Testing {

inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "pellora-test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down among the other static objects at exit can crash.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

// Put first among a fixture's members, so that the application exists before any widget member.
struct UsesApp {
    UsesApp() { TestApp(); }
};

// Records every message shown while it lives.
class CapturedMessages {
public:
    CapturedMessages()
    {
        TestApp();
        Views::SetMessageHook([this](const Views::MessageRecord& message) { mMessages.push_back(message); });
    }
    ~CapturedMessages() { Views::SetMessageHook({}); }
    CapturedMessages(const CapturedMessages&) = delete;
    CapturedMessages& operator=(const CapturedMessages&) = delete;

    const std::vector<Views::MessageRecord>& All() const { return mMessages; }
    QString LastText() const { return mMessages.empty() ? QString() : mMessages.back().text; }
    void Clear() { mMessages.clear(); }

private:
    std::vector<Views::MessageRecord> mMessages;
};

} // namespace Pellora::Testing
