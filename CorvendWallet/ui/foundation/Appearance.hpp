#pragma once

namespace corvend {

// The look of the kit's screens. For now only the kit's default exists; installing any
// appearance is recorded, so that the set-up installs the default only while the host has not
// installed one of its own.
class Appearance {
  public:
    // The kit's default look, made once, on first use.
    static const Appearance& defaultAppearance();

    // Installs this appearance into the component library's theme and records that an
    // appearance has been applied. Callable from any thread; never fails.
    void apply() const;

    // True once any appearance has been applied; never reset.
    static bool isApplied();
};

}  // namespace corvend
