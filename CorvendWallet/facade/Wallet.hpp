#pragma once

#include <cstdint>
#include <expected>
#include <functional>
#include <memory>
#include <string>

#include "CorvendWallet/facade/ServiceSlot.hpp"
#include "CorvendWallet/foundation/ConfigurationError.hpp"
#include "CorvendWallet/foundation/Result.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/foundation/WalletOperationHandle.hpp"
#include "CorvendWallet/setup/AuthenticationConfiguration.hpp"
#include "CorvendWallet/setup/Configuration.hpp"
#include "CorvendWallet/setup/ConfigurationResult.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/http/URLError.hpp"

// Declared only: a host includes the header of what it uses (CorvendWallet/Money.hpp,
// CorvendWallet/Cards.hpp, ...), so that the facade alone stays cheap to include.
namespace corvend {
class Appearance;
class AuthorizationHistoryService;
struct CardDepositRequest;
struct CardDepositResult;
class CardDepositService;
enum class CardNumberValidationResult : std::uint8_t;
class CardNumberValidator;
class CardService;
class CardType;
class CurrencyExchangeService;
class CustomerVerificationScreen;
class CustomerVerificationService;
class CvvValidator;
class DepositService;
struct ExpiryDateValidationComponent;
enum class ExpiryDateValidationResult : std::uint8_t;
class ExpiryDateValidator;
class MoneyFormatter;
class PaymentInstrumentService;
class ProfileService;
class TransactionHistoryService;
class TransferService;
class WithdrawalService;
}  // namespace corvend
namespace corvend::components {
class Theme;
}  // namespace corvend::components
namespace corvend::model {
class Account;
class AddAccountRequest;
struct Address;
class Authorization;
class AuthorizationList;
enum class AuthorizationStatus;
class Card;
class CardActivationRequest;
struct CardExpiryDate;
class CardList;
class CardParameters;
class CardPaymentInstrument;
class CardPaymentOptionSettings;
struct CardRequest;
enum class CardScheme;
class CardSecureDetailsRequest;
class CardSensitiveDetails;
struct CardTokenization;
class CardTokenizationRequest;
struct CardUpdateRequest;
class ContactInformation;
struct Customer;
class CustomerDeposit;
class CustomerDepositList;
class CustomerInfo;
class CustomerTransfer;
class CustomerTransferList;
struct CustomerTransferRequest;
struct CustomerVerificationRequest;
class DeliveryAddress;
enum class DepositAction;
class DepositConfirm;
class DepositCreate;
class DepositRequest;
class FXRate;
class FXRateRequest;
struct FxAmount;
class GetAuthorizationHistoryParameters;
class GetDepositsParameters;
class GetTransactionHistoryParameters;
class GetTransferParameters;
class GetWithdrawalsParameters;
enum class HttpRequestMethod;
enum class InstrumentType;
class InstrumentVerification;
enum class InstrumentVerificationFailStatusReason;
class InstrumentVerificationList;
struct InstrumentVerificationParameters;
struct InstrumentVerificationRequest;
enum class InstrumentVerificationStatus;
class KycVerification;
enum class KycVerificationStatus;
class MobileWalletTokenization;
struct MobileWalletTokenizationList;
enum class MobileWalletType;
enum class Occupation;
struct PagingResultMeta;
class PaymentInstrument;
struct PaymentInstrumentParameters;
struct PaymentInstrumentReference;
enum class PaymentInstrumentStatus;
struct PaymentInstrumentsParameters;
struct PaymentOptionDetails;
class PaymentOptionSettings;
enum class PaymentOptionType;
struct PaymentProperty;
enum class PaymentPropertyKey;
enum class PaymentStatus;
enum class ProfileInclude;
class Program;
class ProgramList;
class RedirectLink;
class ReturnLink;
class SepaBankAccount;
struct SimpleFeePayment;
class Transaction;
class TransactionList;
enum class TransactionType;
class TransferConfirm;
class TransferCreate;
struct TransferDetails;
class UkBankAccount;
class UpdateCustomerRequest;
class UsBankAccount;
class UserRestriction;
enum class VerificationResult;
enum class Vulnerabilities;
class Withdrawal;
class WithdrawalConfirm;
class WithdrawalCreate;
class WithdrawalList;
struct WithdrawalRequest;
}  // namespace corvend::model

namespace corvend {

class Core;

// The kit's one entry point: configure it, hand it the customer's access token, and reach its
// services. A host must drive platform::MainQueue::shared(): completions are delivered there,
// and a completion the kit drops (its handle cancelled, or its call's result dropped) is let go
// of there too, so what it captured (a screen) is never destroyed on a kit thread.
class Wallet {
  public:
    // Every error a call reaches a host with, thrown by a blocking form or handed to a
    // completion as its Result's error (read it with errorAs<E>(result)):
    //   WalletError         a service call failed: the service's answer, an internal code,
    //                       an expired token, the kit not configured
    //   ConfigurationError  configure failed
    //   URLError            the transport failed (no connection, time-out, reply too large),
    //                       passed on unchanged
    //   CancellationError   the calling task was cancelled; a handle's cancel() stops work
    //                       still under way, which then reports nothing, but a completion
    //                       whose result had come already may still run after cancel(), even
    //                       when cancel() is called on the main queue: what it uses must
    //                       outlive it, or be checked by it (a std::weak_ptr). A change whose
    //                       request was already sent may still be made by the service after
    //                       cancel(), or after a blocking form's task was cancelled: read the
    //                       record to learn its end before sending the change again
    //   CardDepositError    the card-deposit flow ended in error
    //   std::logic_error    a blocking call that needs the main queue was made on the
    //                       process's first thread before anything ever drove the queue; or
    //                       any call, thrown by either form, in a child of fork made after
    //                       the kit began to be made (a daemon forks before its first call)
    using WalletError = model::WalletError;
    using ConfigurationError = model::ConfigurationError;
    using URLError = platform::URLError;
    using CancellationError = platform::CancellationError;
    using CardDepositError = ::corvend::CardDepositError;
    using Configuration = model::Configuration;
    using APIEnvironment = model::APIEnvironment;
    using AuthenticationConfiguration = model::AuthenticationConfiguration;
    using ConfigurationResult = model::ConfigurationResult;
    using ConfigureCompletion =
        std::function<void(std::expected<ConfigurationResult, ConfigurationError>)>;
    // Shared by several services.
    using PagingResultMeta = model::PagingResultMeta;
    using PaymentStatus = model::PaymentStatus;
    using PaymentOptionType = model::PaymentOptionType;
    using PaymentOptionDetails = model::PaymentOptionDetails;
    using PaymentOptionSettings = model::PaymentOptionSettings;
    using CardPaymentOptionSettings = model::CardPaymentOptionSettings;
    using InstrumentType = model::InstrumentType;
    using PaymentInstrumentReference = model::PaymentInstrumentReference;
    using PaymentPropertyKey = model::PaymentPropertyKey;
    using PaymentProperty = model::PaymentProperty;
    using SimpleFeePayment = model::SimpleFeePayment;
    using FxAmount = model::FxAmount;
    using TransferDetails = model::TransferDetails;
    using CardExpiryDate = model::CardExpiryDate;
    using CardScheme = model::CardScheme;
    using PaymentInstrument = model::PaymentInstrument;
    using PaymentInstrumentStatus = model::PaymentInstrumentStatus;
    using CardPaymentInstrument = model::CardPaymentInstrument;
    using SepaBankAccount = model::SepaBankAccount;
    using UkBankAccount = model::UkBankAccount;
    using UsBankAccount = model::UsBankAccount;
    using FXRateRequest = model::FXRateRequest;
    using FXRate = model::FXRate;
    using CustomerDeposit = model::CustomerDeposit;
    using CustomerDepositList = model::CustomerDepositList;
    using DepositRequest = model::DepositRequest;
    using DepositCreate = model::DepositCreate;
    using DepositConfirm = model::DepositConfirm;
    using GetDepositsParameters = model::GetDepositsParameters;
    using ReturnLink = model::ReturnLink;
    using RedirectLink = model::RedirectLink;
    using HttpRequestMethod = model::HttpRequestMethod;
    using DepositAction = model::DepositAction;
    using Withdrawal = model::Withdrawal;
    using WithdrawalList = model::WithdrawalList;
    using WithdrawalRequest = model::WithdrawalRequest;
    using GetWithdrawalsParameters = model::GetWithdrawalsParameters;
    using WithdrawalCreate = model::WithdrawalCreate;
    using WithdrawalConfirm = model::WithdrawalConfirm;
    using CustomerTransfer = model::CustomerTransfer;
    using CustomerTransferList = model::CustomerTransferList;
    using CustomerTransferRequest = model::CustomerTransferRequest;
    using TransferCreate = model::TransferCreate;
    using TransferConfirm = model::TransferConfirm;
    using GetTransferParameters = model::GetTransferParameters;
    // The screens' look, and the component library's theme that setAppearance installs it as.
    using Appearance = ::corvend::Appearance;
    using Theme = components::Theme;
    // The card checks and money formatting of the kit's screens (with cardNumberMask).
    using CardType = ::corvend::CardType;
    using CardNumberValidator = ::corvend::CardNumberValidator;
    using CardNumberValidationResult = ::corvend::CardNumberValidationResult;
    using ExpiryDateValidationComponent = ::corvend::ExpiryDateValidationComponent;
    using ExpiryDateValidator = ::corvend::ExpiryDateValidator;
    using ExpiryDateValidationResult = ::corvend::ExpiryDateValidationResult;
    using CvvValidator = ::corvend::CvvValidator;
    using MoneyFormatter = ::corvend::MoneyFormatter;
    // The card-deposit flow's request, outcome and errors.
    using CardDepositRequest = ::corvend::CardDepositRequest;
    using CardDepositResult = ::corvend::CardDepositResult;
    using Card = model::Card;
    using CardList = model::CardList;
    using CardParameters = model::CardParameters;
    using CardRequest = model::CardRequest;
    using CardUpdateRequest = model::CardUpdateRequest;
    using CardActivationRequest = model::CardActivationRequest;
    using CardSensitiveDetails = model::CardSensitiveDetails;
    using CardSecureDetailsRequest = model::CardSecureDetailsRequest;
    using CardTokenization = model::CardTokenization;
    using CardTokenizationRequest = model::CardTokenizationRequest;
    using Customer = model::Customer;
    using DeliveryAddress = model::DeliveryAddress;
    using MobileWalletType = model::MobileWalletType;
    using MobileWalletTokenization = model::MobileWalletTokenization;
    using MobileWalletTokenizationList = model::MobileWalletTokenizationList;
    using Program = model::Program;
    using ProgramList = model::ProgramList;
    using PaymentInstrumentsParameters = model::PaymentInstrumentsParameters;
    using PaymentInstrumentParameters = model::PaymentInstrumentParameters;
    using InstrumentVerification = model::InstrumentVerification;
    using InstrumentVerificationList = model::InstrumentVerificationList;
    using InstrumentVerificationRequest = model::InstrumentVerificationRequest;
    using InstrumentVerificationParameters = model::InstrumentVerificationParameters;
    using InstrumentVerificationStatus = model::InstrumentVerificationStatus;
    using InstrumentVerificationFailStatusReason = model::InstrumentVerificationFailStatusReason;
    using CustomerInfo = model::CustomerInfo;
    using Account = model::Account;
    using Address = model::Address;
    using ContactInformation = model::ContactInformation;
    using UserRestriction = model::UserRestriction;
    using Occupation = model::Occupation;
    using Vulnerabilities = model::Vulnerabilities;
    using ProfileInclude = model::ProfileInclude;
    using AddAccountRequest = model::AddAccountRequest;
    using UpdateCustomerRequest = model::UpdateCustomerRequest;
    using CustomerVerificationRequest = model::CustomerVerificationRequest;
    using KycVerification = model::KycVerification;
    using KycVerificationStatus = model::KycVerificationStatus;
    using VerificationResult = model::VerificationResult;
    // The screen startCustomerVerification returns: set its completion, then present it.
    using CustomerVerificationScreen = ::corvend::CustomerVerificationScreen;
    using Transaction = model::Transaction;
    using TransactionList = model::TransactionList;
    using TransactionType = model::TransactionType;
    using GetTransactionHistoryParameters = model::GetTransactionHistoryParameters;
    using Authorization = model::Authorization;
    using AuthorizationList = model::AuthorizationList;
    using AuthorizationStatus = model::AuthorizationStatus;
    using GetAuthorizationHistoryParameters = model::GetAuthorizationHistoryParameters;

    // The process-wide facade, built on first use (thread-safely, without any network call)
    // and never destroyed.
    static Wallet& instance();

    // A facade of its own over `core`, never the shared one: for tests that need a fresh kit.
    static std::shared_ptr<Wallet> makeForTesting(std::shared_ptr<Core> core);

    // Configures the kit and returns the device fingerprint; throws ConfigurationError, or
    // platform::CancellationError when the current task is cancelled. Blocks: call it in a
    // task or on a host thread that may block, never on the thread that drives the main queue.
    // Configurations overlapping in either form run one after another in the order issued
    // (the call's start), each reporting its own outcome against its own base URL; the kit is
    // then as the one issued last left it.
    ConfigurationResult configure(const Configuration& configuration);

    // The completion form: returns at once; the completion runs on the main queue with the
    // result or a ConfigurationError, and not at all when the handle was cancelled in time.
    std::shared_ptr<WalletOperationHandle> configure(Configuration configuration,
                                                     ConfigureCompletion completion);

    // Hands the customer's access token to the user-authenticated requests. Returns at once; a
    // token given before the first configure is dropped, and every configure clears it.
    void authenticate(const AuthenticationConfiguration& configuration);

    // Installs `appearance` now, on the calling thread; configure then keeps it.
    void setAppearance(const Appearance& appearance);

    // The kit's version ("0.0.0" when unknown).
    std::string version() const;

    const std::shared_ptr<Core>& core() const { return core_; }

    // The services. The first read of one makes its repository on the core's user-authenticated
    // network manager (and, for deposits, withdrawals and transfers, the core's device
    // fingerprint provider); every later read, from any thread, returns that same object, or the
    // one last assigned. Made before configure, a service works once the set-up and
    // authentication have run. Assigning null makes the next read create one again.
    std::shared_ptr<CurrencyExchangeService> currencyExchangeService();
    void setCurrencyExchangeService(std::shared_ptr<CurrencyExchangeService> service);
    std::shared_ptr<DepositService> depositService();
    void setDepositService(std::shared_ptr<DepositService> service);
    std::shared_ptr<WithdrawalService> withdrawalService();
    void setWithdrawalService(std::shared_ptr<WithdrawalService> service);
    std::shared_ptr<TransferService> transferService();
    void setTransferService(std::shared_ptr<TransferService> service);
    // Cards also read the core's environment properties (the user agent their bodies carry);
    // instrument verification pages open through the desktop's URL handler.
    std::shared_ptr<CardService> cardService();
    void setCardService(std::shared_ptr<CardService> service);
    std::shared_ptr<PaymentInstrumentService> paymentInstrumentService();
    void setPaymentInstrumentService(std::shared_ptr<PaymentInstrumentService> service);
    std::shared_ptr<ProfileService> profileService();
    void setProfileService(std::shared_ptr<ProfileService> service);
    std::shared_ptr<CustomerVerificationService> customerVerificationService();
    void setCustomerVerificationService(std::shared_ptr<CustomerVerificationService> service);
    std::shared_ptr<TransactionHistoryService> transactionHistoryService();
    void setTransactionHistoryService(std::shared_ptr<TransactionHistoryService> service);
    // The card authorization history (named without "Service", as hosts know it).
    std::shared_ptr<AuthorizationHistoryService> authorizationHistory();
    void setAuthorizationHistory(std::shared_ptr<AuthorizationHistoryService> service);
    // The card-deposit flow over this wallet's deposit and instrument services (as first read);
    // made on first use and kept, or replaced like every other service.
    std::shared_ptr<CardDepositService> cardDepositService();
    void setCardDepositService(std::shared_ptr<CardDepositService> service);

    Wallet(const Wallet&) = delete;
    Wallet& operator=(const Wallet&) = delete;

  private:
    explicit Wallet(std::shared_ptr<Core> core);

    std::shared_ptr<Core> core_;
    // One slot per service, filled on first use.
    ServiceSlot<CurrencyExchangeService> currencyExchangeService_;
    ServiceSlot<DepositService> depositService_;
    ServiceSlot<WithdrawalService> withdrawalService_;
    ServiceSlot<TransferService> transferService_;
    ServiceSlot<CardService> cardService_;
    ServiceSlot<PaymentInstrumentService> paymentInstrumentService_;
    ServiceSlot<ProfileService> profileService_;
    ServiceSlot<CustomerVerificationService> customerVerificationService_;
    ServiceSlot<TransactionHistoryService> transactionHistoryService_;
    ServiceSlot<AuthorizationHistoryService> authorizationHistory_;
    ServiceSlot<CardDepositService> cardDepositService_;
};

}  // namespace corvend
