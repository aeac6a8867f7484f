#pragma once

#include <optional>
#include <vector>

#include "services/Dialogs.h"

// Records every request and answers with the choice the test set (nothing: cancelled).
class FakeDialogs final : public Dialogs {
public:
    std::optional<Choice> OpenFile(const Request& request) override {
        requests.push_back(request);
        return choice;
    }
    std::optional<Choice> SaveFile(const Request& request) override {
        requests.push_back(request);
        return choice;
    }

    std::vector<Request> requests;
    std::optional<Choice> choice;
};
