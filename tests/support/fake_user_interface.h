// A scripted user interface for command tests: answers come from fields set
// beforehand, and everything the command showed is recorded.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "shell/ui_strings.h"
#include "shell/user_interface.h"

namespace testsupport {

struct ShownMessage {
    std::string text;
    std::string title;
    shell::MessageIcon icon;
};

class FakeUserInterface : public shell::UserInterface {
public:
    // Answers, consumed in order; an empty queue answers Cancel / No.
    std::deque<std::optional<std::string>> openFileAnswers;
    std::deque<std::optional<std::string>> saveFileAnswers;
    std::deque<std::string> folderAnswers;
    std::deque<bool> yesNoAnswers;
    std::deque<bool> okCancelAnswers;

    // What the command did.
    std::vector<ShownMessage> messages;
    std::vector<std::string> questions;        // Yes/No questions
    std::vector<ShownMessage> confirmations;   // OK/Cancel questions
    std::vector<shell::FileDialogRequest> openRequests;
    std::vector<shell::FileDialogRequest> saveRequests;
    std::vector<std::string> folderPrompts;
    int busyDepth = 0;
    int busyBegins = 0;
    int pumps = 0;
    // A language to take the message texts from, as the windows do; none:
    // the built-in texts.
    const shell::LanguageState* language = nullptr;

    std::string messageText(shell::MessageKey key) const override {
        return language ? shell::messageTextIn(*language, key) : shell::builtInText(key);
    }

    void showMessage(const std::string& text, const std::string& title, shell::MessageIcon icon) override {
        messages.push_back({text, title, icon});
    }
    bool askYesNo(const std::string& text, const std::string&) override {
        questions.push_back(text);
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    bool askOkCancel(const std::string& text, const std::string& title) override {
        confirmations.push_back({text, title, shell::MessageIcon::None});
        if (okCancelAnswers.empty()) return false;
        const bool answer = okCancelAnswers.front();
        okCancelAnswers.pop_front();
        return answer;
    }
    // Like the real dialog, a chosen selection leaves the current directory
    // at its folder (when that folder exists here).
    std::optional<std::string> chooseOpenFile(const shell::FileDialogRequest& request) override {
        openRequests.push_back(request);
        auto answer = take(openFileAnswers);
        if (answer) {
            const std::size_t nul = answer->find('\0');
            const std::string folder = nul != std::string::npos ? answer->substr(0, nul) : platform::parentPath(*answer);
            if (!folder.empty() && platform::folderExists(folder)) platform::setCurrentDirectory(folder);
        }
        return answer;
    }
    std::optional<std::string> chooseSaveFile(const shell::FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return take(saveFileAnswers);
    }
    std::string browseForFolder(const std::string& prompt) override {
        folderPrompts.push_back(prompt);
        if (folderAnswers.empty()) return {};
        std::string answer = folderAnswers.front();
        folderAnswers.pop_front();
        return answer;
    }
    void beginBusy() override { ++busyDepth; ++busyBegins; }
    void endBusy() override { --busyDepth; }
    void pumpEvents() override { ++pumps; }

    std::string lastMessage() const { return messages.empty() ? std::string() : messages.back().text; }

private:
    static std::optional<std::string> take(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace testsupport
