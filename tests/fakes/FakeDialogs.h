#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "services/Dialogs.h"

// Records every request and answers with the choice the test set (nothing: cancelled), or
// with what answer makes of the request where the test set that (Enter on what is offered).
class FakeDialogs final : public Dialogs {
public:
    std::optional<Choice> OpenFile(const Request& request) override {
        requests.push_back(request);
        return answer ? answer(request) : choice;
    }
    std::optional<Choice> SaveFile(const Request& request) override {
        requests.push_back(request);
        return answer ? answer(request) : choice;
    }

    std::vector<Request> requests;
    std::optional<Choice> choice;
    std::function<std::optional<Choice>(const Request&)> answer;
};
