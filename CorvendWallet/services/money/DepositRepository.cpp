#include "CorvendWallet/services/money/DepositRepository.hpp"

#include <utility>

#include "CorvendWallet/foundation/AskedRecord.hpp"
#include "CorvendWallet/foundation/ErrorCode.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/models/WireValueTable.hpp"
#include "CorvendWallet/services/money/PaymentFlowMapping.hpp"

namespace corvend {

namespace {

namespace Endpoints = DepositServiceEndpoint;
using DepositServiceEndpoint::Link;

model::ReturnLink returnLink(const Link& link) {
    return model::ReturnLink(model::fromWire<model::ReturnLink::ReturnLinkType>(link.rel),
                             link.href, model::fromWire<model::HttpRequestMethod>(link.method));
}

}  // namespace

std::shared_ptr<DepositRepository> DepositRepository::make(
    std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider) {
    return std::make_shared<DepositRepository>(std::move(networkManager),
                                               std::move(fingerprintProvider));
}

std::vector<model::PaymentOptionDetails> DepositRepository::doGetOptions() {
    return toPaymentOptionDetailsList(networkManager()->request(Endpoints::paymentOptions()));
}

model::CustomerDepositList DepositRepository::doGetAll(
    const std::optional<model::GetDepositsParameters>& parameters) {
    return customerDepositList(networkManager()->request(Endpoints::deposits(parameters)));
}

model::CustomerDeposit DepositRepository::doGet(const std::string& id) {
    return askedRecord(id, customerDeposit(networkManager()->request(Endpoints::deposit(id))),
                       &model::CustomerDeposit::id);
}

model::CustomerDeposit DepositRepository::doPreview(const model::DepositRequest& request) {
    return customerDeposit(networkManager()->request(
        Endpoints::previewDeposit(request, fingerprintProvider()->fingerprint())));
}

model::CustomerDeposit DepositRepository::doCreate(const model::DepositCreate& create) {
    std::optional<PaymentInstrumentModel> instrument;
    if (create.paymentInstrument()) {
        // The host chose this instrument: sending the create without it would pay with
        // something else, so one the kit cannot write fails here, before anything is sent.
        instrument = toPaymentInstrumentModel(*create.paymentInstrument());
        if (!instrument) throw model::WalletError::internalError(model::ErrorCode::unencodableBody);
    }
    return askedRecord(
        create.id(),
        customerDeposit(networkManager()->request(Endpoints::updateDepositStatus(
            create.id(), PaymentFlowStatus::pending,
            toPaymentPropertyModels(create.paymentProperties()), std::move(instrument)))),
        &model::CustomerDeposit::id);
}

model::CustomerDeposit DepositRepository::doConfirm(const model::DepositConfirm& confirm) {
    return askedRecord(confirm.id(),
                       customerDeposit(networkManager()->request(Endpoints::updateDepositStatus(
                           confirm.id(), PaymentFlowStatus::processing,
                           toPaymentPropertyModels(confirm.paymentProperties()), std::nullopt))),
                       &model::CustomerDeposit::id);
}

model::CustomerDeposit DepositRepository::customerDeposit(
    const DepositServiceEndpoint::CustomerDepositResponse& response) {
    model::CustomerDeposit deposit;
    PaymentFlowMapping::fillRecord(deposit, response);
    if (response.returnUrls) {
        deposit.returnUrls_ = PaymentFlowMapping::records(*response.returnUrls, returnLink);
    }
    if (response.nextStatus) {
        deposit.nextStatus_ =
            PaymentFlowMapping::records(*response.nextStatus, [](const std::string& status) {
                return model::fromWire<model::PaymentStatus>(status);
            });
    }
    if (response.redirectUrl) {
        model::RedirectLink link;
        link.rel_ =
            model::fromWire<model::RedirectLink::RedirectLinkType>(response.redirectUrl->rel);
        link.href_ = response.redirectUrl->href;
        link.method_ = model::fromWire<model::HttpRequestMethod>(response.redirectUrl->method);
        deposit.redirectUrl_ = std::move(link);
    }
    deposit.action_ = model::fromWire<model::DepositAction>(response.action);
    return deposit;
}

model::CustomerDepositList DepositRepository::customerDepositList(
    const DepositServiceEndpoint::DepositListResponse& response) {
    model::CustomerDepositList list;
    if (response.deposits) {
        list.deposits_ = PaymentFlowMapping::records(*response.deposits, customerDeposit);
    }
    list.meta_ = PaymentFlowMapping::pagingMeta(response.meta);
    return list;
}

}  // namespace corvend
