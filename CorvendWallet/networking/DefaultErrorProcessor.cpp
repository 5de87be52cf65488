#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"

#include <boost/describe.hpp>

#include "CorvendWallet/foundation/ErrorCode.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/networking/ResponseValidation.hpp"
#include "platform/foundation/NeverDestroyed.hpp"
#include "platform/json/JSONCoding.hpp"
#include "platform/json/JSONDecoder.hpp"

namespace corvend {

namespace ErrorCode = model::ErrorCode;

namespace {

// The service's error document.
namespace ErrorResponse {
struct FieldError {
    std::string field;
    std::string error;
};
BOOST_DESCRIBE_STRUCT(FieldError, (), (field, error))

struct ErrorDetails {
    std::string code;
    std::optional<std::string> message;
    std::optional<std::vector<std::string>> details;
    std::optional<std::vector<FieldError>> fieldErrors;
};
BOOST_DESCRIBE_STRUCT(ErrorDetails, (), (code, message, details, fieldErrors))

struct Document {
    ErrorDetails error;
};
BOOST_DESCRIBE_STRUCT(Document, (), (error))
}  // namespace ErrorResponse

std::optional<ErrorResponse::Document> readDocument(const std::optional<platform::Data>& body) {
    if (!body) return std::nullopt;
    try {
        // Default settings: the document holds no dates.
        return platform::JSONDecoder().decode<ErrorResponse::Document>(*body);
    } catch (const platform::DecodingError&) {
        return std::nullopt;
    }
}

[[noreturn]] void processError(const platform::HTTPURLResponse& response,
                               const std::optional<platform::Data>& body) {
    using model::WalletError;
    const auto status = response.statusCode();
    auto id = correlationID(response);
    switch (status) {
        case 401:
            throw WalletError::tokenExpired(std::move(id));
        case 403:
            throw WalletError::internalError(ErrorCode::forbidden, std::move(id));
        case 500:
            throw WalletError::internalError(ErrorCode::serverError, std::move(id));
        case 503:
            throw WalletError::serviceUnavailable(std::move(id));
        default:
            break;
    }
    auto document = readDocument(body);
    if (!document)
        throw WalletError::internalError(
            status == 404 ? ErrorCode::notFound : ErrorCode::unreadableErrorDocument, id);

    auto& error = document->error;
    std::optional<std::vector<WalletError::FieldErrorDetails>> fieldErrors;
    if (error.fieldErrors) {
        fieldErrors.emplace();
        fieldErrors->reserve(error.fieldErrors->size());
        for (auto& fieldError : *error.fieldErrors) {
            fieldErrors->push_back({std::move(fieldError.field), std::move(fieldError.error)});
        }
    }
    throw WalletError::dataError({
        .httpStatus = status,
        .code = std::move(error.code),
        .message = std::move(error.message),
        .details = std::move(error.details),
        .fieldErrors = std::move(fieldErrors),
        .errorID = std::move(id),
    });
}

}  // namespace

const EndpointErrorProcessor& defaultErrorProcessor() {
    static const platform::NeverDestroyed<EndpointErrorProcessor> processor(
        EndpointErrorProcessor{&processError});
    return *processor;
}

}  // namespace corvend
