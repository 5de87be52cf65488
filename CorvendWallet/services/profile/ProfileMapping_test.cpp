#include "CorvendWallet/services/profile/ProfileMapping.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "CorvendWallet/services/profile/ProfileRepository.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/ReplyDocument.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::Occupation;
using model::Vulnerabilities;
using Name = model::UserRestriction::Name;
using Action = model::UserRestriction::RequiredAction;

const testing::ReplyDocument kCustomer{
    {"id", R"("c-1")"}, {"firstName", R"("Ana")"}, {"lastName", R"("Novak")"}};

model::CustomerInfo customer(const testing::ReplyDocument& document) {
    return ProfileMapping::toCustomerInfo(
        testing::decodedReply<ProfileServiceEndpoint::CustomerInfoResponse>(document.text()));
}

TEST(ProfileMappingTest, EnumerationTrapsReadAsTheServiceSpellsThem) {
    const struct {
        std::string occupation;
        Occupation expected;
    } occupations[] = {
        {"EDUCATION_AND_EDUCATIONAL_SURVICES", Occupation::educationAndEducationalServices},
        {"EDUCATION_AND_EDUCATIONAL_SERVICES", Occupation::unknown},
        {"student", Occupation::unknown},
        {"PUBLIC_SECTOR", Occupation::publicSector},
    };
    for (const auto& row : occupations) {
        EXPECT_EQ(customer(kCustomer.with("occupation", "\"" + row.occupation + "\"")).occupation(),
                  row.expected)
            << row.occupation;
    }
    EXPECT_EQ(customer(kCustomer).occupation(), std::nullopt);

    const auto info = customer(
        kCustomer.with("vulnerabilities", R"(["POOR_LITERACY","SOMETHING_NEW"])")
            .with(
                "restrictions",
                R"([{"id":"r-1","name":"OTHER","requiredActions":["OTHER","KYC_VERIFICATION","x"]},)"
                R"({"id":"r-2","name":"NEW_KIND"},{"id":"r-3","name":"SEND_MONEY",)"
                R"("requiredActions":[]}])"));
    EXPECT_EQ(info.vulnerabilities(),
              (std::vector{Vulnerabilities::poorLiteracy, Vulnerabilities::unknown}));
    const auto& restrictions = info.restrictions().value();
    ASSERT_EQ(restrictions.size(), 3u);
    EXPECT_EQ(restrictions[0].name(), Name::other);
    EXPECT_EQ(restrictions[0].requiredActions(),
              (std::vector{Action::other, Action::kycVerification, Action::other}));
    EXPECT_EQ(restrictions[1].name(), Name::other);
    EXPECT_TRUE(restrictions[1].requiredActions().empty());
    EXPECT_EQ(restrictions[2].name(), Name::sendMoney);
    EXPECT_TRUE(restrictions[2].requiredActions().empty());
}

// Every row of the four profile tables, in the order of the cases; lower-case strings and
// unlisted ones read as the fallback.
TEST(ProfileMappingTest, EveryProfileTableRowReadsAsItsCase) {
    testing::expectWireVocabulary<Occupation>({"ARCHITECTURE_CARTOGRAPHY_SURVEYOR",
                                               "LIFE_PHYSICAL_AND_SOCIAL_SCIENCES",
                                               "COMMUNITY_AND_SOCIAL_SERVICES",
                                               "NEWS_AND_REPORTING_SERVICES",
                                               "HEALTHCARE_SERVICES",
                                               "LAW_ENFORCEMENT_AND_PUBLIC_SAFETY",
                                               "FOOD_AND_BEVERAGE_INDUSTRY",
                                               "DOMESTIC_SERVICES",
                                               "PERSONAL_CARE_PROFESSIONAL_SERVICES",
                                               "SALES_AND_RELATED_OCCUPATIONS",
                                               "OFFICE_ADMINISTRATION_AND_SUPPORT",
                                               "FARMING_FISHING_AND_FORESTRY_SERVICES",
                                               "CONSTRUCTION_AND_RELATED_SERVICES",
                                               "MANUFACTURING_SERVICES",
                                               "TRANSPORTATION_SERVICES",
                                               "ENTERTAINMENT_MEDIA",
                                               "UNEMPLOYED",
                                               "STUDENT",
                                               "PENSIONER",
                                               "SPORTS_INDUSTRY",
                                               "BETTING_INDUSTRY",
                                               "ART_AND_DESIGN",
                                               "EDUCATION_AND_EDUCATIONAL_SURVICES",
                                               "ENGINEERING",
                                               "FINANCIAL_AND_INSURANCE_SERVICES",
                                               "IT_SOFTWARE_HARDWARE_AND_WEBSITE_DEVELOPMENT",
                                               "LEGAL_AND_COMPLIANCE_SERVICES",
                                               "MANAGEMENT_CONSULTING",
                                               "WEAPON_INDUSTRY",
                                               "CHARITY_AND_NON_PROFIT_SERVICES",
                                               "FREELANCER_SELF_EMPLOYED",
                                               "PUBLIC_SECTOR"},
                                              "UNKNOWN");
    testing::expectWireVocabulary<Vulnerabilities>(
        {"PHYSICAL_DISABILITY", "LOW_MENTAL_CAPACITY", "GAMBLING_ADDICTION",
         "FINANCE_MISMANAGEMENT", "POOR_LITERACY", "POOR_LANGUAGE_SKILLS", "POOR_DIGITAL_SKILLS",
         "CARING_RESPONSIBILITIES", "FRAUDULENT_LOCATION"},
        "UNKNOWN");
    testing::expectWireVocabulary<Name>(
        {"ALL_TRANSACTIONS", "OUTGOING_TRANSACTIONS", "INCOMING_TRANSACTIONS", "SEND_MONEY",
         "INCOMING_TRANSACTIONS_AND_SEND_MONEY", "CARD_DEPOSITS", "CARD_AND_ACH_DEPOSITS",
         "DEPOSITS", "OUTGOING_TRANSACTIONS_AND_CARD_DEPOSITS",
         "OUTGOING_TRANSACTIONS_AND_ACH_DEPOSITS", "DEPOSITS_AND_WITHDRAWALS",
         "CRYPTO_TRANSACTIONS"},
        "OTHER");
    testing::expectWireVocabulary<Action>({"CONTACT_CUSTOMER_SERVICE", "KYC_VERIFICATION",
                                           "BANK_ACCOUNT_VERIFICATION", "PEP_DECLARATION", "WAIT"},
                                          "OTHER");
}

TEST(ProfileMappingTest, AbsentListsAreEmptyExceptRestrictionsAndAccounts) {
    const auto bare = customer(kCustomer);
    EXPECT_TRUE(bare.vulnerabilities().empty());
    EXPECT_FALSE(bare.restrictions().has_value());
    EXPECT_FALSE(bare.accounts().has_value());
    EXPECT_FALSE(bare.contactInfo().has_value());
    EXPECT_EQ(bare.birthDate(), platform::Date::distantPast());

    const auto empty = customer(kCustomer.with("vulnerabilities", "[]")
                                    .with("restrictions", "[]")
                                    .with("accounts", "[]")
                                    .with("contactInfo", "{}"));
    EXPECT_TRUE(empty.vulnerabilities().empty());
    EXPECT_EQ(empty.restrictions(), std::vector<model::UserRestriction>{});
    ASSERT_TRUE(empty.accounts().has_value());
    EXPECT_TRUE(empty.accounts()->empty());
    ASSERT_TRUE(empty.contactInfo().has_value());
    EXPECT_EQ(empty.contactInfo()->email(), std::nullopt);
    EXPECT_EQ(empty.contactInfo()->mobile(), std::nullopt);
}

TEST(ProfileMappingTest, AccountsKeepOnlyTheInstrumentsTheKitCanRead) {
    const auto info = customer(kCustomer.with(
        "accounts", R"([{"id":"a-1","currencyCode":"EUR","instruments":[)"
                    R"({"id":"i-1","customerId":"c-1","instrumentType":"CARD","pan":"4111",)"
                    R"("expiryDate":{"year":2030,"month":4}},{"id":"i-2","instrumentType":"CARD"},)"
                    R"({"id":"i-3","customerId":"c-1","instrumentType":"WALLET"}]},)"
                    R"({"id":"a-2","currencyCode":"USD","instruments":[{"instrumentType":"X"}]},)"
                    R"({"id":"a-3","currencyCode":"GBP"}])"));
    const auto& accounts = info.accounts().value();
    ASSERT_EQ(accounts.size(), 3u);
    ASSERT_EQ(accounts[0].instruments().size(), 1u);
    EXPECT_NE(accounts[0].instruments()[0]->as<model::CardPaymentInstrument>(), nullptr);
    EXPECT_TRUE(accounts[1].instruments().empty());
    EXPECT_TRUE(accounts[2].instruments().empty());
    EXPECT_EQ(accounts[2].currencyCode(), "GBP");

    // One instrument that is not an instrument object at all fails the whole reply.
    EXPECT_TRUE(testing::decodingFailure<ProfileServiceEndpoint::CustomerInfoResponse>(
        kCustomer.with("accounts", R"([{"id":"a","currencyCode":"EUR","instruments":[{}]}])")
            .text()));
}

// The birth date is a day of the proleptic Gregorian calendar whatever the process's time zone
// and locale: a reader that let either apply would move or refuse the day.
TEST(ProfileMappingTest, BirthDatesAreGregorianDaysAtUtcMidnightUnderAnyTimeZone) {
    const char* const savedZone = std::getenv("TZ");
    const std::string zone = savedZone ? savedZone : "";
    setenv("TZ", "Pacific/Kiritimati", 1);  // UTC+14: a local reading lands on the wrong day
    tzset();
    std::setlocale(LC_ALL, "th_TH.UTF-8");

    using namespace std::chrono;
    const auto day = [](year_month_day ymd) {
        return std::optional(platform::Date(platform::Date::TimePoint(sys_days(ymd))));
    };
    const struct {
        std::optional<std::string> text;
        std::optional<platform::Date> expected;
    } rows[] = {
        {"1990-05-17", day(1990y / May / 17)}, {"2024-02-29", day(2024y / February / 29)},
        {"0001-01-01", day(1y / January / 1)}, {"2023-02-29", std::nullopt},
        {"1990-13-01", std::nullopt},          {"17/05/1990", std::nullopt},
        {"1990-5-17", std::nullopt},           {"1990-05-17T00:00:00Z", std::nullopt},
        {" 1990-05-17", std::nullopt},         {"", std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ProfileMapping::parseBirthDate(row.text), row.expected) << row.text.value_or("-");
    }
    EXPECT_EQ(customer(kCustomer.with("birthDate", R"("17/05/1990")"))
                  .birthDate()
                  .timeIntervalSince1970(),
              -62135769600.0);

    std::setlocale(LC_ALL, "C");
    savedZone ? setenv("TZ", zone.c_str(), 1) : unsetenv("TZ");
    tzset();
}

// Every member a profile reply can carry, nested blocks included, each with a value of its own,
// so that a value read into another field, or a key the kit spells otherwise, shows.
const std::string kEveryAccountMember =
    R"({"id":"acct-4","currencyCode":"CZK","availableBalance":700,"totalBalance":900,)"
    R"("customerId":"cust-5","externalId":"ext-6","creationTime":"2024-05-06T07:08:09Z",)"
    R"("instruments":[{"id":"i-7","customerId":"cust-5","instrumentType":"CARD","pan":"4111",)"
    R"("expiryDate":{"year":2030,"month":4}}]})";
const testing::ReplyDocument kEveryCustomerMember{
    {"id", R"("cust-1")"},
    {"title", R"("Dr")"},
    {"firstName", R"("Ana")"},
    {"lastName", R"("Novak")"},
    {"birthDate", R"("1990-05-17")"},
    {"nationality", R"("Slovenian")"},
    {"occupation", R"("ENGINEERING")"},
    {"externalId", R"("ext-2")"},
    {"vulnerabilities", R"(["POOR_DIGITAL_SKILLS","GAMBLING_ADDICTION"])"},
    {"address", R"({"countryCode":"SI","stateProvince":"Osrednja","city":"Ljubljana",)"
                R"("postalCode":"1000","address1":"Trg 1","address2":"Stan 2"})"},
    {"contactInfo", R"({"mobile":"+38640","email":"ana@mail.test"})"},
    {"type", R"("PERSONAL")"},
    {"restrictions",
     R"([{"id":"r-3","name":"CARD_DEPOSITS",)"
     R"("requiredActions":["PEP_DECLARATION","WAIT"],)"
     R"("lastChangeDate":"2024-01-02T03:04:05Z",)"
     R"("activationTime":"2024-02-03T04:05:06Z","dueDate":"2024-03-04T05:06:07Z"}])"},
    {"accounts", "[" + kEveryAccountMember + "]"},
};

TEST(ProfileMappingTest, EveryRepliedMemberReachesItsOwnField) {
    const auto network = std::make_shared<testing::FakeNetwork>(kEveryCustomerMember.text());
    const auto repository = ProfileRepository::make(network);
    const auto info = repository->getProfile({});
    EXPECT_EQ(info.id(), "cust-1");
    EXPECT_EQ(info.title(), "Dr");
    EXPECT_EQ(info.firstName(), "Ana");
    EXPECT_EQ(info.lastName(), "Novak");
    EXPECT_EQ(info.birthDate(), testing::replyDate("1990-05-17T00:00:00Z"));
    EXPECT_EQ(info.nationality(), "Slovenian");
    EXPECT_EQ(info.occupation(), Occupation::engineering);
    EXPECT_EQ(info.vulnerabilities(), (std::vector{Vulnerabilities::poorDigitalSkills,
                                                   Vulnerabilities::gamblingAddiction}));
    EXPECT_EQ(info.externalID(), "ext-2");
    EXPECT_EQ(info.address(),
              model::Address("SI", "Osrednja", "Ljubljana", "1000", "Trg 1", "Stan 2"));
    ASSERT_TRUE(info.contactInfo());
    EXPECT_EQ(info.contactInfo()->mobile(), "+38640");
    EXPECT_EQ(info.contactInfo()->email(), "ana@mail.test");
    EXPECT_EQ(info.type(), "PERSONAL");
    ASSERT_TRUE(info.restrictions() && info.restrictions()->size() == 1);
    const auto& restriction = info.restrictions()->front();
    EXPECT_EQ(restriction.id(), "r-3");
    EXPECT_EQ(restriction.name(), Name::cardDeposits);
    EXPECT_EQ(restriction.requiredActions(), (std::vector{Action::pepDeclaration, Action::wait}));
    EXPECT_EQ(restriction.lastChangeDate(), testing::replyDate("2024-01-02T03:04:05Z"));
    EXPECT_EQ(restriction.activationTime(), testing::replyDate("2024-02-03T04:05:06Z"));
    EXPECT_EQ(restriction.dueDate(), testing::replyDate("2024-03-04T05:06:07Z"));
    ASSERT_TRUE(info.accounts() && info.accounts()->size() == 1);
    const auto expectEveryAccountField = [](const model::Account& account) {
        EXPECT_EQ(account.id(), "acct-4");
        EXPECT_EQ(account.currencyCode(), "CZK");
        EXPECT_EQ(account.availableBalance(), 700);
        EXPECT_EQ(account.totalBalance(), 900);
        EXPECT_EQ(account.customerID(), "cust-5");
        EXPECT_EQ(account.externalID(), "ext-6");
        EXPECT_EQ(account.creationTime(), testing::replyDate("2024-05-06T07:08:09Z"));
        ASSERT_EQ(account.instruments().size(), 1u);
        EXPECT_EQ(account.instruments()[0]->id(), "i-7");
        EXPECT_EQ(account.instruments()[0]->instrumentType(), model::InstrumentType::card);
    };
    expectEveryAccountField(info.accounts()->front());

    // The account calls read the same record through the same mapping.
    network->setBody("[" + kEveryAccountMember + "]");
    const auto accounts = repository->getAccounts();
    ASSERT_EQ(accounts.size(), 1u);
    expectEveryAccountField(accounts[0]);
    network->setBody(kEveryAccountMember);
    expectEveryAccountField(repository->getSingleAccount("acct-4"));
    expectEveryAccountField(repository->addAccount(model::AddAccountRequest("CZK")));
}

// Every spelling of the four profile vocabularies, put into a reply, reaches its own case.
TEST(ProfileWireValuesTest, OccupationReadsEverySpelling) {
    using O = Occupation;
    testing::expectEachSpellingRead<O>(
        {{"ARCHITECTURE_CARTOGRAPHY_SURVEYOR", O::architectureCartographySurveyor},
         {"LIFE_PHYSICAL_AND_SOCIAL_SCIENCES", O::lifePhysicalAndSocialSciences},
         {"COMMUNITY_AND_SOCIAL_SERVICES", O::communityAndSocialServices},
         {"NEWS_AND_REPORTING_SERVICES", O::newsAndReportingServices},
         {"HEALTHCARE_SERVICES", O::healthcareServices},
         {"LAW_ENFORCEMENT_AND_PUBLIC_SAFETY", O::lawEnforcementAndPublicSafety},
         {"FOOD_AND_BEVERAGE_INDUSTRY", O::foodAndBeverageIndustry},
         {"DOMESTIC_SERVICES", O::domesticServices},
         {"PERSONAL_CARE_PROFESSIONAL_SERVICES", O::personalCareProfessionalServices},
         {"SALES_AND_RELATED_OCCUPATIONS", O::salesAndRelatedOccupations},
         {"OFFICE_ADMINISTRATION_AND_SUPPORT", O::officeAdministrationAndSupport},
         {"FARMING_FISHING_AND_FORESTRY_SERVICES", O::farmingFishingAndForestryServices},
         {"CONSTRUCTION_AND_RELATED_SERVICES", O::constructionAndRelatedServices},
         {"MANUFACTURING_SERVICES", O::manufacturingServices},
         {"TRANSPORTATION_SERVICES", O::transportationServices},
         {"ENTERTAINMENT_MEDIA", O::entertainmentMedia},
         {"UNEMPLOYED", O::unemployed},
         {"STUDENT", O::student},
         {"PENSIONER", O::pensioner},
         {"SPORTS_INDUSTRY", O::sportsIndustry},
         {"BETTING_INDUSTRY", O::bettingIndustry},
         {"ART_AND_DESIGN", O::artAndDesign},
         {"EDUCATION_AND_EDUCATIONAL_SURVICES", O::educationAndEducationalServices},
         {"ENGINEERING", O::engineering},
         {"FINANCIAL_AND_INSURANCE_SERVICES", O::financialAndInsuranceServices},
         {"IT_SOFTWARE_HARDWARE_AND_WEBSITE_DEVELOPMENT",
          O::itSoftwareHardwareAndWebsiteDevelopment},
         {"LEGAL_AND_COMPLIANCE_SERVICES", O::legalAndComplianceServices},
         {"MANAGEMENT_CONSULTING", O::managementConsulting},
         {"WEAPON_INDUSTRY", O::weaponIndustry},
         {"CHARITY_AND_NON_PROFIT_SERVICES", O::charityAndNonProfitServices},
         {"FREELANCER_SELF_EMPLOYED", O::freelancerSelfEmployed},
         {"PUBLIC_SECTOR", O::publicSector}},
        [](const std::string& occupation) {
            return customer(kCustomer.with("occupation", occupation)).occupation().value();
        });
}

TEST(ProfileWireValuesTest, VulnerabilitiesReadEverySpelling) {
    using V = Vulnerabilities;
    testing::expectEachSpellingRead<V>(
        {{"PHYSICAL_DISABILITY", V::physicalDisability},
         {"LOW_MENTAL_CAPACITY", V::lowMentalCapacity},
         {"GAMBLING_ADDICTION", V::gamblingAddiction},
         {"FINANCE_MISMANAGEMENT", V::financeMismanagement},
         {"POOR_LITERACY", V::poorLiteracy},
         {"POOR_LANGUAGE_SKILLS", V::poorLanguageSkills},
         {"POOR_DIGITAL_SKILLS", V::poorDigitalSkills},
         {"CARING_RESPONSIBILITIES", V::caringResponsibilities},
         {"FRAUDULENT_LOCATION", V::fraudulentLocation}},
        [](const std::string& vulnerability) {
            return customer(kCustomer.with("vulnerabilities", "[" + vulnerability + "]"))
                .vulnerabilities()
                .at(0);
        });
}

model::UserRestriction restriction(const std::string& name, const std::string& actions) {
    return customer(kCustomer.with("restrictions", R"([{"id":"r","name":)" + name +
                                                       R"(,"requiredActions":[)" + actions + "]}]"))
        .restrictions()
        .value()
        .at(0);
}

TEST(ProfileWireValuesTest, RestrictionNameReadsEverySpelling) {
    testing::expectEachSpellingRead<Name>(
        {{"ALL_TRANSACTIONS", Name::allTransactions},
         {"OUTGOING_TRANSACTIONS", Name::outgoingTransactions},
         {"INCOMING_TRANSACTIONS", Name::incomingTransactions},
         {"SEND_MONEY", Name::sendMoney},
         {"INCOMING_TRANSACTIONS_AND_SEND_MONEY", Name::incomingTransactionsAndSendMoney},
         {"CARD_DEPOSITS", Name::cardDeposits},
         {"CARD_AND_ACH_DEPOSITS", Name::cardAndACHDeposits},
         {"DEPOSITS", Name::deposits},
         {"OUTGOING_TRANSACTIONS_AND_CARD_DEPOSITS", Name::outgoingTransactionsAndCardDeposits},
         {"OUTGOING_TRANSACTIONS_AND_ACH_DEPOSITS", Name::outgoingTransactionsAndACHDeposits},
         {"DEPOSITS_AND_WITHDRAWALS", Name::depositsAndWithdrawals},
         {"CRYPTO_TRANSACTIONS", Name::cryptoTransactions},
         {"OTHER", Name::other}},
        [](const std::string& name) { return restriction(name, "").name(); });
}

TEST(ProfileWireValuesTest, RequiredActionReadsEverySpelling) {
    testing::expectEachSpellingRead<Action>(
        {{"CONTACT_CUSTOMER_SERVICE", Action::contactCustomerService},
         {"KYC_VERIFICATION", Action::kycVerification},
         {"BANK_ACCOUNT_VERIFICATION", Action::bankAccountVerification},
         {"PEP_DECLARATION", Action::pepDeclaration},
         {"WAIT", Action::wait},
         {"OTHER", Action::other}},
        [](const std::string& action) {
            return restriction(R"("SEND_MONEY")", action).requiredActions().at(0);
        });
}

}  // namespace
}  // namespace corvend
