#pragma once

#include <string>

namespace corvend {

class CardNumberInputView;

// What the card-number field tells its owner: its text after each change and when editing ends.
class CardNumberInputViewDelegate {
  public:
    virtual ~CardNumberInputViewDelegate() = default;

    virtual void cardNumberInputViewDidChangeText(CardNumberInputView& view,
                                                  const std::string& text) = 0;
    virtual void cardNumberInputViewDidEndChangingText(CardNumberInputView& view,
                                                       const std::string& text) = 0;
};

}  // namespace corvend
