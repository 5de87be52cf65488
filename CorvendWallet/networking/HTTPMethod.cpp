#include "CorvendWallet/networking/HTTPMethod.hpp"

namespace corvend {

const HTTPMethod& HTTPMethod::get() {
    static const HTTPMethod method{"GET"};
    return method;
}

const HTTPMethod& HTTPMethod::post() {
    static const HTTPMethod method{"POST"};
    return method;
}

const HTTPMethod& HTTPMethod::patch() {
    static const HTTPMethod method{"PATCH"};
    return method;
}

const HTTPMethod& HTTPMethod::delete_() {
    static const HTTPMethod method{"DELETE"};
    return method;
}

}  // namespace corvend
