#include "Reply.hpp"

#include <boost/json/serialize.hpp>

namespace corvend::sandbox {

Reply Reply::json(int status, const boost::json::value& value) {
    Reply reply;
    reply.status = status;
    reply.body = boost::json::serialize(value);
    reply.contentType = "application/json";
    return reply;
}

Reply Reply::error(int status, const ErrorDocument& document) {
    return json(status, document.toJSON());
}

Reply Reply::empty(int status) {
    Reply reply;
    reply.status = status;
    return reply;
}

}  // namespace corvend::sandbox
