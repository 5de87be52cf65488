#include "CorvendWallet/services/cards/PaymentInstrumentRepository.hpp"

#include <optional>
#include <stdexcept>
#include <utility>

#include "CorvendWallet/foundation/AskedRecord.hpp"
#include "CorvendWallet/foundation/ErrorCode.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/models/WireValueTable.hpp"
#include "platform/url/URL.hpp"
#include "platform/url/URLComponents.hpp"

namespace corvend {

namespace ErrorCode = model::ErrorCode;

namespace {

namespace wire = PaymentInstrumentServiceEndpoint;
using model::fromWire;

[[noreturn]] void fail(const char* code) {
    throw model::WalletError::internalError(code, std::nullopt);
}

// The value of the first query item named exactly "sessionId"; nothing when the address does
// not parse, has no query or no such item, or the item has no value.
std::optional<std::string> sessionId(const std::string& returnUrl) {
    const auto components = platform::URLComponents::parse(returnUrl);
    if (!components) return std::nullopt;
    const auto items = components->queryItems();
    if (!items) return std::nullopt;
    for (const auto& item : *items) {
        if (item.name == "sessionId") return item.value;
    }
    return std::nullopt;
}

}  // namespace

std::shared_ptr<PaymentInstrumentRepository> PaymentInstrumentRepository::make(
    std::shared_ptr<Networkable> networkManager, std::shared_ptr<platform::URLOpener> urlOpener) {
    return std::make_shared<PaymentInstrumentRepository>(std::move(networkManager),
                                                         std::move(urlOpener));
}

PaymentInstrumentRepository::PaymentInstrumentRepository(
    std::shared_ptr<Networkable> networkManager, std::shared_ptr<platform::URLOpener> urlOpener)
    : networkManager_(std::move(networkManager)), urlOpener_(std::move(urlOpener)) {
    if (!networkManager_ || !urlOpener_) {
        throw std::invalid_argument(
            "an instrument repository needs a network manager and an opener");
    }
}

std::vector<PaymentInstrumentService::Instrument> PaymentInstrumentRepository::doGetAll(
    const model::PaymentInstrumentsParameters& parameters) {
    return toPaymentInstruments(
        networkManager_->request(wire::instruments(parameters.queryParams())));
}

PaymentInstrumentService::Instrument PaymentInstrumentRepository::doGet(
    const model::PaymentInstrumentParameters& parameters) {
    return single(parameters, false);
}

PaymentInstrumentService::Instrument PaymentInstrumentRepository::doDelete(
    const model::PaymentInstrumentParameters& parameters) {
    return single(parameters, true);
}

PaymentInstrumentService::Instrument PaymentInstrumentRepository::single(
    const model::PaymentInstrumentParameters& parameters, bool remove) {
    auto instrument = toPaymentInstrument(networkManager_->request(wire::instrument(
        model::toWireValue(parameters.instrumentType), parameters.instrumentId, remove)));
    if (!instrument) fail(ErrorCode::unmappableInstrument);
    return askedRecord(parameters.instrumentId, std::move(instrument),
                       &model::PaymentInstrument::id);
}

model::InstrumentVerification PaymentInstrumentRepository::doStartVerification(
    const model::InstrumentVerificationRequest& request) {
    return verification(networkManager_->request(wire::startVerification(
        {request.returnUrl, std::string(model::toWireValue(request.instrumentType))})));
}

model::InstrumentVerificationList PaymentInstrumentRepository::doGetAllVerifications(
    const model::InstrumentVerificationParameters& parameters) {
    return verificationList(
        networkManager_->request(wire::verifications(parameters.queryParams())));
}

model::InstrumentVerification PaymentInstrumentRepository::doGetVerification(
    const std::string& sessionId) {
    return askedRecord(sessionId,
                       verification(networkManager_->request(wire::verification(sessionId))),
                       &model::InstrumentVerification::id);
}

void PaymentInstrumentRepository::doOpenExternalVerificationFlow(
    const model::InstrumentVerification& instrumentVerification) {
    // Only web pages: another scheme would hand the desktop an arbitrary handler to run.
    const auto url = platform::URL::make(instrumentVerification.redirectUrl());
    if (!url || (url->scheme() != "http" && url->scheme() != "https"))
        fail(ErrorCode::unexpectedReply);
    if (!urlOpener_->open(*url)) fail(ErrorCode::urlNotOpened);
}

model::InstrumentVerification PaymentInstrumentRepository::doCompleteExternalVerificationFlow(
    const std::string& returnUrl) {
    const auto id = sessionId(returnUrl);
    if (!id) fail(ErrorCode::serverError);
    return doGetVerification(*id);
}

model::InstrumentVerification PaymentInstrumentRepository::verification(
    const wire::InstrumentVerificationResponse& reply) {
    std::optional<model::PaymentInstrumentReference> instrument;
    if (reply.instrument) {
        instrument = model::PaymentInstrumentReference{
            reply.instrument->id,
            fromWire<model::InstrumentType>(reply.instrument->instrumentType)};
    }
    return model::InstrumentVerification({
        .instrumentType = fromWire<model::InstrumentType>(reply.instrumentType),
        .returnUrl = reply.returnUrl,
        .id = reply.id,
        .redirectUrl = reply.redirectUrl,
        .creationTime = reply.creationTime,
        .expirationTime = reply.expirationTime,
        .instrument = std::move(instrument),
        .sessionStatus = fromWire<model::InstrumentVerificationStatus>(reply.sessionStatus),
        .statusReason = fromWire<model::InstrumentVerificationFailStatusReason>(reply.statusReason),
    });
}

model::InstrumentVerificationList PaymentInstrumentRepository::verificationList(
    const wire::InstrumentVerificationSessionsResponse& reply) {
    std::optional<std::vector<model::InstrumentVerification>> list;
    if (reply.instrumentVerifications) {
        list.emplace();
        list->reserve(reply.instrumentVerifications->size());
        for (const auto& session : *reply.instrumentVerifications) {
            list->push_back(verification(session));
        }
    }
    std::optional<model::PagingResultMeta> meta;
    if (reply.meta) meta = toPagingResultMeta(*reply.meta);
    return model::InstrumentVerificationList(std::move(list), std::move(meta));
}

}  // namespace corvend
