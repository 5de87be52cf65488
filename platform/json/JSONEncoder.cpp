#include "platform/json/JSONEncoder.hpp"

#include "platform/foundation/ISO8601.hpp"

namespace corvend::platform {

void JSONEncoder::setDateEncodingStrategy(DateEncodingStrategy strategy) {
    dateStrategy_ = strategy;
    customDate_ = nullptr;
}

void JSONEncoder::setDateEncodingStrategy(CustomDateEncoding encoding) {
    customDate_ = std::move(encoding);
    dateStrategy_ = DateEncodingStrategy::secondsSinceReferenceDate;
}

void JSONEncoder::writeDate(const Date& date, JSONWriter& out) const {
    if (customDate_) {
        std::variant<double, std::string> form;
        try {
            form = customDate_(date);
        } catch (const EncodingError&) {
            throw;
        } catch (const std::exception& error) {
            throw EncodingError::invalidValue(
                {{},
                 std::string("The date strategy failed: ") + error.what(),
                 std::current_exception()});
        }
        if (const double* seconds = std::get_if<double>(&form)) {
            out.writeDouble(*seconds);
        } else {
            out.writeString(std::get<std::string>(form));
        }
        return;
    }
    switch (dateStrategy_) {
        case DateEncodingStrategy::secondsSinceReferenceDate:
            out.writeDouble(date.timeIntervalSinceReferenceDate());
            return;
        case DateEncodingStrategy::iso8601:
            out.writeString(iso8601::format(date));
            return;
    }
}

}  // namespace corvend::platform
