#pragma once
// A double of the windows' messages and working notice: it records what the
// commands show and answers questions from a queue.

#include "app/PathText.h"
#include "app/UserInterface.h"

#include <deque>
#include <string>
#include <vector>

// Texts are recorded as shown, the path marks taken out. A question with
// nothing queued is answered Cancel (No when it has no Cancel).
class tFakeUserInterface : public tUserInterface {
public:
    std::deque<tAnswer> Answers;
    std::vector<std::string> Errors;
    std::vector<std::string> Details; // the detail of each error, in order
    std::vector<std::string> Informations;
    std::vector<std::string> Questions;
    std::vector<std::string> Working; // "show:<info>" and "hide", in order

    tAnswer Message(tMessageKind kind, tButtons buttons, const std::string& markedText,
                    const std::string& markedDetail) override {
        const std::string text = WithoutPathMarks(markedText);
        const std::string detail = WithoutPathMarks(markedDetail);
        if (buttons == tButtons::Ok) {
            (kind == tMessageKind::Error ? Errors : Informations).push_back(text);
            if (kind == tMessageKind::Error) {
                Details.push_back(detail);
            }
            return tAnswer::Ok;
        }
        Questions.push_back(text);
        if (Answers.empty()) {
            return buttons == tButtons::YesNo ? tAnswer::No : tAnswer::Cancel;
        }
        const tAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void ShowWorking(const std::string& info) override { Working.push_back("show:" + info); }
    void HideWorking() override { Working.push_back("hide"); }
};
