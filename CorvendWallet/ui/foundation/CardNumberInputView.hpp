#pragma once

#include <memory>
#include <optional>
#include <string>

#include "CorvendCoreComponents/TextField.hpp"
#include "CorvendWallet/ui/foundation/CardNumberInputViewDelegate.hpp"
#include "CorvendWallet/ui/foundation/CardType.hpp"

namespace corvend {

// The card-number field: takes digits only (blanks and other white space aside), at most 23
// characters, and every deletion; shows the number in groups of four with the caret behind the
// digit it followed; shows the brand's logo at its leading edge and redraws it on a light or dark
// change; reports each change of its text to its delegate. Main thread.
//
//   field->currentCardType = CardType(digits);   // the owner, on each change of its model
//   field->setCardLogo(*field->currentCardType);
//   field->setMaskedText(digits);
class CardNumberInputView : public components::TextField {
  public:
    CardNumberInputView();

    std::weak_ptr<CardNumberInputViewDelegate> cardNumberDelegate;
    // Written by the owner; the logo redrawn on a light or dark change is this brand's.
    std::optional<CardType> currentCardType;

    // Installs `type`'s logo, drawn 24 by 24 points, as the leading view.
    void setCardLogo(CardType type);
    // Shows `digits` grouped in fours, the caret staying behind the digit it followed; nothing
    // when absent.
    void setMaskedText(const std::optional<std::string>& digits);

    void traitCollectionDidChange(std::optional<platform::ui::Traits> previous) override;

  protected:
    bool shouldChangeCharacters(platform::ui::TextRange range,
                                const std::string& replacement) override;

  private:
    void cardNumberDidChange();
    void cardNumberDidEndChanging();
};

}  // namespace corvend
