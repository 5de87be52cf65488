#include "platform/ui/Color.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace corvend::platform::ui {

Color::Color(Passkey, Components components, ColorPtr light, ColorPtr dark)
    : components_(components), light_(std::move(light)), dark_(std::move(dark)) {}

ColorPtr Color::rgba(double red, double green, double blue, double alpha) {
    const auto unit = [](double value) { return std::clamp(value, 0.0, 1.0); };
    return std::make_shared<const Color>(
        Passkey{}, Components{unit(red), unit(green), unit(blue), unit(alpha)}, nullptr, nullptr);
}

ColorPtr Color::clear() {
    static const ColorPtr clearColor = rgba(0, 0, 0, 0);
    return clearColor;
}

ColorPtr Color::dynamic(ColorPtr light, ColorPtr dark) {
    if (!light || !dark) throw std::invalid_argument("a dynamic colour needs two colours");
    return std::make_shared<const Color>(Passkey{}, Components{}, std::move(light),
                                         std::move(dark));
}

ColorPtr Color::resolved(const Traits& traits) const {
    if (!isDynamic()) return shared_from_this();
    const ColorPtr& chosen = traits.userInterfaceStyle == UserInterfaceStyle::dark ? dark_ : light_;
    // The captured colours may themselves be dynamic.
    return chosen->resolved(traits);
}

Color::Components Color::components(const Traits& traits) const {
    return resolved(traits)->components_;
}

std::string Color::description(const Traits& traits) const {
    const Components c = components(traits);
    const auto byte = [](double unit) { return static_cast<int>(std::lround(unit * 255)); };
    char text[32];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", byte(c.red), byte(c.green), byte(c.blue));
    std::string result = text;
    if (c.alpha < 1) {
        std::snprintf(text, sizeof text, " α%g", std::round(c.alpha * 1000) / 1000);
        result += text;
    }
    return result;
}

}  // namespace corvend::platform::ui
