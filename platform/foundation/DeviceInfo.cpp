#include "platform/foundation/DeviceInfo.hpp"

#include <sys/utsname.h>

namespace corvend::platform {

DeviceInfo currentDevice() {
    DeviceInfo info{"Linux", "0"};
    utsname names{};
    if (::uname(&names) == 0) {
        if (names.sysname[0] != '\0') info.systemName = names.sysname;
        if (names.release[0] != '\0') info.systemVersion = names.release;
    }
    return info;
}

}  // namespace corvend::platform
