#pragma once

namespace corvend::components::Appearance {

// Styles bar button items from the configured theme: the tint labelColor.primary.onBase and,
// for the normal and highlighted states, the text1 font scaled for Dynamic Type. Applies to all
// items when `isGlobal`, else only to those inside a ThemedNavigationBar. Any thread.
void setNavigationBarButtonAppearance(bool isGlobal);

}  // namespace corvend::components::Appearance
