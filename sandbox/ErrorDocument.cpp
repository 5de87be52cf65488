#include "ErrorDocument.hpp"

#include <boost/json/array.hpp>
#include <boost/json/object.hpp>

namespace corvend::sandbox {

boost::json::value ErrorDocument::toJSON() const {
    boost::json::object error;
    error["code"] = code;
    error["message"] = message;
    if (!details.empty()) {
        boost::json::array list;
        for (const auto& detail : details) list.emplace_back(detail);
        error["details"] = std::move(list);
    }
    if (!fieldErrors.empty()) {
        boost::json::array list;
        for (const auto& fieldError : fieldErrors) {
            list.emplace_back(
                boost::json::object{{"field", fieldError.field}, {"error", fieldError.error}});
        }
        error["fieldErrors"] = std::move(list);
    }
    return boost::json::object{{"error", std::move(error)}};
}

}  // namespace corvend::sandbox
