#include "CorvendCoreComponents/BottomSheeting.hpp"

namespace corvend::components {

BottomSheeting BottomSheeting::live() {
    return BottomSheeting{&BottomSheet::make};
}

}  // namespace corvend::components
