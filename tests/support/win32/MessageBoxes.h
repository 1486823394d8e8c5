#pragma once

// Message boxes recorded instead of shown, and questions answered from a script.

#include "framework/WinApp.h"

#include <functional>
#include <string>
#include <vector>

struct MessageRecord {
    HWND hOwner;
    std::string text;
    std::string caption;
    UINT type;
};

// Records every box; a question takes the next of |answers|, or No when none is left.
// |whileShown| runs as if the user acted while the box is up (it may be empty).
struct RecordedBoxes {
    std::vector<MessageRecord> boxes;
    std::vector<int> answers;
    std::function<void()> whileShown;
    RecordedBoxes() {
        AfxSetMessageBoxResponder(
            [this](HWND h, const std::string& text, const std::string& caption, UINT type) {
                boxes.push_back({h, text, caption, type});
                if (whileShown)
                    whileShown();
                if ((type & MB_TYPEMASK) != MB_YESNO)
                    return IDOK;
                int answer = answers.empty() ? IDNO : answers.front();
                if (!answers.empty())
                    answers.erase(answers.begin());
                return answer;
            });
    }
    ~RecordedBoxes() { AfxSetMessageBoxResponder(nullptr); }
    RecordedBoxes(const RecordedBoxes&) = delete;
    RecordedBoxes& operator=(const RecordedBoxes&) = delete;
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const MessageRecord& box : boxes)
            texts.push_back(box.text);
        return texts;
    }
};
