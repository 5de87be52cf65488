#include "examples/wallet-cli/ProfileCommands.hpp"

#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "CorvendWallet/Profile.hpp"
#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/TerminalText.hpp"
#include "platform/foundation/ISO8601.hpp"

namespace corvend::cli {

namespace {

constexpr std::string_view kIncludeOption[] = {"include"};
constexpr Wallet::ProfileInclude kBlocks[] = {
    Wallet::ProfileInclude::accounts, Wallet::ProfileInclude::restrictions,
    Wallet::ProfileInclude::address, Wallet::ProfileInclude::contactInfo,
    Wallet::ProfileInclude::incompleteOnboardingAttributes};

std::string blockWords() {
    std::vector<std::string> words;
    for (const auto candidate : kBlocks) words.emplace_back(model::includeQueryValue(candidate));
    return joined(words, ", ");
}

Wallet::ProfileInclude block(const std::string& word) {
    for (const auto candidate : kBlocks) {
        if (sameWord(model::includeQueryValue(candidate), word)) return candidate;
    }
    throw std::invalid_argument("'" + word + "' is not a profile block: one of " + blockWords());
}

std::string describeAll(const std::vector<Wallet::Account>& accounts) {
    std::ostringstream out;
    out << counted(accounts.size(), "account");
    for (const auto& account : accounts) out << "\n  " << ProfileCommands::describe(account);
    return out.str();
}

}  // namespace

std::shared_ptr<ProfileCommands> ProfileCommands::make(Wallet& wallet,
                                                       std::shared_ptr<ScreenCommands> screens,
                                                       std::ostream& out, std::ostream& err) {
    return std::make_shared<ProfileCommands>(Passkey{}, wallet, std::move(screens), out, err);
}

ProfileCommands::ProfileCommands(Passkey, Wallet& wallet, std::shared_ptr<ScreenCommands> screens,
                                 std::ostream& out, std::ostream& err)
    : wallet_(wallet), screens_(std::move(screens)), out_(out), err_(err) {}

void ProfileCommands::install(CommandTable& table) {
    using Run = void (ProfileCommands::*)(const std::vector<std::string>&, CommandTable::Done);
    using Meanings = std::vector<CommandTable::Meaning>;
    const auto add = [&table, self = shared_from_this()](
                         std::string name, std::string usage, std::string summary,
                         Meanings meanings, std::size_t least, std::size_t most, Run run) {
        table.add({.name = std::move(name),
                   .usage = std::move(usage),
                   .summary = std::move(summary),
                   .meanings = std::move(meanings),
                   .minArguments = least,
                   .maxArguments = most,
                   .handler = [self, run](const auto& arguments, CommandTable::Done done) {
                       ((*self).*run)(arguments, std::move(done));
                   }});
    };
    add("profile", "[--include BLOCK]... (BLOCK: " + blockWords() + ")",
        "read the customer, with the blocks asked for",
        {{"--include BLOCK",
          "a block of the profile to read with the customer; repeat it for "
          "more"}},
        0, 20, &ProfileCommands::profile);
    add("accounts", "list | get <id> | add <currency>", "list, read or open currency accounts",
        {{"<id>", "the account to read ('accounts list' lists them)"},
         {"<currency>", "the currency of the account to open, a code in either case (EUR, usd)"}},
        1, 2, &ProfileCommands::accounts);
    add("kyc", "status | start [--ref R] [--language L]",
        "read the identity-verification status, or run the verification screen",
        {{"--ref R", "the reference the verification is opened with; wallet-cli when left out"},
         {"--language L", "the language of the verification page, such as en or de"}},
        1, 5, &ProfileCommands::kyc);
}

std::string ProfileCommands::describe(const Wallet::CustomerInfo& customer) {
    std::ostringstream out;
    // The service's words keep to their lines.
    out << TerminalText::inLine("customer " + customer.id() + ": " + customer.firstName() + " " +
                                customer.lastName())
        << ", born " << platform::iso8601::format(customer.birthDate()).substr(0, 10);
    if (customer.occupation()) out << ", " << model::toWireValue(*customer.occupation());
    if (const auto& address = customer.address()) {
        out << "\n  address "
            << TerminalText::inLine(address->address1() + ", " + address->postalCode() + " " +
                                    address->city() + ", " + address->countryCode());
    }
    if (const auto& contact = customer.contactInfo()) {
        out << "\n  contact "
            << TerminalText::inLine(contact->email().value_or("-") + ", " +
                                    contact->mobile().value_or("-"));
    }
    for (const auto& restriction :
         customer.restrictions().value_or(std::vector<Wallet::UserRestriction>{})) {
        out << "\n  restriction " << TerminalText::inLine(restriction.id()) << ": "
            << model::toWireValue(restriction.name());
        for (const auto action : restriction.requiredActions()) {
            out << " " << model::toWireValue(action);
        }
    }
    for (const auto& account : customer.accounts().value_or(std::vector<Wallet::Account>{})) {
        out << "\n  " << describe(account);
    }
    return out.str();
}

std::string ProfileCommands::describe(const Wallet::Account& account) {
    std::ostringstream out;
    out << "account " << TerminalText::inLine(account.id()) << ": "
        << moneyText(account.availableBalance().value_or(0), account.currencyCode()) << ", "
        << counted(account.instruments().size(), "instrument");
    return out.str();
}

void ProfileCommands::profile(const std::vector<std::string>& arguments, CommandTable::Done done) {
    std::vector<Wallet::ProfileInclude> include;
    for (const auto& [name, value] : optionPairs(arguments, kIncludeOption)) {
        include.push_back(block(value));
    }
    call([service = wallet_.profileService(), include] { return service->getProfile(include); },
         resultPrinter<Wallet::CustomerInfo>(
             out_, err_, "profile", std::move(done),
             [](const auto& customer) { return describe(customer); }));
}

void ProfileCommands::kyc(const std::vector<std::string>& arguments, CommandTable::Done done) {
    if (arguments.front() == "start") {
        return screens_->startVerification({arguments.begin() + 1, arguments.end()},
                                           std::move(done));
    }
    if (arguments.front() != "status" || arguments.size() != 1) {
        err_ << "usage: kyc status | start [--ref R] [--language L]" << std::endl;
        return done(Outcome::misused);
    }
    call([service = wallet_.customerVerificationService()] { return service->getKycStatus(); },
         resultPrinter<Wallet::KycVerification>(
             out_, err_, "kyc status", std::move(done), [](const Wallet::KycVerification& kyc) {
                 return "kyc " + std::string(model::toWireValue(kyc.kycVerificationStatus())) +
                        TerminalText::inLine(", customer " + kyc.customerId() + ", reference " +
                                             kyc.externalId());
             }));
}

void ProfileCommands::accounts(const std::vector<std::string>& arguments, CommandTable::Done done) {
    const auto& action = arguments.front();
    const auto one = [](const Wallet::Account& account) { return describe(account); };
    const auto service = wallet_.profileService();
    if (action == "list" && arguments.size() == 1) {
        call([service] { return service->getAccounts(); },
             resultPrinter<std::vector<Wallet::Account>>(out_, err_, "accounts list",
                                                         std::move(done), &describeAll));
    } else if (action == "get" && arguments.size() == 2) {
        call(ownRecord("account", arguments[1], &Wallet::Account::id,
                       [service, id = arguments[1]] { return service->getSingleAccount(id); }),
             resultPrinter<Wallet::Account>(out_, err_, "accounts get", std::move(done), one));
    } else if (action == "add" && arguments.size() == 2) {
        // The account it names is the one of the currency asked.
        const std::string currency = currencyCode(arguments[1]);
        call(ownRecord("an account in", currency, &Wallet::Account::currencyCode,
                       [service, request = Wallet::AddAccountRequest(currency)] {
                           return service->addAccount(request);
                       }),
             resultPrinter<Wallet::Account>(out_, err_, "accounts add", std::move(done), one),
             "the account may have been added (`accounts list` shows it)");
    } else {
        err_ << "usage: accounts list | get <id> | add <currency>" << std::endl;
        done(Outcome::misused);
    }
}

}  // namespace corvend::cli
