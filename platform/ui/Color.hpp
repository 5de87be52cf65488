#pragma once

#include <memory>
#include <string>

#include "platform/ui/Traits.hpp"

namespace corvend::platform::ui {

class Color;
using ColorPtr = std::shared_ptr<const Color>;

// An immutable colour object, shared by reference: palettes and views hold the very object they
// were given. A dynamic colour captures a light and a dark colour and resolves to one of them;
// made, copied and read on any thread.
class Color : public std::enable_shared_from_this<Color> {
  public:
    struct Components {
        double red = 0;
        double green = 0;
        double blue = 0;
        double alpha = 0;

        friend bool operator==(const Components&, const Components&) = default;
    };

    // Components are clamped to [0, 1].
    static ColorPtr rgba(double red, double green, double blue, double alpha);
    // The one process-wide clear colour.
    static ColorPtr clear();
    // Throws std::invalid_argument when either colour is absent.
    static ColorPtr dynamic(ColorPtr light, ColorPtr dark);

    // A fixed colour resolves to itself; a dynamic one to the captured dark colour only when
    // the traits say dark, else to the captured light colour (never a new object).
    ColorPtr resolved(const Traits& traits) const;
    bool isDynamic() const { return light_ != nullptr; }

    // The components after resolution.
    Components components(const Traits& traits = {}) const;
    // "#RRGGBB", followed by " α0.38" when not opaque, after resolution.
    std::string description(const Traits& traits = {}) const;

    struct Passkey {
      private:
        Passkey() = default;
        friend class Color;
    };
    Color(Passkey, Components components, ColorPtr light, ColorPtr dark);

  private:
    Components components_;
    ColorPtr light_;
    ColorPtr dark_;
};

}  // namespace corvend::platform::ui
