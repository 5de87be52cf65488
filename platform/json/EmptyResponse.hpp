#pragma once

namespace corvend::platform {

// The model of a reply whose body is not read. JSONDecoder::decode<EmptyResponse> does not
// parse the body at all, so any body (empty, "{}", or not JSON) gives an EmptyResponse; as a
// member it passes over whatever value it is given. It encodes as "{}".
struct EmptyResponse {
    friend bool operator==(const EmptyResponse&, const EmptyResponse&) = default;
};

}  // namespace corvend::platform
