#include "CorvendWallet/networking/HTTPMethod.hpp"

#include "platform/foundation/NeverDestroyed.hpp"

namespace corvend {

const HTTPMethod& HTTPMethod::get() {
    static const platform::NeverDestroyed<HTTPMethod> method(HTTPMethod{"GET"});
    return *method;
}

const HTTPMethod& HTTPMethod::post() {
    static const platform::NeverDestroyed<HTTPMethod> method(HTTPMethod{"POST"});
    return *method;
}

const HTTPMethod& HTTPMethod::patch() {
    static const platform::NeverDestroyed<HTTPMethod> method(HTTPMethod{"PATCH"});
    return *method;
}

const HTTPMethod& HTTPMethod::delete_() {
    static const platform::NeverDestroyed<HTTPMethod> method(HTTPMethod{"DELETE"});
    return *method;
}

}  // namespace corvend
