#pragma once

#include <string>

// MessageBox: the plain message boxes the player shows (its own messages and the text of an
// error a handler did not catch). Modal: Show returns when the user has answered, and runs a
// nested event loop meanwhile, so timer ticks and media notices go on being handled.
// Called on the user-interface thread only. A lone CR in the text is a line break.
class MessageBox {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~MessageBox() = default;

    virtual Answer Show(const std::string& caption, const std::string& text, Icon icon,
                        Buttons buttons) = 0;
};
