#pragma once

#include <string>

#include "platform/ui/TextRange.hpp"

namespace corvend::platform::ui {

class TextField;

// What a text field asks and tells its owner.
class TextFieldDelegate {
  public:
    virtual ~TextFieldDelegate() = default;

    // Whether replacing `range` (UTF-16 units) of the text with `replacement` may happen.
    virtual bool shouldChangeCharactersIn(TextField& field, TextRange range,
                                          const std::string& replacement) {
        (void)field, (void)range, (void)replacement;
        return true;
    }
    // The field stopped being the first responder.
    virtual void didEndEditing(TextField& field) { (void)field; }
};

}  // namespace corvend::platform::ui
