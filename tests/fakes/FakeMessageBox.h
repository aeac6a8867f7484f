#pragma once

#include <string>
#include <vector>

#include "services/MessageBox.h"

// Records every message box and answers with what the test chose.
class FakeMessageBox final : public MessageBox {
public:
    struct Shown {
        std::string caption;
        std::string text;
        Icon icon;
        Buttons buttons;
    };

    Answer Show(const std::string& caption, const std::string& text, Icon icon,
                Buttons buttons) override {
        shown.push_back({caption, text, icon, buttons});
        return answer;
    }

    std::vector<Shown> shown;
    Answer answer = Answer::Ok;
};
