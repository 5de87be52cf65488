#pragma once

#include <concepts>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CorvendWallet/models/PaymentOptionDetailsResponse.hpp"
#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/networking/HTTPMethod.hpp"
#include "CorvendWallet/networking/PathSegment.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"
#include "CorvendWallet/services/money/PaymentFlowStatusChange.hpp"
#include "CorvendWallet/services/money/PaymentFlowStatusUpdate.hpp"
#include "platform/foundation/NeverDestroyed.hpp"

namespace corvend {

// What a money-movement domain tells the shared flow: its collection path and the wire types
// of one record and of one page of records.
//
//   struct TransferFlow {
//       static constexpr std::string_view kCollectionPath = "digitalwallets/v1/profile/transfers";
//       using Record = TransferServiceEndpoint::CustomerTransferResponse;
//       using Page = TransferServiceEndpoint::CustomerTransferListResponse;
//   };
template <class D>
concept PaymentFlowDomain = requires {
    { D::kCollectionPath } -> std::convertible_to<std::string_view>;
    typename D::Record;
    typename D::Page;
};

// The REST calls that deposits, withdrawals and transfers share, under the domain's
// collection path. Every builder only describes a call (no I/O, nothing cached except the
// options endpoint): empty headers, the default error processor, replies read by the shared
// decoder (a reply without a body is EndpointError::noResponse), bodies written by the shared
// encoder when the request is built.
//
// Identifiers stand as one path segment (see pathSegment()): an identifier cannot reach
// another resource, and "", "." or ".." make the builder throw model::WalletError "I0001"
// before anything is sent.
template <PaymentFlowDomain D>
struct PaymentFlow {
    using Record = typename D::Record;
    using Page = typename D::Page;
    using Options = std::vector<PaymentOptionDetailsResponse>;

    // The collection path + "/" + the escaped identifier.
    static std::string recordPath(std::string_view id) {
        return std::string(D::kCollectionPath) + "/" + pathSegment(id);
    }

    // POST of the collection with `body` as JSON.
    template <class Body>
    static Endpoint<Record> preview(Body body) {
        return post<Record>(D::kCollectionPath, std::move(body));
    }

    // POST of the record's path + "/status" with `body` as JSON (PaymentStatusUpdateRequest,
    // or a domain body that derives from it).
    template <class Body>
    static Endpoint<Record> updateStatus(std::string_view id, Body body) {
        return post<Record>(recordPath(id) + "/status", std::move(body));
    }

    // The shared status body: `status` and the properties already converted.
    static Endpoint<Record> updateStatus(
        std::string_view id, PaymentFlowStatus status,
        std::optional<std::vector<PaymentPropertyModel>> paymentProperties) {
        return updateStatus(id, PaymentStatusUpdateRequest{std::string(toWireValue(status)),
                                                           std::move(paymentProperties)});
    }

    // The shared status change: `status` and the change's properties, converted in order.
    static Endpoint<Record> updateStatus(const model::PaymentFlowStatusChange& change,
                                         PaymentFlowStatus status) {
        return updateStatus(change.id(), status,
                            toPaymentPropertyModels(change.paymentProperties()));
    }

    // GET of the collection; no query when `parameters` is absent or has no field, otherwise
    // its queryParams() in order.
    template <class Parameters>
    static Endpoint<Page> list(const std::optional<Parameters>& parameters) {
        return get<Page>(D::kCollectionPath,
                         parameters ? parameters->queryParams() : std::vector<HTTPQueryParam>{});
    }

    // GET of one record.
    static Endpoint<Record> record(std::string_view id) { return get<Record>(recordPath(id), {}); }

    // GET of the collection + "/options", read as a bare JSON array. One value per domain
    // for the life of the process (never destroyed, even by exit), built on first use
    // (concurrent first uses build it once).
    static const Endpoint<Options>& paymentOptions() {
        static const platform::NeverDestroyed<Endpoint<Options>> endpoint(
            get<Options>(std::string(D::kCollectionPath) + "/options", {}));
        return *endpoint;
    }

  private:
    template <class T>
    static Endpoint<T> get(std::string_view path, const std::vector<HTTPQueryParam>& query) {
        return Endpoint<T>(path, HTTPMethod::get(), {}, query, EndpointParametersEncoder::empty(),
                           EndpointDecoder<T>::json(sharedResponseDecoder()),
                           defaultErrorProcessor());
    }

    template <class T, class Body>
    static Endpoint<T> post(std::string_view path, Body body) {
        return Endpoint<T>(
            path, HTTPMethod::post(), {}, {}, EndpointParametersEncoder::json(std::move(body)),
            EndpointDecoder<T>::json(sharedResponseDecoder()), defaultErrorProcessor());
    }
};

}  // namespace corvend
